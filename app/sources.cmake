list(APPEND FRIMLET_CORE_SOURCES
  app/CommandLine.cpp
  app/FolderMacroTable.cpp
  app/PrintScreenFilter.cpp
  app/SettingsRules.cpp
  app/OutputNameRules.cpp)
list(APPEND FRIMLET_WIN_SOURCES
  app/CFrimlet2App.cpp
  app/Profile.cpp
  app/CProfileSupportWinApp.cpp
  app/HotkeySystem.cpp
  app/PrintScreenHook.cpp
  app/Settings.cpp
  app/SingleInstanceMutex.cpp)
