list(APPEND FRIMLET_CORE_TESTS tests/framework/MessageMapTest.cpp tests/framework/NumberTextTest.cpp)
list(APPEND FRIMLET_WIN_TESTS
  tests/framework/CStringTest.cpp
  tests/framework/CWndTest.cpp
  tests/framework/MessageCrackersTest.cpp)
list(APPEND FRIMLET_WIN_TESTS tests/framework/CFileDialogTest.cpp tests/framework/SystemLibraryTest.cpp)
