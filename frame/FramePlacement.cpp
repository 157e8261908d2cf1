#include "frame/FramePlacement.h"

#include "geometry/CoordinateLimit.h"

#include <algorithm>
#include <climits>

namespace frame {

using geometry::ClampCoordinate;
using geometry::ClampRect;
using geometry::Rect;

namespace {

constexpr int kDefaultInnerWidth = 400;
constexpr int kDefaultInnerHeight = 300;

} // namespace

Rect StartupWindowRect(const geometry::Placement& screens, int& x, int& y, int& cx, int& cy,
                       const FrameMetrics& shape, const SystemMetrics& metrics) {
    if (x == INT_MIN || y == INT_MIN || cx == INT_MIN || cy == INT_MIN) {
        x = 0;
        y = 0;
        cx = kDefaultInnerWidth;
        cy = kDefaultInnerHeight;
        Rect rect = shape.WindowSizeForInner(kDefaultInnerWidth, kDefaultInnerHeight, metrics);
        screens.CenterOnCursorMonitor(rect);
        return rect;
    }

    x = ClampCoordinate(x);
    y = ClampCoordinate(y);
    cx = ClampCoordinate(cx);
    cy = ClampCoordinate(cy);
    Rect rect = shape.WindowSizeForInner(cx, cy, metrics);
    rect.Offset(x, y);
    const int chromeX = rect.Width() - cx;
    const int chromeY = rect.Height() - cy;
    const int off = chromeX / 2;
    screens.KeepOnScreen(rect, nullptr, true, chromeX + shape.MinInnerWidth(),
                         chromeY + shape.MinInnerHeight(), chromeX + kDefaultInnerWidth,
                         chromeY + kDefaultInnerHeight, -off, -off);
    return rect;
}

Rect ScaledWindowRect(const Rect& current, int holeWidth, int holeHeight, const FrameMetrics& shape,
                      const SystemMetrics& metrics) {
    const Rect window = ClampRect(current);
    const Rect size = shape.WindowSizeForInner(holeWidth, holeHeight, metrics);
    // The border grows by the same amount on every side, so growing the
    // window by half the change in width on the left, right and top keeps
    // the hole in place; the bottom follows from the new height.
    const int d = (size.Width() - window.Width()) / 2;
    const int top = window.top - d;
    return {window.left - d, top, window.right + d, top + size.Height()};
}

std::optional<Rect> FitWindowRect(const Rect& given, int primaryWidth, const FrameMetrics& shape,
                                  const SystemMetrics& metrics) {
    const Rect target = ClampRect(given);
    if (target.Width() >= ClampCoordinate(primaryWidth))
        return std::nullopt;
    return shape.WindowRectForInnerRect(target, metrics);
}

Rect FitTargetRect(const Rect& windowRect, bool topLevel, const std::optional<Rect>& visibleBounds) {
    if (topLevel && visibleBounds && !visibleBounds->IsEmpty())
        return *visibleBounds;
    return windowRect;
}

Rect DpiScaledWindowSize(int pendingWidth, int pendingHeight, const FrameMetrics& current,
                         const SystemMetrics& currentMetrics, const FrameMetrics& scaled,
                         const SystemMetrics& scaledMetrics) {
    const Rect chrome = current.WindowSizeForInner(0, 0, currentMetrics);
    const int holeWidth = std::max(pendingWidth - chrome.Width(), current.MinInnerWidth());
    const int holeHeight = std::max(pendingHeight - chrome.Height(), current.MinInnerHeight());
    return scaled.WindowSizeForInner(holeWidth, holeHeight, scaledMetrics);
}

} // namespace frame
