list(APPEND FRIMLET_E2E_TESTS tests/e2e/E2eHarness.cpp tests/e2e/FrameE2eTest.cpp)
