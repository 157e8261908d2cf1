// Decimal text and its reading: every int written reads back equal, padding
// only adds zeros, and reading arbitrary text never overflows.
#include "framework/NumberText.h"
#include "tests/fuzz/FuzzCheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstring>
#include <vector>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int value = in.ConsumeIntegral<int>();
    const int minDigits = in.ConsumeIntegralInRange<int>(-5, 40);
    const std::u16string plain = NumberText::DecimalText(value);
    FUZZ_CHECK(NumberText::LeadingNumber(plain) == value);
    const std::u16string padded = NumberText::DecimalText(value, minDigits);
    FUZZ_CHECK(NumberText::LeadingNumber(padded) == value);
    const std::size_t digits = plain.size() - (value < 0 ? 1 : 0);
    FUZZ_CHECK(padded.size() ==
               plain.size() + (minDigits > static_cast<int>(digits) ? minDigits - digits : 0));
    std::u16string appended = u"x";
    NumberText::AppendDecimal(appended, value, minDigits);
    FUZZ_CHECK(appended == u"x" + padded);

    const std::vector<std::uint8_t> bytes = in.ConsumeRemainingBytes<std::uint8_t>();
    std::u16string text(bytes.size() / 2, u'\0');
    if (!text.empty())
        std::memcpy(text.data(), bytes.data(), text.size() * 2);
    const int read = NumberText::LeadingNumber(text);
    // A number read back from its own text is the same number, also past
    // the 32-bit range (it saturates).
    FUZZ_CHECK(NumberText::LeadingNumber(NumberText::DecimalText(read)) == read);
    return 0;
}
