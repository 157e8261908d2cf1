// A font object that owns its GDI font.
#pragma once

#include "framework/Handles.h"

#include <cstdlib>

class CFont {
public:
    BOOL CreateFontIndirect(const LOGFONTW* logFont) {
        m_hFont.reset(::CreateFontIndirectW(logFont));
        return m_hFont ? TRUE : FALSE;
    }
    BOOL CreatePointFont(int pointTenths, const wchar_t* face, HDC dc = nullptr);
    BOOL GetLogFont(LOGFONTW* logFont) const {
        return m_hFont && ::GetObjectW(m_hFont.get(), sizeof(LOGFONTW), logFont) == sizeof(LOGFONTW);
    }
    void DeleteObject() { m_hFont.reset(); }
    HFONT GetSafeHandle() const { return m_hFont.get(); }
    operator HFONT() const { return m_hFont.get(); }

private:
    unique_font m_hFont;
};

inline BOOL CFont::CreatePointFont(int pointTenths, const wchar_t* face, HDC dc) {
    LOGFONTW lf{};
    lstrcpynW(lf.lfFaceName, face ? face : L"", LF_FACESIZE);
    WindowDC screen(nullptr);
    HDC use = dc ? dc : screen.get();
    POINT pt{0, ::MulDiv(::GetDeviceCaps(use, LOGPIXELSY), pointTenths, 720)};
    POINT origin{0, 0};
    ::DPtoLP(use, &pt, 1);
    ::DPtoLP(use, &origin, 1);
    lf.lfHeight = -std::abs(pt.y - origin.y);
    return CreateFontIndirect(&lf);
}
