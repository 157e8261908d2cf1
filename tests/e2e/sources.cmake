list(APPEND FRIMLET_E2E_TESTS tests/e2e/E2eHarness.cpp tests/e2e/FrameE2eTest.cpp)
list(APPEND FRIMLET_E2E_TESTS tests/e2e/E2eDesktop.cpp tests/e2e/E2eSettingsSnapshot.cpp tests/e2e/HarnessTest.cpp tests/e2e/FrameCaptureTest.cpp tests/e2e/OptionsE2eTest.cpp
  tests/e2e/ShutterExtrasE2eTest.cpp)
list(APPEND FRIMLET_E2E_TESTS tests/e2e/LeftoverFilesE2eTest.cpp)
list(APPEND FRIMLET_E2E_TESTS tests/e2e/PrintScreenE2eTest.cpp)
list(APPEND FRIMLET_E2E_TESTS tests/e2e/FitModeE2eTest.cpp)
list(APPEND FRIMLET_E2E_TESTS tests/e2e/NumberedCountdownE2eTest.cpp)
list(APPEND FRIMLET_E2E_TESTS tests/e2e/RecordingE2eTest.cpp)
# Pillow decodes the recordings (tests/record/decode_animation.py), run on the Unix side.
set_source_files_properties(tests/e2e/RecordingE2eTest.cpp
  PROPERTIES COMPILE_DEFINITIONS FRIMLET_RECORD_TEST_DIR="${CMAKE_SOURCE_DIR}/tests/record")
