list(APPEND FRIMLET_CORE_SOURCES capture/NeuQuant.cpp capture/NeuQuantAvx2.cpp)
list(APPEND FRIMLET_CORE_SOURCES capture/PpmReader.cpp)
list(APPEND FRIMLET_CORE_SOURCES capture/ShutterRules.cpp capture/DibPixels.cpp)
list(APPEND FRIMLET_WIN_SOURCES capture/CaptureImage.cpp capture/EncodeImageFile.cpp capture/ShutterCapture.cpp
  capture/CopyImageToClipboard.cpp)
list(APPEND FRIMLET_CORE_SOURCES capture/TemporaryNames.cpp)
list(APPEND FRIMLET_WIN_SOURCES capture/TemporaryImageFile.cpp)
list(APPEND FRIMLET_WIN_SOURCES capture/CWriteCheckedStream.cpp capture/CaptureResult.cpp)
