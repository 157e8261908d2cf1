#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "sizelist/TextFileModes.h"

// The decisions of the text file reader that need no system code page: byte
// order marks, the check of data against a named encoding, the detection of
// UTF-16 by its zero bytes and the choice between Shift-JIS and UTF-8 by
// validity and a score of Japanese-looking characters.
class CTextEncoding {
public:
    // Returns the mode word after looking at the first bytes of data: a byte
    // order mark replaces the word, otherwise only its byte-order-mark field is
    // cleared.
    static std::int32_t DetectBom(std::int32_t mode, std::span<const std::uint8_t> data);

    // Checks or detects the encoding of data whose byte order mark has been
    // looked at by DetectBom. Updates mode; on failure sets error to
    // TFE_DATATYPE_MISMATCH or TFE_UNSUPPORTED_TYPE and returns false.
    static bool DetectEncoding(std::int32_t& mode, std::span<const std::uint8_t> data, std::uint32_t& error);

    // Validity checks; the score is added to score only when data is valid.
    static bool CheckShiftJis(std::span<const std::uint8_t> data, int& score);
    static bool CheckUtf8(std::span<const std::uint8_t> data, int& score);

    // Turns the first size bytes of buffer into little-endian UTF-16 in place:
    // for big-endian data every byte pair is swapped. An odd last byte is not
    // part of the text; it is cleared, together with the byte behind it, so
    // that the text is followed by a zero character. buffer must hold at
    // least size + 1 bytes when size is odd.
    static void PrepareUtf16(std::uint8_t* buffer, std::size_t size, bool bigEndian);

    // Number of bytes of the byte order mark that mode says is present.
    static std::size_t BomLength(std::int32_t mode);
};
