list(APPEND FRIMLET_CORE_TESTS tests/capture/NeuQuantTest.cpp)
list(APPEND FRIMLET_CORE_TESTS tests/capture/PpmReaderTest.cpp)
