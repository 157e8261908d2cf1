// Libraries taken at run time come from the system folder alone: a DLL that
// lies beside the program is not loaded in place of a system one.
#include "framework/SystemLibrary.h"

#include <gtest/gtest.h>

namespace {

// A DLL of this build that lies beside the test program.
constexpr wchar_t kBesideTheProgram[] = L"liblayercheck_frimlet_framework.dll";

TEST(SystemLibraryTest, OnlyTheSystemFolderIsSearched) {
    const HMODULE dwm = SystemLibrary(L"dwmapi.dll");
    ASSERT_NE(dwm, nullptr);
    EXPECT_EQ(SystemLibrary(L"DWMAPI.DLL"), dwm); // loaded once
    EXPECT_NE(SystemFunction<FARPROC>(L"dwmapi.dll", "DwmFlush"), nullptr);
    EXPECT_EQ(SystemFunction<FARPROC>(L"dwmapi.dll", "NoSuchFunction"), nullptr);

    HMODULE beside = ::LoadLibraryExW(kBesideTheProgram, nullptr, LOAD_LIBRARY_SEARCH_APPLICATION_DIR);
    if (!beside)
        GTEST_SKIP() << "the layer-check DLLs are not built beside the tests";
    ::FreeLibrary(beside);
    EXPECT_EQ(SystemLibrary(kBesideTheProgram), nullptr) << "a DLL beside the program was loaded";
}

} // namespace
