list(APPEND FRIMLET_CORE_SOURCES
  record/GifLzwEncoder.cpp
  record/GifWriter.cpp
  record/ApngWriter.cpp
  record/FrameChanges.cpp
  record/FrameDelays.cpp
  record/FrameTimeline.cpp
  record/ExactPalette.cpp
  record/GifQuality.cpp
  record/NearestColour.cpp
  record/AnimationEncoder.cpp
  record/FrameQueue.cpp
  record/RecordingWorker.cpp
  record/RecordClock.cpp)
# Deflate for the animated PNG frames (frimlet_zlib: cmake/native.cmake, cmake/windows.cmake).
set(FRIMLET_LINK_record frimlet_zlib)
list(APPEND FRIMLET_WIN_SOURCES record/FileByteSink.cpp record/ScreenRecorder.cpp)
