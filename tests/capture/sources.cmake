list(APPEND FRIMLET_CORE_TESTS tests/capture/NeuQuantTest.cpp)
list(APPEND FRIMLET_CORE_TESTS tests/capture/PpmReaderTest.cpp)
list(APPEND FRIMLET_CORE_TESTS tests/capture/ShutterRulesTest.cpp)
list(APPEND FRIMLET_WIN_TESTS tests/capture/CaptureImageTest.cpp tests/capture/EncodeImageFileTest.cpp
  tests/capture/ShutterCaptureTest.cpp tests/capture/WriteFaultTest.cpp)
