list(APPEND FRIMLET_CORE_SOURCES options/OptionsRules.cpp)
list(APPEND FRIMLET_WIN_SOURCES options/COptionsDlg.cpp)
