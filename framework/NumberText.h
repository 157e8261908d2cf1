// Integers as decimal text and back, for the window code's fields and lists
// and the core's file names and messages; UTF-16, no <windows.h>.
#pragma once

#include <string>
#include <string_view>

namespace NumberText {

// value in decimal, zero-padded to at least minDigits digits after the sign.
void AppendDecimal(std::u16string& out, int value, int minDigits = 0);
std::u16string DecimalText(int value, int minDigits = 0);

// The number at the start of a text as the wide-character integer conversion
// reads it: leading white space, an optional sign, decimal digits up to the
// first other character ("150％" gives 150); no digits give 0, values beyond
// 32 bits saturate.
int LeadingNumber(std::u16string_view text);

} // namespace NumberText
