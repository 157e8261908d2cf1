list(APPEND FRIMLET_CORE_TESTS
  tests/sizelist/CTextEncodingTest.cpp
  tests/sizelist/CCsvTokenizerTest.cpp
  tests/sizelist/CSizeListFormatTest.cpp
  tests/sizelist/CStoredSizeLinesTest.cpp)
list(APPEND FRIMLET_WIN_TESTS
  tests/sizelist/CTextFileTest.cpp
  tests/sizelist/SizeListFileTest.cpp
  tests/sizelist/SizeListStoreTest.cpp)
list(APPEND FRIMLET_CORE_TESTS tests/sizelist/CFrameSizeSelectRulesTest.cpp)
list(APPEND FRIMLET_WIN_TESTS tests/sizelist/CFrameSizeSelectDlgTest.cpp)
