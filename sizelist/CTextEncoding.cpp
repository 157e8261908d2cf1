#include "sizelist/CTextEncoding.h"

namespace {

// Byte at index i, or zero behind the end: the reader keeps zero bytes behind
// its data, so every look-ahead past the end sees zeros.
std::uint8_t ByteAt(std::span<const std::uint8_t> data, std::size_t i) {
    return i < data.size() ? data[i] : 0;
}

bool IsPlainText(std::uint8_t b) {
    return b == 0x09 || b == 0x0A || b == 0x0D || (b >= 0x20 && b <= 0x7E);
}

bool IsLineEnd(std::uint8_t b) {
    return b == 0x0D || b == 0x0A;
}

// Lead bytes whose half-width katakana or two-byte UTF-8 sequences are common
// in Latin text (Â, Í, Ï and their neighbours), so they do not count as
// Japanese.
bool IsLatinLookalike(std::uint8_t b) {
    return b == 0xC2 || b == 0xCD || b == 0xCF;
}

bool IsContinuation(std::uint8_t b) {
    return b >= 0x80 && b <= 0xBF;
}

} // namespace

std::int32_t CTextEncoding::DetectBom(std::int32_t mode, std::span<const std::uint8_t> data) {
    const std::uint8_t b0 = ByteAt(data, 0), b1 = ByteAt(data, 1), b2 = ByteAt(data, 2);
    if (b0 == 0xEF && b1 == 0xBB && b2 == 0xBF) {
        return TFM_UTF8_BOM;
    }
    if (b0 == 0xFF && b1 == 0xFE) {
        return TFM_UTF16LE_BOM;
    }
    if (b0 == 0xFE && b1 == 0xFF) {
        return TFM_UTF16BE_BOM;
    }
    return mode & ~TFM_BOM_MASK;
}

bool CTextEncoding::CheckShiftJis(std::span<const std::uint8_t> data, int& score) {
    const std::size_t n = data.size();
    int local = 0;
    for (std::size_t i = 0; i < n;) {
        const std::uint8_t b = data[i];
        if (IsPlainText(b)) {
            ++i;
        } else if (b >= 0xA1 && b <= 0xDF) {
            if (!IsLatinLookalike(b) && i > 0 && !IsLatinLookalike(data[i - 1])) {
                ++local;
            }
            ++i;
        } else if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) {
            if (i + 1 >= n) {
                return false;
            }
            const std::uint8_t t = data[i + 1];
            if (!((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFC))) {
                return false;
            }
            const unsigned code = b * 256u + t;
            if ((code >= 0x829F && code <= 0x82F1) || (code >= 0x8340 && code <= 0x8396)) {
                local += 2;
            } else if (code >= 0x889F && code <= 0x9872) {
                local += 1;
            }
            i += 2;
        } else {
            return false; // zero byte, control character, 0x7F, 0x80, 0xA0, 0xFD..0xFF
        }
    }
    score += local;
    return true;
}

bool CTextEncoding::CheckUtf8(std::span<const std::uint8_t> data, int& score) {
    const std::size_t n = data.size();
    int local = 0;
    bool sawTwoByte = false, sawLonger = false;
    for (std::size_t i = 0; i < n;) {
        const std::uint8_t b = data[i];
        std::size_t trail;
        if (IsPlainText(b)) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            trail = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            trail = 2;
        } else if (b >= 0xF0 && b <= 0xF4) {
            trail = 3;
        } else {
            return false;
        }
        if (i + trail >= n) {
            return false; // the sequence must end inside the data
        }
        for (std::size_t k = 1; k <= trail; ++k) {
            if (!IsContinuation(data[i + k])) {
                return false;
            }
        }
        if (trail == 1) {
            if (!IsLatinLookalike(b)) {
                local -= 1;
            }
            sawTwoByte = true;
        } else if (trail == 2) {
            local += (b == 0xE3 && (data[i + 1] == 0x81 || data[i + 1] == 0x82)) ? 2 : 1;
            sawLonger = true;
        } else {
            local = 9999;
            sawLonger = true;
        }
        i += trail + 1;
    }
    if (sawTwoByte && !sawLonger) {
        local = 9999;
    }
    score += local;
    return true;
}

bool CTextEncoding::DetectEncoding(std::int32_t& mode, std::span<const std::uint8_t> data,
                                   std::uint32_t& error) {
    if (mode == TFM_UTF8_BOM || mode == TFM_UTF16BE_BOM || mode == TFM_UTF16LE_BOM) {
        return true;
    }
    if (mode == TFM_ANSI) {
        int score = 0;
        if (!CheckShiftJis(data, score)) {
            error = TFE_DATATYPE_MISMATCH;
            return false;
        }
        return true;
    }
    if (mode == TFM_UTF8 || mode == TFM_UTF8_NOBOM) {
        int score = 0;
        if (!CheckUtf8(data, score)) {
            error = TFE_DATATYPE_MISMATCH;
            return false;
        }
        return true;
    }

    // UTF-16 shows itself by zero bytes: ASCII characters have a zero high
    // byte, which stands at odd offsets in little-endian and at even offsets
    // in big-endian text. A zero next to a line end decides at once.
    const std::size_t n = data.size();
    std::size_t oddZeros = 0, evenZeros = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (data[i] != 0) {
            continue;
        }
        if (i % 2 == 1) {
            ++oddZeros;
            if (IsLineEnd(data[i - 1])) {
                mode = TFM_UTF16LE;
                return true;
            }
        } else {
            ++evenZeros;
            if (IsLineEnd(ByteAt(data, i + 1))) {
                mode = TFM_UTF16BE;
                return true;
            }
        }
    }
    if (oddZeros > evenZeros) {
        mode = TFM_UTF16LE;
        return true;
    }
    if (oddZeros < evenZeros) {
        mode = TFM_UTF16BE;
        return true;
    }
    if (oddZeros != 0) {
        mode = (mode & TFM_ORDER_MASK) == TFM_ORDER_LITTLE_ENDIAN ? TFM_UTF16LE : TFM_UTF16BE;
        return true;
    }

    if ((mode & TFM_CHARSET_MASK) == TFM_CHARSET_UTF16) {
        mode = (mode & TFM_ORDER_MASK) == TFM_ORDER_LITTLE_ENDIAN ? TFM_UTF16LE : TFM_UTF16BE;
        return true;
    }

    int sjisScore = 0, utf8Score = 0;
    const bool sjisValid = CheckShiftJis(data, sjisScore);
    if (sjisValid) {
        mode = TFM_ANSI;
    }
    if (!CheckUtf8(data, utf8Score)) {
        if (mode == TFM_ANSI) {
            return true;
        }
        error = TFE_UNSUPPORTED_TYPE;
        return false;
    }
    if ((sjisScore == 0 && utf8Score == 0) || sjisScore < utf8Score || !sjisValid) {
        mode = TFM_UTF8_NOBOM;
    }
    return true;
}

void CTextEncoding::PrepareUtf16(std::uint8_t* buffer, std::size_t size, bool bigEndian) {
    if (bigEndian) {
        for (std::size_t i = 0; i + 1 < size; i += 2) {
            const std::uint8_t t = buffer[i];
            buffer[i] = buffer[i + 1];
            buffer[i + 1] = t;
        }
    }
    if (size % 2 == 1) {
        buffer[size - 1] = 0;
        buffer[size] = 0;
    }
}

std::size_t CTextEncoding::BomLength(std::int32_t mode) {
    if ((mode & TFM_BOM_MASK) == 0) {
        return 0;
    }
    switch (mode & TFM_CHARSET_MASK) {
    case TFM_CHARSET_UTF8:
        return 3;
    case TFM_CHARSET_UTF16:
        return 2;
    default:
        return 0;
    }
}
