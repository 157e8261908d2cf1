# Native Linux build of the pure core: unit tests under AddressSanitizer and
# UBSan, the developer tools and the benchmarks.
option(FRIMLET_SANITIZE "Build the native core with ASan and UBSan" ON)
if(FRIMLET_SANITIZE)
  set(SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(core PUBLIC ${SAN_FLAGS})
  target_link_options(core PUBLIC ${SAN_FLAGS})
endif()

find_package(GTest REQUIRED)
include(GoogleTest)

add_executable(core_tests ${FRIMLET_CORE_TESTS})
target_link_libraries(core_tests PRIVATE core GTest::gtest GTest::gtest_main)
target_compile_options(core_tests PRIVATE ${FRIMLET_WARNINGS})
gtest_discover_tests(core_tests TEST_PREFIX "core." DISCOVERY_TIMEOUT 60)

# Tools and benchmarks link an uninstrumented copy of the core, so that they
# measure and run the code as the program ships it.
add_library(core_plain STATIC ${FRIMLET_CORE_SOURCES})
target_include_directories(core_plain PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(core_plain PRIVATE ${FRIMLET_WARNINGS} -O2)

foreach(tool ${FRIMLET_TOOLS})
  get_filename_component(name ${tool} NAME_WE)
  add_executable(${name} ${tool})
  target_link_libraries(${name} PRIVATE core_plain)
  target_compile_options(${name} PRIVATE ${FRIMLET_WARNINGS})
endforeach()

find_package(benchmark QUIET)
if(benchmark_FOUND AND FRIMLET_BENCHMARKS)
  add_executable(core_bench ${FRIMLET_BENCHMARKS})
  target_link_libraries(core_bench PRIVATE core_plain benchmark::benchmark benchmark::benchmark_main)
  target_compile_options(core_bench PRIVATE ${FRIMLET_WARNINGS})
endif()
