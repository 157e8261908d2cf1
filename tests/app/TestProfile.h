// The registry key of the Windows unit tests: an application object named
// "Frimlet2Test" under the company key "Oskvane" keeps its settings at
// HKCU\Software\Oskvane\Frimlet2Test, which each test starts and ends without.
#pragma once

#include "app/CFrimlet2App.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace test_profile {

inline constexpr wchar_t kTestKey[] = L"Software\\Oskvane\\Frimlet2Test";
// A hotkey nobody else uses, so that a frame's registration never clashes.
inline constexpr int kTestHotkey = 0x077B; // Shift+Ctrl+Alt+F12

inline void DeleteTestKey() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kTestKey);
}

// A DWORD value of the key, or fallback when there is none.
inline DWORD ReadTestDword(const wchar_t* name, DWORD fallback = 0xDEADBEEF) {
    DWORD value = 0, size = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, kTestKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS)
        return fallback;
    return value;
}

// A string value of the key, or fallback when there is none.
inline std::wstring ReadTestString(const wchar_t* name, const wchar_t* fallback) {
    DWORD size = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, kTestKey, name, RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
        ERROR_SUCCESS)
        return fallback;
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (::RegGetValueW(HKEY_CURRENT_USER, kTestKey, name, RRF_RT_REG_SZ, nullptr, value.data(), &size) !=
        ERROR_SUCCESS)
        return fallback;
    value.resize(wcslen(value.c_str()));
    return value;
}

// An application object whose settings live under the test key, which each
// test starts and ends without.
class ProfileFixture : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteTestKey();
        app.SetRegistryKey(L"Oskvane");
    }
    void TearDown() override { DeleteTestKey(); }

    CFrimlet2App app{L"Frimlet2Test"};
};

} // namespace test_profile
