list(APPEND FRIMLET_TOOLS bench/nqtool.cpp)
list(APPEND FRIMLET_BENCHMARKS bench/NeuQuantBench.cpp)
