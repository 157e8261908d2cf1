#include "frame/ThumbButtonImages.h"

#include "res/resource.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct Strip {
    int size;
    int id;
};
constexpr Strip kStrips[] = {
    {32, IDB_THUMB_ICONS_32}, {40, IDB_THUMB_ICONS_40}, {48, IDB_THUMB_ICONS_48}, {64, IDB_THUMB_ICONS_64}};

// Image index of the strip as an icon of cx x cy with its alpha, the picture
// centred (and cut when the cell is smaller than it). Icons keep colours not
// multiplied by alpha, as the strip does.
unique_icon CellIcon(const DIBSECTION& strip, int size, int index, int cx, int cy) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), cx, -cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    unique_bitmap color(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!color || !bits)
        return {};
    auto* cell = static_cast<DWORD*>(bits);
    std::memset(cell, 0, static_cast<size_t>(cx) * static_cast<size_t>(cy) * sizeof(DWORD));
    // The mask marks what the alpha leaves fully transparent, in rows of
    // whole 16-bit words.
    const int maskStride = ((cx + 15) / 16) * 2;
    std::vector<BYTE> mask(static_cast<size_t>(maskStride) * static_cast<size_t>(cy), 0xFF);

    const auto* source = static_cast<const BYTE*>(strip.dsBm.bmBits);
    const bool bottomUp = strip.dsBmih.biHeight > 0;
    const int left = (cx - size) / 2, top = (cy - size) / 2;
    for (int y = 0; y < size; ++y) {
        const int row = bottomUp ? size - 1 - y : y;
        const auto* line =
            reinterpret_cast<const DWORD*>(source + static_cast<ptrdiff_t>(row) * strip.dsBm.bmWidthBytes);
        const int ty = top + y;
        if (ty < 0 || ty >= cy)
            continue;
        for (int x = 0; x < size; ++x) {
            const int tx = left + x;
            if (tx < 0 || tx >= cx)
                continue;
            const DWORD pixel = line[index * size + x];
            cell[ty * cx + tx] = pixel;
            if (pixel >> 24)
                mask[static_cast<size_t>(ty * maskStride + tx / 8)] &= static_cast<BYTE>(~(0x80 >> (tx % 8)));
        }
    }
    unique_bitmap maskBitmap(::CreateBitmap(cx, cy, 1, 1, mask.data()));
    if (!maskBitmap)
        return {};
    ICONINFO icon{true, 0, 0, maskBitmap.get(), color.get()};
    return unique_icon(::CreateIconIndirect(&icon));
}

} // namespace

unique_imagelist MakeThumbButtonImages(int cx, int cy) {
    if (cx <= 0 || cy <= 0)
        return {};
    Strip strip = kStrips[0];
    for (const Strip& candidate : kStrips)
        if (candidate.size <= std::min(cx, cy))
            strip = candidate;
    unique_bitmap picture(static_cast<HBITMAP>(::LoadImageW(
        ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(strip.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    DIBSECTION dib{};
    if (!picture || ::GetObjectW(picture.get(), sizeof(dib), &dib) != sizeof(dib) ||
        dib.dsBm.bmBitsPixel != 32 || !dib.dsBm.bmBits ||
        dib.dsBm.bmWidth < strip.size * kThumbButtonImageCount)
        return {};
    unique_imagelist images(::ImageList_Create(cx, cy, ILC_COLOR32, kThumbButtonImageCount, 0));
    if (!images)
        return {};
    for (int index = 0; index < kThumbButtonImageCount; ++index) {
        const unique_icon icon = CellIcon(dib, strip.size, index, cx, cy);
        if (!icon || ::ImageList_ReplaceIcon(images.get(), -1, icon.get()) < 0)
            return {};
    }
    return images;
}
