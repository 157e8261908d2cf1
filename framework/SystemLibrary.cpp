#include "framework/SystemLibrary.h"

#include "framework/Handles.h"

#include <mutex>
#include <string>
#include <utility>
#include <vector>

HMODULE SystemLibrary(const wchar_t* dll) {
    static std::mutex lock;
    static std::vector<std::pair<std::wstring, unique_module>> loaded;
    const std::lock_guard<std::mutex> guard(lock);
    for (const auto& [name, module] : loaded)
        if (::lstrcmpiW(name.c_str(), dll) == 0)
            return module.get();
    unique_module module(::LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    const HMODULE handle = module.get();
    if (handle)
        loaded.emplace_back(dll, std::move(module));
    return handle;
}
