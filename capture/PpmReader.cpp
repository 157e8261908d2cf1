#include "capture/PpmReader.h"

#include <climits>

namespace {

bool IsSpace(std::uint8_t c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(std::uint8_t c) {
    return c >= '0' && c <= '9';
}

class Cursor {
public:
    Cursor(const std::uint8_t* data, std::size_t size) : m_pData(data), m_nSize(size) {}

    bool AtEnd() const { return m_nPos >= m_nSize; }
    std::uint8_t Peek() const { return m_pData[m_nPos]; }
    std::size_t Position() const { return m_nPos; }
    void Advance() { ++m_nPos; }

    // Skips a comment that starts at the cursor, up to and including the end
    // of its line. Returns false when the data ends inside it.
    bool SkipComment() {
        while (!AtEnd()) {
            const std::uint8_t c = Peek();
            Advance();
            if (c == '\n' || c == '\r')
                return true;
        }
        return false;
    }

    // Skips whitespace and comments; true if at least one was there.
    bool SkipSeparators() {
        bool skipped = false;
        while (!AtEnd()) {
            if (IsSpace(Peek())) {
                Advance();
            } else if (Peek() == '#') {
                SkipComment();
            } else {
                break;
            }
            skipped = true;
        }
        return skipped;
    }

    // Reads a decimal number; values above INT_MAX come back as INT_MAX.
    bool ReadNumber(int& value) {
        if (AtEnd() || !IsDigit(Peek()))
            return false;
        long long v = 0;
        while (!AtEnd() && IsDigit(Peek())) {
            if (v <= INT_MAX)
                v = v * 10 + (Peek() - '0');
            Advance();
        }
        value = v > INT_MAX ? INT_MAX : static_cast<int>(v);
        return true;
    }

private:
    const std::uint8_t* m_pData;
    std::size_t m_nSize;
    std::size_t m_nPos = 0;
};

} // namespace

PpmReader::Result PpmReader::Parse(const std::uint8_t* data, std::size_t size, Image& image) {
    image = Image{};
    if (data == nullptr || size < 2 || data[0] != 'P' || data[1] != '6')
        return Result::BadMagic;
    Cursor cur(data, size);
    cur.Advance();
    cur.Advance();

    int fields[3] = {};
    for (int& field : fields) {
        if (!cur.SkipSeparators())
            return cur.AtEnd() ? Result::Truncated : Result::BadHeader;
        if (cur.AtEnd())
            return Result::Truncated;
        if (!cur.ReadNumber(field))
            return Result::BadHeader;
    }
    // One delimiter between the maxval and the pixels.
    if (cur.AtEnd())
        return Result::Truncated;
    if (cur.Peek() == '#') {
        if (!cur.SkipComment())
            return Result::Truncated;
    } else if (IsSpace(cur.Peek())) {
        cur.Advance();
    } else {
        return Result::BadHeader;
    }

    const int width = fields[0];
    const int height = fields[1];
    if (fields[2] != 255)
        return Result::BadMaxval;
    if (width == 0 || height == 0)
        return Result::ZeroSize;
    if (width > INT_MAX / 3)
        return Result::TooLarge;
    const unsigned long long needed =
        3ull * static_cast<unsigned long long>(width) * static_cast<unsigned>(height);
    if (needed > size - cur.Position())
        return Result::Truncated;
    image.width = width;
    image.height = height;
    image.rgb = data + cur.Position();
    return Result::Ok;
}
