list(APPEND FRIMLET_CORE_TESTS tests/options/OptionsRulesTest.cpp)
