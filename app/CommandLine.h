// The program's command line: "/openfolder" (from the jump-list task) asks
// the running copy, or a new one, to open the output folder as F2 does.
#pragma once

#include <string_view>

namespace CommandLine {

inline constexpr char16_t kOpenFolder[] = u"/openfolder";

// Whether the command line (with or without the program's own name first)
// holds the open-folder switch as a word of its own, in any case.
bool AsksToOpenFolder(std::u16string_view commandLine);

} // namespace CommandLine
