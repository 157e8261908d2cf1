list(APPEND FRIMLET_CORE_TESTS tests/geometry/PlacementTest.cpp)
