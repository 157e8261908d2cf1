// The see-through window that covers every monitor while the frame waits for
// the click that fits it to a window. Clicks on other programs' windows never
// reach a window of this program by themselves (mouse capture only holds the
// mouse while a button is down), so the overlay lies above them all: it shows
// the target cursor itself and takes the whole click, press and release, so
// that neither reaches the window beneath. It then hides and reports the
// click to its owner, which finds the window under the point.
#pragma once

#include "framework/CWnd.h"

#include <functional>

class CFitOverlay : public CWnd {
public:
    // The end of fit mode: MK_LBUTTON or MK_RBUTTON with the screen point
    // where the button was pressed, or 0 when fit mode ended without a click
    // (another window took the mouse, the session ends).
    using EndHandler = std::function<void(UINT button, POINT screen)>;

    // Covers the virtual screen with the overlay, owned by owner, and shows
    // the target cursor. False when the window cannot be made.
    bool Open(HWND owner, EndHandler onEnd);
    // Takes the overlay away; nothing is reported. Harmless when it is closed.
    void Close();
    bool IsOpen() const { return IsWindow(); }
    // The target cursor (shared; the system keeps it for the module's life).
    static HCURSOR TargetCursor();

private:
    BOOL OnSetCursor(HWND under, UINT hitTest, UINT mouseMessage);
    int OnMouseActivate(HWND topLevel, UINT hitTest, UINT mouseMessage);
    void OnLButtonDown(UINT flags, POINT client);
    void OnRButtonDown(UINT flags, POINT client);
    void OnLButtonUp(UINT flags, POINT client);
    void OnRButtonUp(UINT flags, POINT client);
    void OnCaptureChanged(HWND gaining);
    void OnKeyDown(UINT vk, UINT repeat, UINT flags);
    void OnEndSession(BOOL ending, UINT flags);
    void OnDisplayChange(UINT bitsPerPixel, int cx, int cy);

    // A press (MK_LBUTTON or MK_RBUTTON) and its release on the overlay.
    void Press(UINT button, POINT client);
    void Release(UINT button);
    // Hides the overlay and tells the owner how fit mode ended.
    void Finish(UINT button, POINT screen);
    void CoverVirtualScreen() const;

    EndHandler m_onEnd;
    UINT m_nPressed = 0; // the button held since its press on the overlay
    POINT m_ptPressedAt{};
    bool m_bFinishing = false;

    DECLARE_MESSAGE_MAP()
};
