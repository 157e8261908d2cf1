// Checks the version information of a program file:
//   versionof.exe FILE VERSION
// VERSION is "major.minor.patch". Exits 0 when the fixed file and product
// versions are major.minor.patch.0, the strings FileVersion and
// ProductVersion are VERSION, CompanyName is "Oskvane", ProductName
// "Frimlet2", OriginalFilename "Frimlet2.exe" and FileDescription the
// Japanese description; otherwise prints what differs and exits 1 (2 when the file has no
// version information).
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

int g_failures = 0;

void Expect(const wchar_t* what, const std::wstring& actual, const std::wstring& expected) {
    if (actual == expected)
        return;
    ++g_failures;
    std::fwprintf(stderr, L"versionof: %ls is \"%ls\", expected \"%ls\"\n", what, actual.c_str(),
                  expected.c_str());
}

std::wstring FixedVersion(DWORD ms, DWORD ls) {
    return std::to_wstring(HIWORD(ms)) + L"." + std::to_wstring(LOWORD(ms)) + L"." +
           std::to_wstring(HIWORD(ls)) + L"." + std::to_wstring(LOWORD(ls));
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fwprintf(stderr, L"usage: versionof.exe FILE VERSION\n");
        return 2;
    }
    const wchar_t* file = argv[1];
    const std::wstring version = argv[2];

    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(file, &ignored);
    std::vector<BYTE> block(size);
    if (size == 0 || !::GetFileVersionInfoW(file, 0, size, block.data())) {
        std::fwprintf(stderr, L"versionof: %ls has no version information (error %lu)\n", file,
                      ::GetLastError());
        return 2;
    }

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed ||
        length < sizeof(VS_FIXEDFILEINFO)) {
        std::fwprintf(stderr, L"versionof: no fixed version information\n");
        return 2;
    }
    Expect(L"the fixed file version", FixedVersion(fixed->dwFileVersionMS, fixed->dwFileVersionLS),
           version + L".0");
    Expect(L"the fixed product version", FixedVersion(fixed->dwProductVersionMS, fixed->dwProductVersionLS),
           version + L".0");

    // The strings of the first language and code page the file lists.
    struct Translation {
        WORD language;
        WORD codePage;
    }* translations = nullptr;
    if (!::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                          reinterpret_cast<void**>(&translations), &length) ||
        length < sizeof(Translation)) {
        std::fwprintf(stderr, L"versionof: no translation table\n");
        return 2;
    }
    wchar_t prefix[64] = {};
    std::swprintf(prefix, 64, L"\\StringFileInfo\\%04x%04x\\", translations[0].language,
                  translations[0].codePage);
    auto text = [&](const wchar_t* name) {
        wchar_t* value = nullptr;
        UINT chars = 0;
        const std::wstring path = std::wstring(prefix) + name;
        if (!::VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &chars) || !value)
            return std::wstring(L"<missing>");
        return std::wstring(value);
    };
    Expect(L"FileVersion", text(L"FileVersion"), version);
    Expect(L"ProductVersion", text(L"ProductVersion"), version);
    Expect(L"CompanyName", text(L"CompanyName"), L"Oskvane");
    Expect(L"ProductName", text(L"ProductName"), L"Frimlet2");
    Expect(L"OriginalFilename", text(L"OriginalFilename"), L"Frimlet2.exe");
    Expect(L"FileDescription", text(L"FileDescription"), L"Frimlet2 画面キャプチャツール");
    if (g_failures == 0)
        std::wprintf(L"versionof: %ls carries version %ls\n", file, version.c_str());
    return g_failures == 0 ? 0 : 1;
}
