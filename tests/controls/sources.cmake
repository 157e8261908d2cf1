list(APPEND FRIMLET_CORE_TESTS
  tests/controls/EditRulesTest.cpp
  tests/controls/EditColorsTest.cpp
  tests/controls/BitmapButtonRulesTest.cpp
  tests/controls/ReportViewRulesTest.cpp)
list(APPEND FRIMLET_WIN_TESTS tests/controls/CTransparentBitmapButtonTest.cpp)
list(APPEND FRIMLET_WIN_TESTS
  tests/controls/CEditExTest.cpp
  tests/controls/CReportViewCtrlTest.cpp
  tests/controls/CRGBStaticTest.cpp
  tests/controls/CMenuButtonTest.cpp
  tests/controls/CTransparentBitmapButtonWindowTest.cpp
  tests/controls/CStaticExTest.cpp)
