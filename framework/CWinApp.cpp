#include "framework/CWinApp.h"

#include <vector>

namespace {
CWinApp* g_app = nullptr;

CString ExecutableBaseName() {
    wchar_t path[MAX_PATH + 1] = {};
    DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString name(path, static_cast<int>(length));
    int slash = name.ReverseFind(L'\\');
    if (slash >= 0)
        name = name.Mid(slash + 1);
    int dot = name.ReverseFind(L'.');
    if (dot > 0)
        name.Truncate(dot);
    return name;
}
} // namespace

CWinApp* AfxGetApp() {
    return g_app;
}

HINSTANCE AfxGetInstanceHandle() {
    return ::GetModuleHandleW(nullptr);
}

CWinApp::CWinApp(const wchar_t* appName) : m_strAppName(appName ? CString(appName) : ExecutableBaseName()) {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

bool CWinApp::InitInstance() {
    return true;
}

int CWinApp::ExitInstance() {
    return 0;
}

int CWinApp::Run() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return ExitInstance();
}

void CWinApp::SetRegistryKey(const wchar_t* company) {
    m_strRegistryKey = company ? company : L"";
}

unique_hkey CWinApp::GetAppRegistryKey() const {
    unique_hkey app;
    if (!UsesRegistry())
        return app;
    unique_hkey software;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_WRITE | KEY_READ, software.put()) !=
        ERROR_SUCCESS)
        return app;
    unique_hkey company;
    DWORD disposition = 0;
    if (::RegCreateKeyExW(software.get(), m_strRegistryKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_WRITE | KEY_READ, nullptr, company.put(), &disposition) != ERROR_SUCCESS)
        return app;
    if (::RegCreateKeyExW(company.get(), m_strAppName, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_WRITE | KEY_READ, nullptr, app.put(), &disposition) != ERROR_SUCCESS)
        app.reset();
    return app;
}

unique_hkey CWinApp::GetSectionKey(const wchar_t* section) const {
    unique_hkey app = GetAppRegistryKey();
    if (!app || !section || !*section)
        return app;
    unique_hkey key;
    DWORD disposition = 0;
    if (::RegCreateKeyExW(app.get(), section, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ,
                          nullptr, key.put(), &disposition) != ERROR_SUCCESS)
        key.reset();
    return key;
}

UINT CWinApp::GetProfileInt(const wchar_t* section, const wchar_t* entry, int defaultValue) const {
    unique_hkey key = GetSectionKey(section);
    if (!key)
        return static_cast<UINT>(defaultValue);
    DWORD value = 0, type = 0, size = sizeof(value);
    if (::RegQueryValueExW(key.get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        return static_cast<UINT>(defaultValue);
    return value;
}

bool CWinApp::WriteProfileInt(const wchar_t* section, const wchar_t* entry, int value) const {
    unique_hkey key = GetSectionKey(section);
    if (!key)
        return false;
    DWORD data = static_cast<DWORD>(value);
    return ::RegSetValueExW(key.get(), entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                            sizeof(data)) == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(const wchar_t* section, const wchar_t* entry,
                                  const wchar_t* defaultValue) const {
    CString fallback = defaultValue ? defaultValue : L"";
    unique_hkey key = GetSectionKey(section);
    if (!key)
        return fallback;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(key.get(), entry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return fallback;
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
    DWORD bytes = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    if (::RegQueryValueExW(key.get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                           &bytes) != ERROR_SUCCESS)
        return fallback;
    return CString(buffer.data());
}

bool CWinApp::WriteProfileString(const wchar_t* section, const wchar_t* entry, const wchar_t* value) const {
    unique_hkey key = GetSectionKey(section);
    if (!key)
        return false;
    if (!value)
        return ::RegDeleteValueW(key.get(), entry) == ERROR_SUCCESS;
    DWORD bytes = static_cast<DWORD>((wcslen(value) + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key.get(), entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), bytes) ==
           ERROR_SUCCESS;
}
