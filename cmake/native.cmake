# Native Linux build of the pure core: unit tests under AddressSanitizer and
# UBSan, the developer tools and the benchmarks.
option(FRIMLET_SANITIZE "Build the native core with ASan and UBSan" ON)
add_library(core_flags INTERFACE)
target_include_directories(core_flags INTERFACE ${CMAKE_SOURCE_DIR})
if(FRIMLET_SANITIZE)
  set(SAN_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(core_flags INTERFACE ${SAN_FLAGS})
  target_link_options(core_flags INTERFACE ${SAN_FLAGS})
endif()
# zlib of the system (Debian: zlib1g-dev).
find_package(ZLIB REQUIRED)
add_library(frimlet_zlib INTERFACE)
target_link_libraries(frimlet_zlib INTERFACE ZLIB::ZLIB)
# The pure part of every folder, one library per folder (core_<folder>).
frimlet_layered_libraries(core_ CORE)

find_package(GTest REQUIRED)
include(GoogleTest)

add_executable(core_tests ${FRIMLET_CORE_TESTS})
target_link_libraries(core_tests PRIVATE core_all GTest::gtest GTest::gtest_main)
target_compile_options(core_tests PRIVATE ${FRIMLET_WARNINGS})
gtest_discover_tests(core_tests TEST_PREFIX "core." DISCOVERY_TIMEOUT 60)

# Tools and benchmarks link an uninstrumented copy of the core, so that they
# measure and run the code as the program ships it.
add_library(core_plain_flags INTERFACE)
target_include_directories(core_plain_flags INTERFACE ${CMAKE_SOURCE_DIR})
target_compile_options(core_plain_flags INTERFACE -O2)
frimlet_layered_libraries(core_plain_ CORE)

# The include direction between folders (cmake/layers.txt).
find_package(Python3 COMPONENTS Interpreter REQUIRED)
add_test(NAME layers.IncludesPointDown COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/check-layers.py)

foreach(tool ${FRIMLET_TOOLS})
  get_filename_component(name ${tool} NAME_WE)
  add_executable(${name} ${tool})
  if(name MATCHES "^nq(tool|ref)$")
    # The quantiser tools are timed as whole processes: linked statically to
    # the one folder they use, they start without loading and relocating the
    # C++ runtime.
    target_link_libraries(${name} PRIVATE core_plain_capture)
    target_link_options(${name} PRIVATE -static)
  else()
    target_link_libraries(${name} PRIVATE core_plain_all)
  endif()
  target_compile_options(${name} PRIVATE ${FRIMLET_WARNINGS})
endforeach()

find_package(benchmark QUIET)
if(benchmark_FOUND AND FRIMLET_BENCHMARKS)
  add_executable(core_bench ${FRIMLET_BENCHMARKS})
  target_link_libraries(core_bench PRIVATE core_plain_all benchmark::benchmark benchmark::benchmark_main)
  target_compile_options(core_bench PRIVATE ${FRIMLET_WARNINGS})
endif()

# Fuzz targets (tests/fuzz) need clang's libFuzzer, so they are a project of
# their own, configured with clang inside this tree and built with it. Each
# target then runs for a few seconds as a test (scripts/fuzz.sh).
find_program(FRIMLET_CLANGXX NAMES clang++ clang++-14)
option(FRIMLET_FUZZ "Build the libFuzzer targets and run each briefly as a test" ON)
if(FRIMLET_FUZZ AND FRIMLET_CLANGXX)
  include(ExternalProject)
  include(${CMAKE_SOURCE_DIR}/tests/fuzz/targets.cmake)
  set(FRIMLET_FUZZ_DIR ${CMAKE_BINARY_DIR}/fuzz)
  set(_launcher)
  if(CMAKE_CXX_COMPILER_LAUNCHER)
    set(_launcher -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER})
  endif()
  ExternalProject_Add(fuzz_targets
    SOURCE_DIR ${CMAKE_SOURCE_DIR}/tests/fuzz
    BINARY_DIR ${FRIMLET_FUZZ_DIR}
    CMAKE_GENERATOR ${CMAKE_GENERATOR}
    CMAKE_ARGS -DCMAKE_CXX_COMPILER=${FRIMLET_CLANGXX} -DFRIMLET_ROOT=${CMAKE_SOURCE_DIR}
               -DCMAKE_BUILD_TYPE=RelWithDebInfo ${_launcher}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    USES_TERMINAL_BUILD ON)
  set(FRIMLET_FUZZ_SECONDS 10 CACHE STRING "How long each fuzz target runs as a test")
  foreach(target ${FRIMLET_FUZZ_TARGETS})
    add_test(NAME fuzz.${target}
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/fuzz.sh ${target} ${FRIMLET_FUZZ_SECONDS})
    set_tests_properties(fuzz.${target} PROPERTIES
      ENVIRONMENT "FRIMLET_FUZZ_DIR=${FRIMLET_FUZZ_DIR};FRIMLET_FUZZ_NO_BUILD=1;FRIMLET_FUZZ_FRESH=1"
      TIMEOUT 120 LABELS fuzz)
  endforeach()
elseif(FRIMLET_FUZZ)
  message(STATUS "clang++ not found: the fuzz targets are left out")
endif()
