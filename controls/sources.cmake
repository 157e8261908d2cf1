list(APPEND FRIMLET_CORE_SOURCES
  controls/EditRules.cpp
  controls/EditColors.cpp
  controls/BitmapButtonRules.cpp
  controls/ReportViewRules.cpp)
list(APPEND FRIMLET_WIN_SOURCES controls/CStaticEx.cpp)
