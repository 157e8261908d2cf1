list(APPEND FRIMLET_TOOLS bench/nqtool.cpp bench/nqref.cpp bench/nqpicture.cpp bench/recordbench.cpp)
list(APPEND FRIMLET_BENCHMARKS bench/NeuQuantBench.cpp)
list(APPEND FRIMLET_WIN_BENCHMARKS bench/capturebench.cpp)
