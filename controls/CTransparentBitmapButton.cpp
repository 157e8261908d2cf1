#include "controls/CTransparentBitmapButton.h"

#include "controls/BitmapButtonRules.h"

namespace rules = controls::BitmapButtonRules;

BEGIN_MESSAGE_MAP(CTransparentBitmapButton, CButton)
ON_WM_PAINT(OnPaint)
ON_WM_TIMER(OnTimer)
END_MESSAGE_MAP()

CTransparentBitmapButton::CTransparentBitmapButton(UINT bitmapId, int drawStyle, bool autoRepeat)
    : m_hBitmap(::LoadBitmapW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(bitmapId))), m_nBorder(drawStyle),
      m_nFocusStyle(drawStyle), m_bAutoRepeat(autoRepeat) {
    BITMAP info{};
    if (m_hBitmap && ::GetObjectW(m_hBitmap.get(), sizeof(info), &info) == sizeof(info)) {
        m_nBitmapWidth = info.bmWidth;
        m_nBitmapHeight = info.bmHeight;
    }
}

void CTransparentBitmapButton::PreSubclassWindow() {
    const DWORD style = GetStyle();
    if (!rules::IsSelfPainted(style)) {
        ModifyStyle(0, BS_OWNERDRAW);
    } else {
        m_bSelfPaint = true;
        m_bAutoRepeat = false;
    }
    if (style & BS_FLAT)
        m_bFlat = true;
}

void CTransparentBitmapButton::OnPaint() {
    if (!m_bSelfPaint) {
        Default();
        return;
    }
    PaintDC paint(m_hWnd);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID());
    item.hwndItem = m_hWnd;
    item.hDC = paint.get();
    ::GetClientRect(m_hWnd, &item.rcItem);
    if (GetCheck() != 0)
        item.itemState |= ODS_CHECKED;
    if (m_nFocusStyle != 0 && ::GetFocus() == m_hWnd)
        item.itemState |= ODS_FOCUS;
    DrawItem(&item);
}

void CTransparentBitmapButton::DrawItem(DRAWITEMSTRUCT* item) {
    if (m_bAutoRepeat && m_nRepeatPeriod != 0)
        KillTimer(rules::kRepeatTimerId);

    const RECT r = item->rcItem;
    const int width = r.right;
    const int height = r.bottom;
    rules::Input in;
    in.width = width;
    in.height = height;
    in.bitmapWidth = m_nBitmapWidth;
    in.bitmapHeight = m_nBitmapHeight;
    in.flat = m_bFlat;
    in.border = m_nBorder != 0;
    in.focusStyle = m_nFocusStyle;
    in.pressed = (item->itemState & ODS_SELECTED) != 0;
    in.checked = (item->itemState & ODS_CHECKED) != 0;
    in.focused = (item->itemState & ODS_FOCUS) != 0;
    in.face = ::GetSysColor(COLOR_BTNFACE);
    in.highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    const rules::Layout layout = rules::ComputeLayout(in);

    if (width > 0 && height > 0) {
        unique_memory_dc memory(::CreateCompatibleDC(item->hDC));
        unique_bitmap canvas(::CreateCompatibleBitmap(item->hDC, width, height));
        if (memory && canvas) {
            HDC dc = memory.get();
            SelectRestore selectCanvas(dc, canvas.get());

            TRIVERTEX vertices[2]{};
            const auto channel = [](uint32_t c, int shift) {
                return static_cast<COLOR16>(((c >> shift) & 0xFF) << 8);
            };
            vertices[0] = {0, 0, channel(layout.top, 0), channel(layout.top, 8), channel(layout.top, 16), 0};
            vertices[1] = {width,
                           height,
                           channel(layout.bottom, 0),
                           channel(layout.bottom, 8),
                           channel(layout.bottom, 16),
                           0};
            GRADIENT_RECT gradient{0, 1};
            ::GdiGradientFill(dc, vertices, 2, &gradient, 1, GRADIENT_FILL_RECT_V);

            RECT edge = r;
            switch (layout.border) {
            case rules::Border::FlatFrame:
                ::FrameRect(dc, &edge, ::GetSysColorBrush(COLOR_ACTIVEBORDER));
                break;
            case rules::Border::Sunken:
                ::DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
                break;
            case rules::Border::Raised:
                ::DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
                break;
            case rules::Border::None:
                break;
            }

            // A bitmap that failed to load has no size, so the scale is 0.
            if (layout.scale > 0 && m_hBitmap) {
                unique_memory_dc source(::CreateCompatibleDC(item->hDC));
                if (source) {
                    SelectRestore selectBitmap(source.get(), m_hBitmap.get());
                    ::GdiTransparentBlt(dc, layout.bitmap.left, layout.bitmap.top, layout.bitmap.Width(),
                                        layout.bitmap.Height(), source.get(), 0, 0, m_nBitmapWidth,
                                        m_nBitmapHeight, m_crTransparent);
                }
            }

            if (m_pCaptionFont && m_pCaptionFont->GetSafeHandle()) {
                RECT text{layout.caption.left, layout.caption.top, layout.caption.right,
                          layout.caption.bottom};
                SelectRestore selectFont(dc, m_pCaptionFont->GetSafeHandle());
                ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
                ::SetBkMode(dc, TRANSPARENT);
                ::SetTextCharacterExtra(dc, m_nCaptionCharExtra);
                ::DrawTextW(dc, m_strCaption.GetString(), m_strCaption.GetLength(), &text, DT_CENTER);
            }

            if (layout.hasFocusMark) {
                RECT focus{layout.focus.left, layout.focus.top, layout.focus.right, layout.focus.bottom};
                ::DrawFocusRect(dc, &focus);
            }

            ::BitBlt(item->hDC, 0, 0, width, height, dc, 0, 0, SRCCOPY);
        }
    }

    if (in.pressed && m_bAutoRepeat && m_nRepeatPeriod != 0)
        SetTimer(rules::kRepeatTimerId, static_cast<UINT>(rules::kRepeatDelayFactor * m_nRepeatPeriod));
}

void CTransparentBitmapButton::OnTimer(UINT_PTR id) {
    if (id == rules::kRepeatTimerId) {
        KillTimer(rules::kRepeatTimerId);
        ::PostMessageW(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED),
                       reinterpret_cast<LPARAM>(m_hWnd));
        SetTimer(rules::kRepeatTimerId, static_cast<UINT>(m_nRepeatPeriod));
    }
    Default();
}
