list(APPEND FRIMLET_CORE_TESTS tests/frame/FrameMetricsTest.cpp tests/frame/FramePlacementTest.cpp
  tests/frame/StatusLabelTest.cpp tests/frame/ControllerStepsTest.cpp)
list(APPEND FRIMLET_WIN_TESTS tests/frame/CFrameGeometryTest.cpp)
list(APPEND FRIMLET_WIN_TESTS tests/frame/CFrimlet2DlgTest.cpp tests/frame/SoakTest.cpp tests/frame/FramePathsTest.cpp)
list(APPEND FRIMLET_WIN_TESTS tests/frame/CTaskbarThumbButtonsTest.cpp)
list(APPEND FRIMLET_CORE_TESTS tests/frame/CommandRetryTest.cpp)
list(APPEND FRIMLET_WIN_TESTS tests/frame/DisplayQueriesTest.cpp)
list(APPEND FRIMLET_CORE_TESTS tests/frame/CountdownTest.cpp)
list(APPEND FRIMLET_WIN_TESTS tests/frame/FrameShutterCallsTest.cpp tests/frame/FrameGuardsTest.cpp
  tests/frame/TabHelpTest.cpp)
list(APPEND FRIMLET_WIN_TESTS tests/frame/FrameRecordingTest.cpp tests/frame/CaptureStatusTest.cpp)
