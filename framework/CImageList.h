// An image list that owns its handle.
#pragma once

#include "framework/Handles.h"

#include <utility>

class CImageList {
public:
    // Images of width cx from one bitmap strip resource, with a mask colour.
    bool Create(UINT bitmapId, int cx, int grow, COLORREF mask) {
        m_hImageList.reset(::ImageList_LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId), cx,
                                                  grow, mask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
        return static_cast<bool>(m_hImageList);
    }
    // Takes over an image list made elsewhere.
    void Attach(unique_imagelist list) { m_hImageList = std::move(list); }
    HIMAGELIST GetSafeHandle() const { return m_hImageList.get(); }
    int GetImageCount() const { return m_hImageList ? ::ImageList_GetImageCount(m_hImageList.get()) : 0; }

private:
    unique_imagelist m_hImageList;
};
