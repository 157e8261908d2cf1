list(APPEND FRIMLET_CORE_SOURCES
  sizelist/CTextEncoding.cpp
  sizelist/CCsvTokenizer.cpp
  sizelist/CSizeInfoRules.cpp
  sizelist/CSizeListFormat.cpp
  sizelist/CStoredSizeLines.cpp
  sizelist/CReferenceFileName.cpp)
list(APPEND FRIMLET_WIN_SOURCES
  sizelist/CTextFile.cpp
  sizelist/CSmallCsvFile.cpp
  sizelist/SizeListFile.cpp
  sizelist/SizeListStore.cpp)
list(APPEND FRIMLET_CORE_SOURCES sizelist/CFrameSizeSelectRules.cpp)
list(APPEND FRIMLET_WIN_SOURCES
  sizelist/CFrameSizeSelectOptionDlg.cpp
  sizelist/CFrameSizeSelectDlg.cpp)
