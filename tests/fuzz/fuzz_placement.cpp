// Placement and frame arithmetic with any integers the system or the registry
// could hand in (INT_MIN, INT_MAX, empty and inverted rectangles, no
// monitors): no overflow, and the answers keep their promises.
#include "frame/ControllerSteps.h"
#include "frame/FrameMetrics.h"
#include "frame/FramePlacement.h"
#include "sizelist/CFrameSizeSelectRules.h"
#include "tests/fuzz/FuzzCheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <climits>

namespace {

using geometry::Point;
using geometry::Rect;

int TakeInt(FuzzedDataProvider& in) {
    // Mostly the edges of the range and small values, now and then anything.
    static const int kEdges[] = {INT_MIN, INT_MIN + 1, -99999, -1,    0,           1,
                                 10,      400,         1920,   99999, INT_MAX - 1, INT_MAX};
    const std::uint8_t pick = in.ConsumeIntegral<std::uint8_t>();
    if (pick < 96)
        return kEdges[pick % std::size(kEdges)];
    if (pick < 192)
        return in.ConsumeIntegralInRange<int>(-5000, 5000);
    return in.ConsumeIntegral<int>();
}

Rect TakeRect(FuzzedDataProvider& in) {
    Rect r;
    r.left = TakeInt(in);
    r.top = TakeInt(in);
    r.right = TakeInt(in);
    r.bottom = TakeInt(in);
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    geometry::ScreenLayout screens;
    const int monitors = in.ConsumeIntegralInRange<int>(0, 3);
    for (int i = 0; i < monitors; ++i)
        screens.monitors.push_back({TakeRect(in), TakeRect(in)});
    screens.virtualScreen = TakeRect(in);
    screens.primaryWidth = TakeInt(in);
    screens.primaryHeight = TakeInt(in);
    screens.cursor = Point{TakeInt(in), TakeInt(in)};
    screens.monitorInfoAvailable = in.ConsumeBool();
    const geometry::Placement placement(screens);

    const Rect probe = TakeRect(in);
    const int touched = placement.MonitorFromRect(probe);
    FUZZ_CHECK(touched >= -1 && touched < monitors);
    const int nearest = placement.NearestMonitor(probe);
    FUZZ_CHECK(monitors == 0 ? nearest == -1 : (nearest >= 0 && nearest < monitors));
    (void)placement.NearestMonitor(Point{TakeInt(in), TakeInt(in)});
    (void)placement.ClipToVirtualScreen(probe);

    Rect rect = TakeRect(in);
    const Rect hint = TakeRect(in);
    const bool useHint = in.ConsumeBool();
    const bool adjust = in.ConsumeBool();
    const int kept = placement.KeepOnScreen(rect, useHint ? &hint : nullptr, adjust, TakeInt(in), TakeInt(in),
                                            TakeInt(in), TakeInt(in), TakeInt(in), TakeInt(in));
    FUZZ_CHECK(kept == 0 || kept == 1);
    Rect centred = TakeRect(in);
    placement.CenterOnCursorMonitor(centred);

    frame::FrameMetrics metrics;
    frame::SystemMetrics system{TakeInt(in), TakeInt(in), TakeInt(in)};
    const double scales[] = {0.0, 0.5, 1.0, 1.25, 2.0, 4.0, 1e9, -1.0};
    metrics.SetScale(in.ConsumeIntegral<std::uint32_t>(), TakeInt(in), TakeInt(in),
                     scales[in.ConsumeIntegralInRange<int>(0, 7)], system);
    const int width = TakeInt(in), height = TakeInt(in);
    const int changed = metrics.ComputeLayout(width, height, system);
    FUZZ_CHECK(changed == 0 || changed == 1);
    (void)metrics.RegionParts();
    (void)metrics.HitTest(Point{TakeInt(in), TakeInt(in)});
    (void)metrics.ControlLayout();
    (void)metrics.WindowSizeForInner(TakeInt(in), TakeInt(in), system);
    (void)metrics.WindowRectForInnerRect(TakeRect(in), system);
    (void)metrics.SizeLabelPosition();
    (void)metrics.StatusLabelPosition();
    metrics.SetStatus(TakeInt(in));

    int x = TakeInt(in), y = TakeInt(in), cx = TakeInt(in), cy = TakeInt(in);
    (void)frame::StartupWindowRect(placement, x, y, cx, cy, metrics, system);
    (void)frame::ScaledWindowRect(TakeRect(in), TakeInt(in), TakeInt(in), metrics, system);
    (void)frame::FitWindowRect(TakeRect(in), TakeInt(in), metrics, system);

    Rect window = TakeRect(in);
    const int button = in.ConsumeIntegralInRange<int>(1008, 1021);
    FUZZ_CHECK(frame::ApplyControllerStep(button, window) == (button >= 1009 && button <= 1020));
    (void)frame::CenterOn(TakeRect(in), TakeInt(in), TakeInt(in));

    const auto plan = CFrameSizeSelectRules::PlanApply(in.ConsumeBool(), TakeRect(in), TakeRect(in),
                                                       TakeRect(in), TakeInt(in), TakeInt(in));
    (void)CFrameSizeSelectRules::CannotMoveText(plan.window, plan.chromeX);
    return 0;
}
