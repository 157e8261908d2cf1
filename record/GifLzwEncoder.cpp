#include "record/GifLzwEncoder.h"

#include <algorithm>

GifLzwEncoder::GifLzwEncoder() : m_keys(kSlots, -1), m_codes(kSlots, 0) {}

void GifLzwEncoder::ResetDictionary() {
    std::fill(m_keys.begin(), m_keys.end(), -1);
    m_nNextCode = m_nClear + 2;
}

void GifLzwEncoder::PutCode(int code, std::vector<std::uint8_t>& out) {
    m_nBits |= static_cast<std::uint32_t>(code) << m_nBitCount;
    m_nBitCount += m_nCodeSize;
    while (m_nBitCount >= 8) {
        out.push_back(static_cast<std::uint8_t>(m_nBits));
        m_nBits >>= 8;
        m_nBitCount -= 8;
    }
}

void GifLzwEncoder::Encode(const std::uint8_t* indices, std::size_t count, int minCodeSize,
                           std::vector<std::uint8_t>& out) {
    m_nClear = 1 << minCodeSize;
    const int endCode = m_nClear + 1;
    m_nCodeSize = minCodeSize + 1;
    m_nBits = 0;
    m_nBitCount = 0;
    ResetDictionary();
    PutCode(m_nClear, out);

    // After each code the decoder adds one string to its dictionary, one
    // code behind the encoder: the encoder widens its codes once the code it
    // has just given out no longer fits the current width.
    auto addString = [&](std::int32_t key, std::size_t slot) {
        if (m_nNextCode < kMaxCodes) {
            if (key >= 0) {
                m_keys[slot] = key;
                m_codes[slot] = static_cast<std::uint16_t>(m_nNextCode);
            }
            ++m_nNextCode;
            if (m_nNextCode > (1 << m_nCodeSize) && m_nCodeSize < 12)
                ++m_nCodeSize;
        }
    };

    if (count > 0) {
        int prefix = indices[0];
        for (std::size_t i = 1; i < count; ++i) {
            const int next = indices[i];
            const std::int32_t key = (prefix << 8) | next;
            std::size_t slot = (static_cast<std::uint32_t>(key) * 2654435761u >> 19) & (kSlots - 1);
            while (m_keys[slot] >= 0 && m_keys[slot] != key)
                slot = (slot + 1) & (kSlots - 1);
            if (m_keys[slot] == key) {
                prefix = m_codes[slot];
                continue;
            }
            PutCode(prefix, out);
            addString(key, slot);
            if (m_nNextCode == kMaxCodes) {
                PutCode(m_nClear, out);
                m_nCodeSize = minCodeSize + 1;
                ResetDictionary();
            }
            prefix = next;
        }
        PutCode(prefix, out);
        // The decoder adds a string after this last code too, and may widen
        // its codes before it reads the end code.
        addString(-1, 0);
    }
    PutCode(endCode, out);
    if (m_nBitCount > 0)
        out.push_back(static_cast<std::uint8_t>(m_nBits));
}
