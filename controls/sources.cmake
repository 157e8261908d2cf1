list(APPEND FRIMLET_CORE_SOURCES
  controls/EditRules.cpp
  controls/EditColors.cpp
  controls/BitmapButtonRules.cpp
  controls/ReportViewRules.cpp)
list(APPEND FRIMLET_WIN_SOURCES controls/CStaticEx.cpp)
list(APPEND FRIMLET_WIN_SOURCES controls/CTransparentBitmapButton.cpp)
list(APPEND FRIMLET_WIN_SOURCES
  controls/CEditEx.cpp
  controls/CReportViewCtrl.cpp
  controls/CRGBStatic.cpp
  controls/CMenuButton.cpp)
