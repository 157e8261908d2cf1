#include "frame/CShutterGlyph.h"

#include "res/resource.h"

#include <commctrl.h>

#include <iterator>

namespace {
constexpr int kIds[] = {IDB_SHUTTER_16, IDB_SHUTTER_24, IDB_SHUTTER_32,
                        IDB_SHUTTER_40, IDB_SHUTTER_48, IDB_SHUTTER_64};
constexpr COLORREF kTransparent = RGB(192, 192, 192);
} // namespace

bool CShutterGlyph::Apply(HWND button, int slot) {
    if (slot < 0 || slot >= static_cast<int>(std::size(kIds)))
        return false;
    if (slot == m_nSlot && m_hImages)
        return true;
    const int size = kSizes[slot];
    unique_bitmap picture(static_cast<HBITMAP>(::LoadImageW(
        ::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIds[slot]), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    unique_imagelist images(::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 1, 0));
    if (!picture || !images || ::ImageList_AddMasked(images.get(), picture.get(), kTransparent) < 0)
        return false;
    // The button keeps using the list it was given, so the old one goes only
    // once the new one is in place.
    BUTTON_IMAGELIST list{images.get(), RECT{0, 0, 0, 0}, BUTTON_IMAGELIST_ALIGN_CENTER};
    if (!::SendMessageW(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list)))
        return false;
    m_hImages = std::move(images);
    m_nSlot = slot;
    return true;
}
