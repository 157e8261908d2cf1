// What the tab tells of the last capture or recording: its result (a size or
// an error code) for twelve seconds, with the reason of a failure in the size
// label's tooltip, and one flash of the taskbar button, put out a second later.
#pragma once

#include "capture/ShutterCapture.h"
#include "frame/CFrameGeometry.h"
#include "framework/CString.h"
#include "framework/CWnd.h"

#include <windows.h>

class CaptureStatus {
public:
    // frame runs the timers and is repainted; calls flash its taskbar button.
    CaptureStatus(CWnd& frame, CFrameGeometry& geometry, const ShutterCalls& calls)
        : m_frame(frame), m_geometry(geometry), m_calls(calls) {}

    // Shows result; explanation is why it failed, empty for a success.
    void Show(int result, const CString& explanation);
    // A timer of the frame went off (and was killed): true when it was one
    // of the status's.
    bool OnTimer(UINT_PTR id);
    // The size label's tooltip: the reason of the failure that shows, else
    // what the label is, and the name the next capture gets when there is one.
    // Valid until the next call.
    const wchar_t* SizeLabelTip(const CString& nextFileName);

    static constexpr UINT_PTR kTimer = 1;
    static constexpr UINT kMillis = 12000;
    // A flash with a count leaves the taskbar button lit on Windows; this
    // timer puts it out once the flash has run.
    static constexpr UINT_PTR kFlashStopTimer = 5;
    static constexpr UINT kFlashStopMillis = 1000;

private:
    CWnd& m_frame;
    CFrameGeometry& m_geometry;
    const ShutterCalls& m_calls;
    CString m_strExplanation; // why the capture whose code shows failed
    CString m_strTip;         // the size label's tooltip while it shows
};
