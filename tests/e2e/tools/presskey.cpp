// Presses one key through SendInput, as the keyboard would, holding the keys
// named before it:
//   presskey.exe KEY[+KEY...]
// A key is a name (PRINT, ESC, RETURN, SPACE, ALT, CTRL, SHIFT, F1 to F12), a
// letter or digit, or a virtual-key code in decimal or 0x hex. "P+PRINT"
// holds P while PrintScreen is pressed; "ALT+F4" closes the active window.
// The last key reaches global hotkeys whatever window has the focus.
#include "tests/support/InputRecords.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <string>
#include <vector>

namespace {

struct Named {
    const wchar_t* name;
    WORD vk;
};

constexpr Named kNames[] = {
    {L"PRINT", VK_SNAPSHOT}, {L"SNAPSHOT", VK_SNAPSHOT}, {L"ESC", VK_ESCAPE},  {L"ESCAPE", VK_ESCAPE},
    {L"RETURN", VK_RETURN},  {L"ENTER", VK_RETURN},      {L"SPACE", VK_SPACE}, {L"ALT", VK_MENU},
    {L"CTRL", VK_CONTROL},   {L"SHIFT", VK_SHIFT},       {L"TAB", VK_TAB},
};

// The virtual-key code of one key, 0 when it names none.
WORD ParseKey(std::wstring key) {
    for (wchar_t& c : key)
        c = static_cast<wchar_t>(std::towupper(c));
    for (const Named& n : kNames)
        if (key == n.name)
            return n.vk;
    if (key.size() == 1 && ((key[0] >= L'A' && key[0] <= L'Z') || (key[0] >= L'0' && key[0] <= L'9')))
        return static_cast<WORD>(key[0]);
    if (key.size() >= 2 && key[0] == L'F' && std::iswdigit(key[1])) {
        const unsigned long n = std::wcstoul(key.c_str() + 1, nullptr, 10);
        return n >= 1 && n <= 12 && key.size() <= 3 ? static_cast<WORD>(VK_F1 + n - 1) : 0;
    }
    if (key.empty() || !std::iswdigit(key[0]))
        return 0;
    wchar_t* end = nullptr;
    const unsigned long vk = std::wcstoul(key.c_str(), &end, 0);
    return end && !*end && vk > 0 && vk <= 0xFE ? static_cast<WORD>(vk) : 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: presskey.exe KEY[+KEY...]   (e.g. PRINT, P+PRINT, ALT+F4, 0x2C)\n", stderr);
        return 2;
    }
    std::vector<WORD> keys;
    const std::wstring combination = argv[1];
    size_t start = 0;
    while (start <= combination.size()) {
        size_t plus = combination.find(L'+', start);
        if (plus == std::wstring::npos)
            plus = combination.size();
        const WORD vk = ParseKey(combination.substr(start, plus - start));
        if (!vk) {
            std::fwprintf(stderr, L"presskey: not a key: %ls\n",
                          combination.substr(start, plus - start).c_str());
            return 2;
        }
        keys.push_back(vk);
        start = plus + 1;
    }
    // Down in order, up in reverse order, with a pause so that every program
    // sees the held keys before the last one.
    UINT sent = 0;
    for (WORD vk : keys) {
        INPUT in = test_support::KeyInput(vk, false);
        sent += ::SendInput(1, &in, sizeof in);
        ::Sleep(30);
    }
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
        INPUT in = test_support::KeyInput(*it, true);
        sent += ::SendInput(1, &in, sizeof in);
        ::Sleep(30);
    }
    return sent == 2 * keys.size() ? 0 : 1;
}
