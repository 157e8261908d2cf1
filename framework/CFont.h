// A font object that owns its GDI font.
#pragma once

#include "framework/Handles.h"

class CFont {
public:
    bool CreateFontIndirect(const LOGFONTW* logFont) {
        m_hFont.reset(::CreateFontIndirectW(logFont));
        return static_cast<bool>(m_hFont);
    }
    bool GetLogFont(LOGFONTW* logFont) const {
        return m_hFont && ::GetObjectW(m_hFont.get(), sizeof(LOGFONTW), logFont) == sizeof(LOGFONTW);
    }
    void DeleteObject() { m_hFont.reset(); }
    HFONT GetSafeHandle() const { return m_hFont.get(); }
    operator HFONT() const { return m_hFont.get(); }

private:
    unique_font m_hFont;
};
