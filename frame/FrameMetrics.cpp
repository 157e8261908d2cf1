#include "frame/FrameMetrics.h"

#include "geometry/CoordinateLimit.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

namespace frame {

using geometry::ClampCoordinate;
using geometry::ClampPoint;
using geometry::ClampRect;
using geometry::Point;
using geometry::Rect;

namespace {

constexpr int kMaxTabPercent = 800;
constexpr int kSmallTabPercent = 80;

int Channel(uint32_t color, int shift) {
    return static_cast<int>((color >> shift) & 0xFF);
}

uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}

// The tab sizes come in steps: below 100 % everything is 80 %, above that
// the request is rounded to the nearest 50 % (ties down) up to 800 %.
int TabPercent(int requested) {
    if (requested < 100)
        return kSmallTabPercent;
    requested = std::min(requested, kMaxTabPercent + 50);
    return std::min((requested + 24) / 50 * 50, kMaxTabPercent);
}

// Conversion of a product to int by truncation toward zero, kept inside the
// int range (a scale read from a broken display setting must not overflow).
int Truncate(double value) {
    if (!(value == value)) // NaN
        return 0;
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

SystemMetrics Clamped(const SystemMetrics& m) {
    return {ClampCoordinate(m.paddedBorder), ClampCoordinate(m.dlgFrameX), ClampCoordinate(m.dlgFrameY)};
}

} // namespace

int FrameMetrics::Scaled(double factor) const {
    return Truncate(factor * m_dScale);
}

void FrameMetrics::SetScale(uint32_t color, int frameWidth, int tabScaling, double dpiScale,
                            const SystemMetrics& system) {
    const SystemMetrics metrics = Clamped(system);
    const int requestedWidth = frameWidth != 0 ? frameWidth : Truncate(dpiScale * 4);
    const int requestedPercent = tabScaling != 0 ? tabScaling : Truncate(dpiScale * 100);

    m_dScale = TabPercent(requestedPercent) / 100.0;
    m_nFrameWidthPx = std::min(std::max(requestedWidth, 2), Scaled(24));
    m_nCornerDiameter = std::min(Truncate(2.5 * m_nFrameWidthPx), Scaled(10));
    m_nGripSize = Scaled(17);
    m_nTabWidth = Scaled(120);
    m_nTabHeight = std::max(0, 2 + Scaled(22) - m_nFrameWidthPx);
    m_nTabCornerDiameter = std::min(Scaled(5), m_nCornerDiameter);
    m_nMinWindowWidth = m_nMinInnerWidth + 2 * (m_nFrameWidthPx + metrics.dlgFrameX + metrics.paddedBorder);
    m_nMinWindowHeight =
        m_nMinInnerHeight + 2 * (m_nFrameWidthPx + metrics.dlgFrameY + metrics.paddedBorder) + m_nTabHeight;
    m_crColor = color;
    m_nFontHeight = Scaled(-10);
}

int FrameMetrics::ComputeLayout(int windowWidth, int windowHeight, const SystemMetrics& system) {
    const SystemMetrics metrics = Clamped(system);
    const int width = ClampCoordinate(windowWidth);
    const int height = ClampCoordinate(windowHeight);
    if (width == m_nWindowWidth && height == m_nWindowHeight && m_nFrameWidthPx == m_nLayoutFrameWidthPx &&
        m_nTabHeight == m_nLayoutTabHeight && metrics.paddedBorder == m_layoutMetrics.paddedBorder &&
        metrics.dlgFrameX == m_layoutMetrics.dlgFrameX && metrics.dlgFrameY == m_layoutMetrics.dlgFrameY)
        return 0;
    m_nWindowWidth = width;
    m_nWindowHeight = height;
    m_nLayoutFrameWidthPx = m_nFrameWidthPx;
    m_nLayoutTabHeight = m_nTabHeight;
    m_layoutMetrics = metrics;

    const int p = metrics.paddedBorder;
    const int dx = metrics.dlgFrameX;
    const int dy = metrics.dlgFrameY;
    const int fw = m_nFrameWidthPx;
    m_rcOuter = {p + dx, p + dy, width - dx - p, height - dy - p};
    m_rcInner = {m_rcOuter.left + fw, m_rcOuter.top + fw, m_rcOuter.right - fw,
                 m_rcOuter.bottom - m_nTabHeight - fw};

    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%03d x %03d", m_rcInner.Width(), m_rcInner.Height());
    m_strSizeLabel.assign(buffer, buffer + std::char_traits<char>::length(buffer));
    return 1;
}

RegionShape FrameMetrics::RegionParts() const {
    const Rect& o = m_rcOuter;
    RegionShape shape;
    // A rounded region stops one pixel short of its right and bottom
    // coordinates; the + 1 makes the rounded parts end at outerRect's edges.
    shape.border = {{o.left, o.top, o.right + 1, o.bottom - m_nTabHeight + 1}, m_nCornerDiameter};
    // The tab starts tabCornerDiameter above the hole's bottom edge, so only
    // its lower corners show rounded; the upper ones fall into the hole or
    // the border. On a hole lower than the tab's corners (large scales, small
    // holes) that would reach above the border into the margin, which is
    // never painted, so the tab is kept inside the border's rectangle.
    const int tabTop = o.bottom - m_nFrameWidthPx - m_nTabCornerDiameter - m_nTabHeight;
    shape.tab = {
        {std::max(o.right - m_nTabWidth, o.left), std::max(tabTop, o.top), o.right + 1, o.bottom + 1},
        m_nTabCornerDiameter};
    shape.hole = m_rcInner;
    return shape;
}

int FrameMetrics::HitTest(Point point) const {
    const Point pt = ClampPoint(point);
    // Only the corners resize; the rest of the border and the tab move the
    // frame. The bottom-left zone takes in the whole bottom bar, the
    // bottom-right one only the grip at the end of the tab.
    const int g = m_nGripSize;
    if (pt.x > m_rcInner.right - g) {
        if (pt.y > m_rcOuter.bottom - g)
            return kHitBottomRight;
        if (pt.y < m_rcInner.top + g)
            return kHitTopRight;
        return kHitCaption;
    }
    if (pt.x < m_rcInner.left + g) {
        if (pt.y > m_rcInner.bottom - g)
            return kHitBottomLeft;
        if (pt.y < m_rcInner.top + g)
            return kHitTopLeft;
        return kHitCaption;
    }
    return kHitCaption;
}

Rect FrameMetrics::WindowSizeForInner(int innerWidth, int innerHeight, const SystemMetrics& system) const {
    const SystemMetrics metrics = Clamped(system);
    const int width = ClampCoordinate(innerWidth);
    const int height = ClampCoordinate(innerHeight);
    return {0, 0, width + 2 * (m_nFrameWidthPx + metrics.dlgFrameX + metrics.paddedBorder),
            height + m_nTabHeight + 2 * (m_nFrameWidthPx + metrics.dlgFrameY + metrics.paddedBorder)};
}

Rect FrameMetrics::WindowRectForInnerRect(const Rect& inner, const SystemMetrics& system) const {
    const SystemMetrics metrics = Clamped(system);
    const Rect rect = ClampRect(inner);
    const int sideX = metrics.dlgFrameX + metrics.paddedBorder + m_nFrameWidthPx;
    const int sideY = metrics.dlgFrameY + metrics.paddedBorder + m_nFrameWidthPx;
    return {rect.left - sideX, rect.top - sideY, rect.right + sideX, rect.bottom + sideY + m_nTabHeight};
}

int FrameMetrics::BitmapSlot() const {
    if (std::fmod(m_dScale, 4.0) == 0.0)
        return 5;
    if (std::fmod(m_dScale, 3.0) == 0.0)
        return 4;
    if (std::fmod(m_dScale, 2.5) == 0.0)
        return 3;
    if (m_dScale == 2.0)
        return 2;
    if (m_dScale == 1.5)
        return 1;
    return 0;
}

TabLayout FrameMetrics::ControlLayout() const {
    const int left = m_rcOuter.right - m_nTabWidth;
    const int top = m_rcInner.bottom;
    const int icon = Scaled(10);
    auto sized = [](int x, int y, int w, int h) { return Rect{x, y, x + w, y + h}; };

    TabLayout layout;
    layout.closeIcon = sized(left + Scaled(3), top + 1, icon, icon);
    layout.minimizeIcon = layout.closeIcon;
    layout.settingsIcon = sized(left + Scaled(5) + icon, top + 1, icon, icon);
    layout.shutterButton =
        sized(m_rcOuter.right - 1 - Scaled(16) - Scaled(33), top, Scaled(29), m_nTabHeight + m_nFrameWidthPx);
    const int grip = Scaled(16);
    layout.gripIcon = sized(m_rcOuter.right - grip - 1, m_rcOuter.bottom - grip - 1, grip, grip);
    return layout;
}

uint32_t FrameMetrics::OutlineColor() const {
    const uint32_t color = Color();
    return Rgb((Channel(color, 0) + 80) / 2, (Channel(color, 8) + 80) / 2, (Channel(color, 16) + 80) / 2);
}

uint32_t FrameMetrics::LabelTextColor() const {
    return StatusLabel::Luma(OutlineColor()) < 60 ? Rgb(255, 255, 255) : Rgb(0, 0, 0);
}

Point FrameMetrics::SizeLabelPosition() const {
    return {m_rcOuter.right - m_nTabWidth + 3, m_rcOuter.bottom - Scaled(12)};
}

Point FrameMetrics::StatusLabelPosition() const {
    return {m_rcOuter.right - Scaled(91), m_rcInner.bottom};
}

Rect FrameMetrics::SizeLabelRect() const {
    const Point origin = SizeLabelPosition();
    return Rect{origin.x, origin.y, ControlLayout().shutterButton.left, m_rcOuter.bottom};
}

} // namespace frame
