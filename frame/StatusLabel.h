#pragma once

#include <cstdint>
#include <string>

namespace frame {

// The text and colour of the tab's status label: the size of the file the
// last capture wrote, or the encoder's error code. Colours are COLORREF values
// (red in the low byte).
class StatusLabel {
public:
    // A capture's result: a positive value shows the size in kilobytes,
    // rounded up; 0 (nothing was written) or a negative value shows
    // "error:<code>" with the sign dropped. frameColor decides the text
    // colour.
    void SetStatus(int value, uint32_t frameColor);
    // Clears the text and keeps the colour.
    void Clear() { m_strText.clear(); }

    const std::u16string& Text() const { return m_strText; }
    uint32_t Color() const { return m_crColor; }

    // (306 R + 600 G + 117 B) >> 10 of a COLORREF: 0 to 254.
    static int Luma(uint32_t color);

private:
    std::u16string m_strText;
    uint32_t m_crColor = 0;
};

} // namespace frame
