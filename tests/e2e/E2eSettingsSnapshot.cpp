#include "tests/e2e/E2eSettingsSnapshot.h"

#include "framework/Handles.h"

#include <gtest/gtest.h>

namespace {

constexpr wchar_t kKey[] = L"Software\\Oskvane\\Frimlet2";

// Every test program of this folder keeps the settings it found.
class KeepSettings : public ::testing::Environment {
public:
    void SetUp() override { m_kept = m_snapshot.Take(); }
    void TearDown() override {
        if (m_kept && !m_snapshot.Restore())
            ADD_FAILURE() << "the program's settings could not be put back";
    }

private:
    E2eSettingsSnapshot m_snapshot;
    bool m_kept = false;
};

[[maybe_unused]] ::testing::Environment* const kKeepSettings =
    ::testing::AddGlobalTestEnvironment(new KeepSettings);

} // namespace

bool E2eSettingsSnapshot::Take() {
    m_values.clear();
    unique_hkey key;
    const LSTATUS opened = ::RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, key.put());
    m_existed = opened == ERROR_SUCCESS;
    if (!m_existed) {
        m_taken = opened == ERROR_FILE_NOT_FOUND;
        return m_taken;
    }
    DWORD count = 0, longestName = 0, longestData = 0;
    if (::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                           &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    for (DWORD i = 0; i < count; ++i) {
        Value value;
        std::vector<wchar_t> name(longestName + 1);
        DWORD nameLength = longestName + 1;
        value.data.resize(longestData);
        DWORD size = longestData;
        if (::RegEnumValueW(key.get(), i, name.data(), &nameLength, nullptr, &value.type, value.data.data(),
                            &size) != ERROR_SUCCESS)
            return false;
        value.name.assign(name.data(), nameLength);
        value.data.resize(size);
        m_values.push_back(std::move(value));
    }
    m_taken = true;
    return true;
}

bool E2eSettingsSnapshot::Restore() const {
    if (!m_taken)
        return false;
    const LSTATUS deleted = ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
    if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND)
        return false;
    if (!m_existed)
        return true;
    unique_hkey key;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr) !=
        ERROR_SUCCESS)
        return false;
    for (const Value& value : m_values)
        if (::RegSetValueExW(key.get(), value.name.c_str(), 0, value.type, value.data.data(),
                             static_cast<DWORD>(value.data.size())) != ERROR_SUCCESS)
            return false;
    return true;
}
