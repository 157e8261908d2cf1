#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A copy of the values under HKCU\Software\Oskvane\Frimlet2, to put back what
// the tests changed. The tests share the Wine prefix with ./run, so a user who
// runs the program after the tests finds the settings as they were.
class E2eSettingsSnapshot {
public:
    // Reads every value of the key; a missing key is remembered as missing.
    bool Take();
    // Deletes the key and writes the remembered values back (or leaves it
    // deleted when it was missing).
    bool Restore() const;

private:
    struct Value {
        std::wstring name;
        DWORD type = 0;
        std::vector<BYTE> data;
    };
    bool m_taken = false;
    bool m_existed = false;
    std::vector<Value> m_values;
};
