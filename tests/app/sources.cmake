list(APPEND FRIMLET_CORE_TESTS
  tests/app/CommandLineTest.cpp
  tests/app/FolderMacroTableTest.cpp
  tests/app/PrintScreenFilterTest.cpp
  tests/app/SettingsRulesTest.cpp
  tests/app/OutputNameRulesTest.cpp)
list(APPEND FRIMLET_WIN_TESTS
  tests/app/SettingsTest.cpp
  tests/app/SingleInstanceMutexTest.cpp)
