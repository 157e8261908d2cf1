list(APPEND FRIMLET_CORE_SOURCES geometry/Placement.cpp)
list(APPEND FRIMLET_WIN_SOURCES geometry/ScreenLayoutQuery.cpp)
