// An image list that owns its handle.
#pragma once

#include "framework/Handles.h"

class CImageList {
public:
    // Images of width cx from one bitmap strip resource, with a mask colour.
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask) {
        m_list.reset(::ImageList_LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId), cx, grow,
                                            mask, IMAGE_BITMAP, LR_CREATEDIBSECTION));
        return m_list ? TRUE : FALSE;
    }
    HIMAGELIST GetSafeHandle() const { return m_list.get(); }
    int GetImageCount() const { return m_list ? ::ImageList_GetImageCount(m_list.get()) : 0; }
    void DeleteImageList() { m_list.reset(); }

private:
    unique_imagelist m_list;
};
