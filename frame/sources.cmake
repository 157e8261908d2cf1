list(APPEND FRIMLET_CORE_SOURCES frame/FrameMetrics.cpp frame/FramePlacement.cpp frame/StatusLabel.cpp frame/ControllerSteps.cpp)
list(APPEND FRIMLET_WIN_SOURCES frame/CFrameGeometry.cpp frame/CFrimlet2Dlg.cpp frame/CFrimlet2DlgLayout.cpp frame/CFrimlet2DlgCommands.cpp
  frame/CFrimlet2DlgRecording.cpp frame/CFrameScale.cpp frame/OwnWindows.cpp frame/FrameHotkey.cpp frame/FitMode.cpp frame/CaptureStatus.cpp
  frame/CFrameControllerDlg.cpp frame/CTaskbarThumbButtons.cpp
  frame/CFrameToolTips.cpp)
list(APPEND FRIMLET_CORE_SOURCES frame/CommandRetry.cpp)
list(APPEND FRIMLET_WIN_SOURCES frame/OutputFolderCheck.cpp)
list(APPEND FRIMLET_WIN_SOURCES frame/ElevationCalls.cpp frame/FrameWindowClass.cpp
  frame/CShutterGlyph.cpp frame/ThumbButtonImages.cpp
  frame/QuestionBoxes.cpp)
list(APPEND FRIMLET_WIN_SOURCES frame/DisplayQueries.cpp frame/CFitOverlay.cpp)
list(APPEND FRIMLET_EXE_SOURCES frame/Frimlet2Main.cpp)
list(APPEND FRIMLET_CORE_SOURCES frame/Countdown.cpp)
list(APPEND FRIMLET_WIN_SOURCES frame/LastCapture.cpp)
list(APPEND FRIMLET_WIN_SOURCES frame/ShutterCountdown.cpp)
list(APPEND FRIMLET_WIN_SOURCES frame/CFrameRecording.cpp)
