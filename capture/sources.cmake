list(APPEND FRIMLET_CORE_SOURCES capture/NeuQuant.cpp)
list(APPEND FRIMLET_CORE_SOURCES capture/PpmReader.cpp)
