# Helpers shared by the Windows unit tests and the end-to-end tests: message
# pumping, finding windows, scratch folders and input records for SendInput
# (InputRecords.h is header-only, for the small tool programs as well).
set(FRIMLET_TEST_SUPPORT_SOURCES tests/support/MessagePump.cpp tests/support/ScratchFolder.cpp
  tests/support/WindowFinder.cpp)
list(APPEND FRIMLET_WIN_TESTS ${FRIMLET_TEST_SUPPORT_SOURCES})
list(APPEND FRIMLET_E2E_TESTS ${FRIMLET_TEST_SUPPORT_SOURCES})
list(APPEND FRIMLET_WIN_TESTS tests/support/TestSupportTest.cpp)
