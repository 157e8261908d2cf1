// Functions of system DLLs that are not on the system's list of known DLLs.
// The program does not import them: a DLL of the same name beside the
// program (in a Downloads folder, say) would be loaded in their place. They
// are loaded here from the system folder alone, once, and kept until the
// process ends.
#pragma once

#include <windows.h>

// The system folder's copy of dll (such as L"dwmapi.dll"), loaded on first
// use; null when the system has none.
HMODULE SystemLibrary(const wchar_t* dll);

// The function name of the system DLL dll, or null where the system lacks
// either.
template <class Function> Function SystemFunction(const wchar_t* dll, const char* name) {
    HMODULE module = SystemLibrary(dll);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)))
                  : nullptr;
}
