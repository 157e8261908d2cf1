#pragma once

#include "geometry/Rect.h"
#include "frame/StatusLabel.h"

#include <cstdint>
#include <string>
#include <utility>

namespace frame {

// The dots per inch at which the frame is drawn unscaled.
inline constexpr int kDefaultDpi = 96;

// The three system metrics the frame's shape depends on, read by the caller
// with GetSystemMetrics. There is no vertical padded-border metric: the
// horizontal one pads both directions.
struct SystemMetrics {
    int paddedBorder = 0; // SM_CXPADDEDBORDER
    int dlgFrameX = 0;    // SM_CXDLGFRAME
    int dlgFrameY = 0;    // SM_CYDLGFRAME
};

// WM_NCHITTEST codes returned by HitTest (the values of HTCAPTION, ...).
constexpr int kHitCaption = 2;
constexpr int kHitTopLeft = 13;
constexpr int kHitTopRight = 14;
constexpr int kHitBottomLeft = 16;
constexpr int kHitBottomRight = 17;

// A rounded rectangle as CreateRoundRectRgn takes it (the region it makes
// ends one pixel before rect's right and bottom); the corner ellipse is
// ellipse x ellipse.
struct RoundRect {
    geometry::Rect rect;
    int ellipse = 0;

    bool operator==(const RoundRect&) const = default;
};

// The window shape is border ∪ tab − hole.
struct RegionShape {
    RoundRect border;
    RoundRect tab;
    geometry::Rect hole;
};

// Where the five tab controls go, in client coordinates (right and bottom
// exclusive; width and height are the controls' sizes).
struct TabLayout {
    geometry::Rect closeIcon;     // static 1007
    geometry::Rect minimizeIcon;  // static 1006, same place as the close icon
    geometry::Rect settingsIcon;  // static 1003
    geometry::Rect shutterButton; // button 1000
    geometry::Rect gripIcon;      // static 1005
};

// Everything about the capture frame's shape that is plain arithmetic: the
// pixel sizes derived from the scale, the border and hole rectangles for a
// window size, the parts of the window region, hit testing, the conversion
// between hole and window rectangles, the control layout and the label
// positions and colours. The window class owns one and adds the GDI objects.
class FrameMetrics {
public:
    // Derives the pixel sizes from the settings' color, frameWidth and
    // tabScaling (0 = automatic for the last two) and the monitor's scale
    // (dots per inch / kDefaultDpi). Does not recompute the rectangles.
    void SetScale(uint32_t color, int frameWidth, int tabScaling, double dpiScale,
                  const SystemMetrics& metrics);

    // Recomputes outerRect, innerRect and sizeLabel for a window size and
    // returns 1, or returns 0 when nothing changed since the last layout.
    int ComputeLayout(int width, int height, const SystemMetrics& metrics);

    RegionShape RegionParts() const;
    int HitTest(geometry::Point pt) const;
    geometry::Rect WindowSizeForInner(int width, int height, const SystemMetrics& metrics) const;
    geometry::Rect WindowRectForInnerRect(const geometry::Rect& rect, const SystemMetrics& metrics) const;

    // Index 0 to 5 of the close and settings bitmaps for the current scale
    // (10, 15, 20, 25, 30 and 40 pixels).
    int BitmapSlot() const;

    TabLayout ControlLayout() const;

    // Painting: the border's fill is color, the region's outline OutlineColor,
    // the size label is drawn in LabelTextColor at SizeLabelPosition, the
    // status label in StatusColor at StatusLabelPosition.
    uint32_t OutlineColor() const;
    uint32_t LabelTextColor() const;
    geometry::Point SizeLabelPosition() const;
    geometry::Point StatusLabelPosition() const;
    // The size label's place on the tab's lower line: from its text origin to
    // the shutter button, down to the tab's bottom edge.
    geometry::Rect SizeLabelRect() const;

    void SetStatus(int value) { m_status.SetStatus(value, Color()); }
    void ClearStatus() { m_status.Clear(); }
    // While a recording runs the frame takes kRecordingColor, whatever the
    // user's colour, and the size label shows label instead of the size.
    static constexpr uint32_t kRecordingColor = 0x002020E0;
    void SetRecording(bool recording, std::u16string label = {}) {
        m_bRecording = recording;
        m_strRecordingLabel = std::move(label);
    }
    bool Recording() const { return m_bRecording; }
    const std::u16string& StatusText() const { return m_status.Text(); }
    uint32_t StatusColor() const { return m_status.Color(); }

    double Scale() const { return m_dScale; }
    int FrameWidthPx() const { return m_nFrameWidthPx; }
    int CornerDiameter() const { return m_nCornerDiameter; }
    int GripSize() const { return m_nGripSize; }
    int TabWidth() const { return m_nTabWidth; }
    int TabHeight() const { return m_nTabHeight; }
    int TabCornerDiameter() const { return m_nTabCornerDiameter; }
    int MinWindowWidth() const { return m_nMinWindowWidth; }
    int MinWindowHeight() const { return m_nMinWindowHeight; }
    int MinInnerWidth() const { return m_nMinInnerWidth; }
    int MinInnerHeight() const { return m_nMinInnerHeight; }
    // Height for the tab labels' font (negative: a character height).
    int FontHeight() const { return m_nFontHeight; }
    uint32_t Color() const { return m_bRecording ? kRecordingColor : m_crColor; }
    int WindowWidth() const { return m_nWindowWidth; }
    const geometry::Rect& OuterRect() const { return m_rcOuter; }
    const geometry::Rect& InnerRect() const { return m_rcInner; }
    const std::u16string& SizeLabel() const { return m_bRecording ? m_strRecordingLabel : m_strSizeLabel; }

private:
    // factor x scale, truncated toward zero.
    int Scaled(double factor) const;

    double m_dScale = 1.0;
    int m_nFrameWidthPx = 4;
    int m_nCornerDiameter = 10;
    int m_nGripSize = 17;
    int m_nTabWidth = 120;
    int m_nTabHeight = 17;
    int m_nTabCornerDiameter = 5;
    int m_nMinWindowWidth = 0;
    int m_nMinWindowHeight = 0;
    int m_nMinInnerWidth = 10;
    int m_nMinInnerHeight = 10;
    int m_nFontHeight = -10;
    int m_nWindowWidth = 0;
    int m_nWindowHeight = 0;
    geometry::Rect m_rcOuter;
    geometry::Rect m_rcInner;
    uint32_t m_crColor = 0;
    bool m_bRecording = false;
    std::u16string m_strRecordingLabel;
    std::u16string m_strSizeLabel;
    StatusLabel m_status;

    // What the last layout was computed from besides the window size, so a
    // layout is redone after a scale or metrics change even at the same size.
    int m_nLayoutFrameWidthPx = -1;
    int m_nLayoutTabHeight = -1;
    SystemMetrics m_layoutMetrics;
};

} // namespace frame
