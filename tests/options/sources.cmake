list(APPEND FRIMLET_CORE_TESTS tests/options/OptionsRulesTest.cpp)
list(APPEND FRIMLET_WIN_TESTS tests/options/COptionsDlgTest.cpp)
