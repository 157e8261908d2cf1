#pragma once

#include <cstdint>

// One preset of the frame size list: a plain fixed-size record, zero-filled
// before any field is copied into it and copied by value. The numbers stay the
// text that was read or typed; they are converted only when a size is applied.
struct tagSELECT_SIZE_INFO {
    std::int32_t bOwn;   // 1 = own entry (editable, stored); 0 = read from a reference file
    char16_t szX[7];     // left edge of the capture area, may be empty
    char16_t szY[7];     // top edge, may be empty
    char16_t szWidth[6]; // width of the capture area
    char16_t szHeight[6];
    char16_t szMemo[22];
};
