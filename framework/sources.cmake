list(APPEND FRIMLET_WIN_SOURCES
  framework/CString.cpp
  framework/CFileFind.cpp
  framework/CWinApp.cpp)
list(APPEND FRIMLET_EXE_SOURCES framework/WinMain.cpp)
