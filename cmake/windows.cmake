# Windows build (MinGW-w64): the framework, the program and its tests, which
# CTest runs under Wine through the cross-compiling emulator.
set(FRIMLET_SYSTEM_LIBS
  user32 gdi32 comctl32 comdlg32 ole32 oleaut32 uuid shell32 shlwapi
  windowscodecs advapi32 propsys)
set(FRIMLET_STATIC_LINK -static -static-libgcc -static-libstdc++)

# The project version reaches the resources and the tests through one header.
configure_file(${CMAKE_SOURCE_DIR}/res/FrimletVersion.h.in ${CMAKE_BINARY_DIR}/generated/FrimletVersion.h @ONLY)

add_library(frimlet_flags INTERFACE)
target_compile_definitions(frimlet_flags INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
  _WIN32_WINNT=0x0A00 WINVER=0x0A00 NTDDI_VERSION=0x0A000006)
target_include_directories(frimlet_flags INTERFACE ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/generated)
target_link_libraries(frimlet_flags INTERFACE ${FRIMLET_SYSTEM_LIBS})
# zlib as a static library (Debian: libz-mingw-w64-dev; MSYS2: mingw-w64-x86_64-zlib),
# so that the program still needs nothing beyond Windows.
find_library(FRIMLET_ZLIB_STATIC NAMES libz.a REQUIRED)
add_library(frimlet_zlib INTERFACE)
target_link_libraries(frimlet_zlib INTERFACE ${FRIMLET_ZLIB_STATIC})
# Every folder, pure and window code together, as one library (frimlet_<folder>).
frimlet_layered_libraries(frimlet_ CORE WIN)
add_library(frimlet ALIAS frimlet_all)

# Each folder's library, taken whole, must link as a DLL against the folders
# below it alone: a folder that calls into one above it fails the build here.
foreach(lib ${FRIMLET_LAYER_LIBRARIES})
  add_library(layercheck_${lib} SHARED ${CMAKE_SOURCE_DIR}/cmake/LayerCheck.cpp)
  target_link_libraries(layercheck_${lib} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${lib}>")
  target_link_options(layercheck_${lib} PRIVATE ${FRIMLET_STATIC_LINK} -Wl,--no-undefined -Wl,--exclude-all-symbols)
endforeach()

set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
set(FRIMLET_RESOURCES ${CMAKE_SOURCE_DIR}/res/Frimlet2.rc)
file(GLOB FRIMLET_PICTURES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/bitmaps/* ${CMAKE_SOURCE_DIR}/res/cursors/*
  ${CMAKE_SOURCE_DIR}/res/*.ico)
set_source_files_properties(${FRIMLET_RESOURCES} PROPERTIES
  OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/res/resource.h;${CMAKE_SOURCE_DIR}/res/app.manifest;${CMAKE_BINARY_DIR}/generated/FrimletVersion.h;${FRIMLET_PICTURES}")

add_executable(Frimlet2 WIN32 ${FRIMLET_EXE_SOURCES} ${FRIMLET_RESOURCES})
target_link_libraries(Frimlet2 PRIVATE frimlet)
target_link_options(Frimlet2 PRIVATE ${FRIMLET_STATIC_LINK} -municode $<$<CONFIG:Release>:-s>)
target_compile_options(Frimlet2 PRIVATE ${FRIMLET_WARNINGS})
# The offline help page stands beside the program, where the options dialog's
# link looks for it (also for the tests, which run from this folder).
configure_file(${CMAKE_SOURCE_DIR}/packaging/Frimlet2.html ${CMAKE_BINARY_DIR}/Frimlet2.html COPYONLY)

# Wine runs every Windows test in a prefix of this build tree, in a Japanese
# locale so that the ANSI code page is 932 as on the systems Frimlet2 targets.
set(FRIMLET_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
configure_file(${CMAKE_SOURCE_DIR}/scripts/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)

# GoogleTest from its sources where the system keeps them (Debian), else an
# installed package (MSYS2); without either, only the program is built.
if(EXISTS /usr/src/googletest/googletest/CMakeLists.txt)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest QUIET)
  if(GTest_FOUND)
    add_library(gtest ALIAS GTest::gtest)
    add_library(gtest_main ALIAS GTest::gtest_main)
  else()
    set(FRIMLET_WIN_TESTS)
    set(FRIMLET_E2E_TESTS)
  endif()
endif()
include(GoogleTest)

if(FRIMLET_WIN_TESTS)
  add_executable(win_tests ${FRIMLET_WIN_TESTS} ${FRIMLET_RESOURCES})
  target_link_libraries(win_tests PRIVATE frimlet gtest gtest_main)
  target_link_options(win_tests PRIVATE ${FRIMLET_STATIC_LINK})
  target_compile_options(win_tests PRIVATE ${FRIMLET_WARNINGS})
  set_target_properties(win_tests PROPERTIES CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
  gtest_discover_tests(win_tests TEST_PREFIX "win." DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST
    PROPERTIES RESOURCE_LOCK desktop TIMEOUT 120)
endif()

if(FRIMLET_E2E_TESTS)
  # The end-to-end driver starts the real Frimlet2.exe, so it is told where it is.
  file(TO_NATIVE_PATH "${CMAKE_BINARY_DIR}" _bin)
  string(REPLACE "/" "\\\\" FRIMLET_EXE_WINPATH "Z:${CMAKE_BINARY_DIR}/Frimlet2.exe")
  add_executable(e2e_tests ${FRIMLET_E2E_TESTS})
  target_link_libraries(e2e_tests PRIVATE frimlet gtest gtest_main)
  target_link_options(e2e_tests PRIVATE ${FRIMLET_STATIC_LINK})
  target_compile_options(e2e_tests PRIVATE ${FRIMLET_WARNINGS})
  target_compile_definitions(e2e_tests PRIVATE FRIMLET_EXE_PATH=L"${FRIMLET_EXE_WINPATH}")
  add_dependencies(e2e_tests Frimlet2)
  set_target_properties(e2e_tests PROPERTIES CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
  gtest_discover_tests(e2e_tests TEST_PREFIX "e2e." DISCOVERY_TIMEOUT 120 DISCOVERY_MODE PRE_TEST
    PROPERTIES RESOURCE_LOCK desktop TIMEOUT 180)
endif()

# Timing programs for the Windows side, run by hand under Wine or on Windows.
foreach(benchmark ${FRIMLET_WIN_BENCHMARKS})
  get_filename_component(name ${benchmark} NAME_WE)
  add_executable(${name} ${benchmark})
  target_link_libraries(${name} PRIVATE frimlet)
  target_link_options(${name} PRIVATE ${FRIMLET_STATIC_LINK} -municode)
  target_compile_options(${name} PRIVATE ${FRIMLET_WARNINGS})
endforeach()

# Small Windows programs that scripts use to act as a user (./run).
add_executable(presskey tests/e2e/tools/presskey.cpp)
target_include_directories(presskey PRIVATE ${CMAKE_SOURCE_DIR}) # tests/support/InputRecords.h
target_link_options(presskey PRIVATE ${FRIMLET_STATIC_LINK} -municode)
target_compile_options(presskey PRIVATE ${FRIMLET_WARNINGS})

# Holds a hotkey as another program would (./package --check opens the
# program's message box about its hotkey with it).
add_executable(holdhotkey tests/e2e/tools/holdhotkey.cpp)
target_link_options(holdhotkey PRIVATE ${FRIMLET_STATIC_LINK} -municode)
target_compile_options(holdhotkey PRIVATE ${FRIMLET_WARNINGS})
target_compile_definitions(holdhotkey PRIVATE UNICODE _UNICODE)

# Checks the version information of a program file (the built one here, the
# installed one in ./package --check).
add_executable(versionof tests/e2e/tools/versionof.cpp)
target_link_libraries(versionof PRIVATE version)
target_link_options(versionof PRIVATE ${FRIMLET_STATIC_LINK} -municode)
target_compile_options(versionof PRIVATE ${FRIMLET_WARNINGS})
add_test(NAME e2e.VersionResource.CarriesTheProjectVersion
  COMMAND ${CMAKE_BINARY_DIR}/wine-run ${CMAKE_BINARY_DIR}/versionof.exe ${CMAKE_BINARY_DIR}/Frimlet2.exe ${PROJECT_VERSION})
# The program imports only DLLs that Windows takes from its own folder; the
# others are loaded at run time from the system folder (framework/SystemLibrary.h).
find_package(Python3 COMPONENTS Interpreter REQUIRED)
find_program(FRIMLET_OBJDUMP NAMES ${CMAKE_OBJDUMP} x86_64-w64-mingw32-objdump REQUIRED)
add_test(NAME imports.OnlyKnownDlls
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/scripts/check-imports.py --objdump ${FRIMLET_OBJDUMP}
          $<TARGET_FILE:Frimlet2>)
# The other program whose button the fit-mode test clicks.
add_executable(fittarget tests/e2e/tools/fittarget.cpp)
target_link_options(fittarget PRIVATE ${FRIMLET_STATIC_LINK} -municode)
target_compile_options(fittarget PRIVATE ${FRIMLET_WARNINGS})
target_compile_definitions(fittarget PRIVATE UNICODE _UNICODE)
if(TARGET e2e_tests)
  add_dependencies(e2e_tests fittarget)
endif()
