// Encoding detection and the UTF-16 preparation of the text file reader, on
// arbitrary bytes read with every mode word: the result is always one of the
// words the decoder knows, failures name one of the two detection errors, and
// the prepared text ends in a zero character inside the buffer.
#include "sizelist/CTextEncoding.h"
#include "tests/fuzz/FuzzCheck.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr std::int32_t kModes[] = {TFM_AUTO,    TFM_ANSI,        TFM_UTF8,    TFM_UTF8_NOBOM, TFM_UTF8_BOM,
                                   TFM_UTF16LE, TFM_UTF16LE_BOM, TFM_UTF16BE, TFM_UTF16BE_BOM};

bool IsKnownWord(std::int32_t mode) {
    for (std::int32_t known : kModes)
        if (mode == known)
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    // The first byte picks the mode word the caller passes: one of the nine,
    // or (above them) a word of arbitrary fields.
    const std::uint8_t pick = data[0];
    std::int32_t mode = kModes[pick % 9];
    ++data;
    --size;
    if (pick >= 0xF0 && size >= 4) {
        std::memcpy(&mode, data, 4);
        data += 4;
        size -= 4;
    }
    // An exact copy, so that a read behind the data is caught.
    const std::vector<std::uint8_t> bytes(data, data + size);
    const std::span<const std::uint8_t> span(bytes.data(), bytes.size());

    int sjis = 0, utf8 = 0;
    const bool sjisValid = CTextEncoding::CheckShiftJis(span, sjis);
    const bool utf8Valid = CTextEncoding::CheckUtf8(span, utf8);
    FUZZ_CHECK(sjisValid || sjis == 0);
    FUZZ_CHECK(utf8Valid || utf8 == 0);

    mode = CTextEncoding::DetectBom(mode, span);
    const std::size_t bom = CTextEncoding::BomLength(mode);
    FUZZ_CHECK(bom <= size);
    std::uint32_t error = 0;
    const bool detected = CTextEncoding::DetectEncoding(mode, span, error);
    if (!detected) {
        FUZZ_CHECK(error == TFE_DATATYPE_MISMATCH || error == TFE_UNSUPPORTED_TYPE);
        return 0;
    }
    FUZZ_CHECK(error == 0);
    FUZZ_CHECK(IsKnownWord(mode));
    // What was chosen or confirmed without a byte order mark is valid in it.
    if (mode == TFM_ANSI)
        FUZZ_CHECK(sjisValid);
    if (mode == TFM_UTF8 || mode == TFM_UTF8_NOBOM)
        FUZZ_CHECK(utf8Valid);

    if ((mode & TFM_CHARSET_MASK) == TFM_CHARSET_UTF16) {
        // The reader's buffer: the data and zero bytes behind it; an odd
        // length needs exactly one of them.
        std::vector<std::uint8_t> buffer(bytes);
        buffer.push_back(0);
        const bool bigEndian = (mode & TFM_ORDER_MASK) == TFM_ORDER_BIG_ENDIAN;
        CTextEncoding::PrepareUtf16(buffer.data(), size, bigEndian);
        if (size % 2 == 1)
            FUZZ_CHECK(buffer[size - 1] == 0 && buffer[size] == 0);
        if (bigEndian)
            for (std::size_t i = 0; i + 1 < size; i += 2)
                FUZZ_CHECK(buffer[i] == bytes[i + 1] && buffer[i + 1] == bytes[i]);
    }
    return 0;
}
