list(APPEND FRIMLET_CORE_SOURCES
  framework/MessageMap.cpp
  framework/NumberText.cpp)
list(APPEND FRIMLET_WIN_SOURCES
  framework/CString.cpp
  framework/CFileFind.cpp
  framework/CWinApp.cpp
  framework/CWnd.cpp
  framework/CDialog.cpp
  framework/CListCtrl.cpp
  framework/SystemLibrary.cpp
  framework/AccessibleName.cpp)
list(APPEND FRIMLET_EXE_SOURCES framework/WinMain.cpp)
list(APPEND FRIMLET_WIN_SOURCES framework/CFileDialog.cpp)
