// The variable-length-code LZW compression of GIF image data: codes grow
// from minCodeSize + 1 bits up to 12 bits, and the dictionary starts over
// with a clear code whenever it is full.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class GifLzwEncoder {
public:
    static constexpr int kMaxCodes = 4096;

    GifLzwEncoder();

    // Appends to out the code stream of count palette indices (each below
    // 1 << minCodeSize), packed least significant bit first: a clear code,
    // the data, the end code. Not yet cut into sub-blocks. minCodeSize is
    // 2 to 8.
    void Encode(const std::uint8_t* indices, std::size_t count, int minCodeSize,
                std::vector<std::uint8_t>& out);

private:
    void ResetDictionary();
    void PutCode(int code, std::vector<std::uint8_t>& out);

    // Open addressing from (prefix code << 8 | next index) to the code of
    // that string; a key of -1 marks a free slot.
    static constexpr int kSlots = 8192;
    std::vector<std::int32_t> m_keys;
    std::vector<std::uint16_t> m_codes;
    int m_nCodeSize = 0;
    int m_nNextCode = 0;
    int m_nClear = 0;
    std::uint32_t m_nBits = 0;
    int m_nBitCount = 0;
};
