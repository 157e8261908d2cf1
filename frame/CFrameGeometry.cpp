#include "frame/CFrameGeometry.h"

#include "frame/DisplayQueries.h"
#include "framework/CWinApp.h"
#include "framework/NumberText.h"
#include "res/resource.h"

#include <algorithm>
#include <cmath>

static_assert(frame::kHitCaption == HTCAPTION && frame::kHitTopLeft == HTTOPLEFT &&
              frame::kHitTopRight == HTTOPRIGHT && frame::kHitBottomLeft == HTBOTTOMLEFT &&
              frame::kHitBottomRight == HTBOTTOMRIGHT);

namespace {

const int kCloseIds[] = {IDB_CLOSE_10, IDB_CLOSE_15, IDB_CLOSE_20, IDB_CLOSE_25, IDB_CLOSE_30, IDB_CLOSE_40};
const int kSettingsIds[] = {IDB_SETTINGS_10, IDB_SETTINGS_15, IDB_SETTINGS_20,
                            IDB_SETTINGS_25, IDB_SETTINGS_30, IDB_SETTINGS_40};

HBITMAP LoadBitmapResource(int id) {
    return static_cast<HBITMAP>(
        ::LoadImageW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

int SystemMetricForDpi(int index, UINT dpi) {
    return DisplayQueries::System().metricForDpi(index, dpi);
}

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

} // namespace

CFrameGeometry::CFrameGeometry(MetricForDpi metricForDpi)
    : m_metricForDpi(metricForDpi ? metricForDpi : &SystemMetricForDpi) {
    for (int slot = 0; slot < kBitmapSlots; ++slot) {
        m_hCloseBitmaps[slot].reset(LoadBitmapResource(kCloseIds[slot]));
        m_hSettingsBitmaps[slot].reset(LoadBitmapResource(kSettingsIds[slot]));
    }
}

frame::SystemMetrics CFrameGeometry::ReadSystemMetrics(UINT dpi) const {
    return {m_metricForDpi(SM_CXPADDEDBORDER, dpi), m_metricForDpi(SM_CXDLGFRAME, dpi),
            m_metricForDpi(SM_CYDLGFRAME, dpi)};
}

void CFrameGeometry::SetScale(COLORREF color, int frameWidth, int tabScaling, double dpiScale) {
    // The scale comes from a DPI (DPI / 96); a broken one reads the metrics at 96.
    m_nDpi = dpiScale > 0 && dpiScale < 100
                 ? static_cast<UINT>(std::lround(dpiScale * USER_DEFAULT_SCREEN_DPI))
                 : USER_DEFAULT_SCREEN_DPI;
    m_metrics.SetScale(color, frameWidth, tabScaling, dpiScale, ReadSystemMetrics());

    m_hFont.reset();
    LOGFONTW lf{};
    lf.lfHeight = m_metrics.FontHeight();
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    ::lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
    m_hFont.reset(::CreateFontIndirectW(&lf));
    // The countdown's digits fill the tab's height below the hole.
    lf.lfHeight = -std::max(1, m_metrics.TabHeight());
    lf.lfWeight = FW_BOLD;
    m_hCountdownFont.reset(::CreateFontIndirectW(&lf));
}

int CFrameGeometry::ComputeLayout(int width, int height) {
    return m_metrics.ComputeLayout(width, height, ReadSystemMetrics());
}

void CFrameGeometry::BuildRegion() {
    m_hRegion.reset();
    const frame::RegionShape shape = m_metrics.RegionParts();
    const geometry::Rect& a = shape.border.rect;
    const geometry::Rect& b = shape.tab.rect;
    unique_region border(
        ::CreateRoundRectRgn(a.left, a.top, a.right, a.bottom, shape.border.ellipse, shape.border.ellipse));
    unique_region tab(
        ::CreateRoundRectRgn(b.left, b.top, b.right, b.bottom, shape.tab.ellipse, shape.tab.ellipse));
    const RECT holeRect = geometry::ToRECT(shape.hole);
    unique_region hole(::CreateRectRgnIndirect(&holeRect));
    if (!border || !tab || !hole)
        return;
    // The hole goes last, so it is cut out also where the tab overlaps it.
    if (::CombineRgn(border.get(), border.get(), tab.get(), RGN_OR) == ERROR ||
        ::CombineRgn(border.get(), border.get(), hole.get(), RGN_DIFF) == ERROR)
        return;
    m_hRegion = std::move(border);
}

unique_region CFrameGeometry::CopyRegion() const {
    if (!m_hRegion)
        return {};
    unique_region copy(::CreateRectRgn(0, 0, 0, 0));
    if (copy && ::CombineRgn(copy.get(), m_hRegion.get(), nullptr, RGN_COPY) == ERROR)
        copy.reset();
    return copy;
}

int CFrameGeometry::HitTest(POINT pt) const {
    return m_metrics.HitTest({static_cast<int>(pt.x), static_cast<int>(pt.y)});
}

RECT CFrameGeometry::WindowSizeForInner(int width, int height) const {
    return geometry::ToRECT(m_metrics.WindowSizeForInner(width, height, ReadSystemMetrics()));
}

RECT CFrameGeometry::WindowRectForInnerRect(const RECT& rect) const {
    return geometry::ToRECT(m_metrics.WindowRectForInnerRect(geometry::FromRECT(rect), ReadSystemMetrics()));
}

HBITMAP CFrameGeometry::GetCloseBitmap() const {
    return m_hCloseBitmaps[m_metrics.BitmapSlot()].get();
}

HBITMAP CFrameGeometry::GetSettingsBitmap() const {
    return m_hSettingsBitmaps[m_metrics.BitmapSlot()].get();
}

void CFrameGeometry::Paint(HDC dc) const {
    // The stock DC brush takes any colour, so painting creates no objects.
    HBRUSH brush = static_cast<HBRUSH>(::GetStockObject(DC_BRUSH));
    const COLORREF previousBrushColor = ::SetDCBrushColor(dc, m_metrics.Color());
    const RECT outer = OuterRect();
    ::FillRect(dc, &outer, brush);
    if (m_hRegion) {
        ::SetDCBrushColor(dc, m_metrics.OutlineColor());
        ::FrameRgn(dc, m_hRegion.get(), brush, 1, 1);
    }
    ::SetDCBrushColor(dc, previousBrushColor);

    SelectRestore font(dc, m_hFont.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, m_metrics.LabelTextColor());
    if (m_nCountdown > 0) {
        SelectRestore big(dc, m_hCountdownFont.get());
        const std::u16string digits = NumberText::DecimalText(m_nCountdown);
        const geometry::Rect label = m_metrics.SizeLabelRect();
        RECT area{label.left, m_metrics.InnerRect().bottom, label.right, m_metrics.OuterRect().bottom};
        ::DrawTextW(dc, Wide(digits), static_cast<int>(digits.size()), &area,
                    DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    } else {
        const std::u16string& size = m_metrics.SizeLabel();
        const geometry::Point sizeAt = m_metrics.SizeLabelPosition();
        ::TextOutW(dc, sizeAt.x, sizeAt.y, Wide(size), static_cast<int>(size.size()));
    }

    const std::u16string& status = m_metrics.StatusText();
    if (!status.empty() && m_nCountdown <= 0) {
        ::SetTextColor(dc, m_metrics.StatusColor());
        const geometry::Point statusAt = m_metrics.StatusLabelPosition();
        ::TextOutW(dc, statusAt.x, statusAt.y, Wide(status), static_cast<int>(status.size()));
        ::SetTextColor(dc, RGB(0, 0, 0));
    }
}
