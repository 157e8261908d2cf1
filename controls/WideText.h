// Windows' wchar_t strings and the rules' char16_t strings hold the same
// UTF-16 code units; these views pass text between them without copying.
#pragma once

#include "framework/CString.h"

#include <string>
#include <string_view>

namespace controls {

inline std::u16string_view AsU16(const CString& text) {
    return {reinterpret_cast<const char16_t*>(text.GetString()), static_cast<size_t>(text.GetLength())};
}

inline CString ToCString(std::u16string_view text) {
    return CString(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
}

} // namespace controls
