list(APPEND FRIMLET_CORE_TESTS tests/capture/NeuQuantTest.cpp tests/capture/NeuQuantSymmetryTest.cpp)
list(APPEND FRIMLET_CORE_TESTS tests/capture/PpmReaderTest.cpp)
list(APPEND FRIMLET_CORE_TESTS tests/capture/ShutterRulesTest.cpp tests/capture/DibPixelsTest.cpp)
list(APPEND FRIMLET_WIN_TESTS tests/capture/CaptureImageTest.cpp tests/capture/EncodeImageFileTest.cpp
  tests/capture/ShutterCaptureTest.cpp tests/capture/CopyImageToClipboardTest.cpp)
list(APPEND FRIMLET_CORE_TESTS tests/capture/TemporaryNamesTest.cpp)
list(APPEND FRIMLET_WIN_TESTS tests/capture/TemporaryImageFileTest.cpp)
list(APPEND FRIMLET_WIN_TESTS tests/capture/WriteFaultTest.cpp tests/capture/CaptureResultTest.cpp)
