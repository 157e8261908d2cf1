set(_record_tests tests/record/GifLzwEncoderTest.cpp tests/record/GifWriterTest.cpp tests/record/ApngWriterTest.cpp
  tests/record/FrameChangesTest.cpp tests/record/FrameTimelineTest.cpp tests/record/GifQualityTest.cpp tests/record/NearestColourTest.cpp tests/record/AnimationEncoderTest.cpp
  tests/record/RecordingWorkerTest.cpp)
list(APPEND FRIMLET_CORE_TESTS ${_record_tests})
# Pillow's decoder reads what the writers wrote (tests/record/decode_animation.py).
set_source_files_properties(${_record_tests}
  PROPERTIES COMPILE_DEFINITIONS FRIMLET_RECORD_TEST_DIR="${CMAKE_SOURCE_DIR}/tests/record")
list(APPEND FRIMLET_WIN_TESTS tests/record/ScreenRecorderTest.cpp)
