#include "frame/CaptureStatus.h"

#include "res/resource.h"

namespace {
CString LoadText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

// One flash of the taskbar button, half a second long.
constexpr UINT kFlashCount = 1;
constexpr DWORD kFlashMillis = 500;
} // namespace

void CaptureStatus::Show(int result, const CString& explanation) {
    m_geometry.SetStatus(result);
    m_strExplanation = explanation;
    m_frame.Invalidate(true);
    m_frame.KillTimer(kTimer);
    m_frame.SetTimer(kTimer, kMillis);
    FLASHWINFO flash{sizeof(flash), m_frame.m_hWnd, FLASHW_TRAY, kFlashCount, kFlashMillis};
    m_calls.flashWindowEx(&flash);
    m_frame.KillTimer(kFlashStopTimer);
    m_frame.SetTimer(kFlashStopTimer, kFlashStopMillis);
}

bool CaptureStatus::OnTimer(UINT_PTR id) {
    if (id == kTimer) {
        m_geometry.ClearStatus();
        m_strExplanation.Empty();
        m_frame.Invalidate(true);
        return true;
    }
    if (id == kFlashStopTimer) {
        FLASHWINFO stop{sizeof(stop), m_frame.m_hWnd, FLASHW_STOP, 0, 0};
        m_calls.flashWindowEx(&stop);
        return true;
    }
    return false;
}

const wchar_t* CaptureStatus::SizeLabelTip(const CString& nextFileName) {
    m_strTip = m_strExplanation.IsEmpty() ? LoadText(IDS_TIP_SIZE_LABEL) : m_strExplanation;
    if (!nextFileName.IsEmpty()) {
        CString line;
        line.Format(LoadText(IDS_NEXT_FILE_NAME), nextFileName.GetString());
        m_strTip += L"\r\n" + line;
    }
    return m_strTip.GetString();
}
