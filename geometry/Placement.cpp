#include "geometry/Placement.h"

#include "geometry/CoordinateLimit.h"

#include <algorithm>
#include <cstdint>

namespace geometry {
namespace {

Rect AtLeastOnePixel(const Rect& given) {
    const Rect rect = ClampRect(given);
    if (!rect.IsEmpty())
        return rect;
    return {rect.left, rect.top, rect.left + 1, rect.top + 1};
}

int64_t IntersectionArea(const Rect& a, const Rect& b) {
    const int64_t w = int64_t{std::min(a.right, b.right)} - std::max(a.left, b.left);
    const int64_t h = int64_t{std::min(a.bottom, b.bottom)} - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// Squared length of the gap between two rectangles that do not intersect;
// rectangles that only touch are at distance 0.
int64_t SquaredGap(const Rect& a, const Rect& b) {
    const int64_t gx = std::max<int64_t>({0, int64_t{b.left} - a.right, int64_t{a.left} - b.right});
    const int64_t gy = std::max<int64_t>({0, int64_t{b.top} - a.bottom, int64_t{a.top} - b.bottom});
    return gx * gx + gy * gy;
}

} // namespace

Placement::Placement(ScreenLayout screens) : m_screens(std::move(screens)) {
    for (MonitorArea& area : m_screens.monitors) {
        area.monitor = ClampRect(area.monitor);
        area.work = ClampRect(area.work);
    }
    m_screens.virtualScreen = ClampRect(m_screens.virtualScreen);
    m_screens.primaryWidth = ClampCoordinate(m_screens.primaryWidth);
    m_screens.primaryHeight = ClampCoordinate(m_screens.primaryHeight);
    m_screens.cursor = ClampPoint(m_screens.cursor);
}

int Placement::MonitorFromRect(const Rect& rect) const {
    const Rect r = AtLeastOnePixel(rect);
    int best = -1;
    int64_t bestArea = 0;
    for (size_t i = 0; i < m_screens.monitors.size(); ++i) {
        const int64_t area = IntersectionArea(r, m_screens.monitors[i].monitor);
        if (area > bestArea) {
            bestArea = area;
            best = static_cast<int>(i);
        }
    }
    return best;
}

int Placement::NearestMonitor(const Rect& rect) const {
    const int touched = MonitorFromRect(rect);
    if (touched >= 0)
        return touched;
    const Rect r = AtLeastOnePixel(rect);
    int best = -1;
    int64_t bestDistance = INT64_MAX;
    for (size_t i = 0; i < m_screens.monitors.size(); ++i) {
        const int64_t distance = SquaredGap(r, m_screens.monitors[i].monitor);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = static_cast<int>(i);
        }
    }
    return best;
}

int Placement::NearestMonitor(Point pt) const {
    return NearestMonitor(Rect{pt.x, pt.y, pt.x, pt.y});
}

int Placement::KeepOnScreen(Rect& rect, const Rect* hint, bool adjust, int minW, int minH, int defW, int defH,
                            int offX, int offY) const {
    rect = ClampRect(rect);
    minW = ClampCoordinate(minW);
    minH = ClampCoordinate(minH);
    defW = ClampCoordinate(defW);
    defH = ClampCoordinate(defH);
    offX = ClampCoordinate(offX);
    offY = ClampCoordinate(offY);
    // Off every monitor (a monitor unplugged, a resolution lowered): pull it
    // onto the nearest monitor, moving but never resizing it.
    if (MonitorFromRect(rect) < 0) {
        if (!adjust)
            return 0;
        const int nearest = NearestMonitor(hint != nullptr ? *hint : rect);
        if (nearest >= 0) {
            const Rect& m = m_screens.monitors[nearest].monitor;
            if (rect.left < m.left + offX)
                rect.Offset(m.left + offX - rect.left, 0);
            else if (rect.left > m.right + offX)
                rect.Offset(m.right + offX - rect.right, 0);
            if (rect.top < m.top + offY)
                rect.Offset(0, m.top + offY - rect.top);
            else if (rect.top > m.bottom + offY)
                rect.Offset(0, m.bottom + offY - rect.bottom);
        }
    }

    // Inside the virtual screen, give or take the offsets. At the bottom the
    // limit is shifted by offY - offX, so with equal offsets the window may
    // hang off on the left, top and right but not below. What cannot be moved
    // far enough without passing the left or top limit is cut.
    const Rect& v = m_screens.virtualScreen;
    if (rect.left < v.left + offX)
        rect.Offset(v.left + offX - rect.left, 0);
    if (rect.top < v.top + offY)
        rect.Offset(0, v.top + offY - rect.top);
    const int rightLimit = v.left + v.Width() - offX;
    if (rect.right > rightLimit) {
        const int excess = rect.right - rightLimit;
        if (rect.left - excess < v.left + offX) {
            rect.left = v.left + offX;
            rect.right = rightLimit;
        } else {
            rect.Offset(-excess, 0);
        }
    }
    const int bottomLimit = v.top + v.Height() + offY - offX;
    if (rect.bottom > bottomLimit) {
        const int excess = rect.bottom - bottomLimit;
        if (rect.top - excess < v.top + offY) {
            rect.top = v.top + offY;
            rect.bottom = bottomLimit;
        } else {
            rect.Offset(0, -excess);
        }
    }

    if (rect.Width() < minW || rect.Height() < minH) {
        rect = {0, 0, defW, defH};
        CenterOnCursorMonitor(rect);
        return 0;
    }
    return 1;
}

void Placement::CenterOnCursorMonitor(Rect& rect) const {
    rect = ClampRect(rect);
    const int width = rect.Width();
    const int height = rect.Height();
    const int monitor = m_screens.monitorInfoAvailable ? NearestMonitor(m_screens.cursor) : -1;
    int left;
    int top;
    if (monitor >= 0) {
        const Rect& work = m_screens.monitors[monitor].work;
        left = (work.left + work.right) / 2 - width / 2;
        top = (work.top + work.bottom) / 2 - height / 2;
    } else {
        left = m_screens.primaryWidth / 2 - width / 2;
        top = m_screens.primaryHeight / 2 - height / 2;
    }
    rect = {left, top, left + width, top + height};
}

Rect Placement::ClipToVirtualScreen(const Rect& rect) const {
    const Rect& v = m_screens.virtualScreen;
    return {std::max(rect.left, v.left), std::max(rect.top, v.top), std::min(rect.right, v.right),
            std::min(rect.bottom, v.bottom)};
}

} // namespace geometry
