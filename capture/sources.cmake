list(APPEND FRIMLET_CORE_SOURCES capture/NeuQuant.cpp)
list(APPEND FRIMLET_CORE_SOURCES capture/PpmReader.cpp)
list(APPEND FRIMLET_CORE_SOURCES capture/ShutterRules.cpp)
list(APPEND FRIMLET_WIN_SOURCES capture/CaptureImage.cpp capture/CWriteCheckedStream.cpp capture/EncodeImageFile.cpp capture/ShutterCapture.cpp)
