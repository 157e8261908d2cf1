// Where the frame window goes: at start-up from the stored placement, after a
// scale change, and when its hole is fitted over another window.
#pragma once

#include "frame/FrameMetrics.h"
#include "geometry/Placement.h"
#include "geometry/Rect.h"

#include <optional>

namespace frame {

// The frame window's rectangle at start-up from the stored x, y (window
// top-left) and cx, cy (hole size). When any of them is INT_MIN nothing was
// stored: they are set to 0, 0, 400, 300 and the default frame is centred on
// the cursor's monitor.
geometry::Rect StartupWindowRect(const geometry::Placement& screens, int& x, int& y, int& cx, int& cy,
                                 const FrameMetrics& shape, const SystemMetrics& metrics);

// The window rectangle after SetScale that keeps the hole (holeWidth x
// holeHeight, inside window) where it is on the screen.
geometry::Rect ScaledWindowRect(const geometry::Rect& window, int holeWidth, int holeHeight,
                                const FrameMetrics& shape, const SystemMetrics& metrics);

// The frame window rectangle whose hole covers target exactly, or nothing
// when target is at least as wide as the primary screen (the desktop, a
// maximised window).
std::optional<geometry::Rect> FitWindowRect(const geometry::Rect& target, int primaryWidth,
                                            const FrameMetrics& shape, const SystemMetrics& metrics);

// The rectangle of a clicked window that the hole is fitted to. A top-level
// window's window rectangle takes in its invisible resize borders, so its
// visible bounds are used when the system gives them (and they are not
// empty); a child control is fitted to its window rectangle.
geometry::Rect FitTargetRect(const geometry::Rect& windowRect, bool topLevel,
                             const std::optional<geometry::Rect>& visibleBounds);

// The window size the frame takes when it switches from the scale of current
// to that of scaled, for a window that would otherwise be pendingWidth x
// pendingHeight: the hole keeps its size and only the border and tab change,
// as ApplyScale does.
geometry::Rect DpiScaledWindowSize(int pendingWidth, int pendingHeight, const FrameMetrics& current,
                                   const SystemMetrics& currentMetrics, const FrameMetrics& scaled,
                                   const SystemMetrics& scaledMetrics);

} // namespace frame
