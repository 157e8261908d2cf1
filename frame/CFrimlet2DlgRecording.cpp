// Recording (CFrameRecording): the menu command, the timer, the file done.
#include "frame/CFrimlet2Dlg.h"

#include "app/Settings.h"
#include "capture/ShutterCapture.h"

void CFrimlet2Dlg::OnRecord() {
    if (m_recording.Busy()) {
        StopRecording();
        return;
    }
    if (IsIconic())
        return;
    RECT hole = m_geometry.InnerRect();
    ClientToScreen(&hole);
    StartRecording(hole, ReadLocalTime());
}

void CFrimlet2Dlg::StartRecording(RECT hole, const SettingsRules::LocalTime& now) {
    m_toolTips.Pop();
    OwnWindows::HideForShutter(m_controllerDlg, hole);
    const RECT screen = VirtualScreenRect();
    RECT area{};
    if (!::IntersectRect(&area, &hole, &screen))
        return;
    const int started = m_recording.Start(m_hWnd, m_settings, area, now);
    if (started != 0) {
        ShowCaptureResult(started, m_recording.Explanation());
        return;
    }
    KillTimer(kStatusTimer);
    m_geometry.SetStatus(0);
    UpdateRecordingLabel();
}

void CFrimlet2Dlg::StopRecording() {
    m_recording.Stop(m_hWnd);
    UpdateRecordingLabel();
}

void CFrimlet2Dlg::FinishRecording() {
    if (!m_recording.Busy())
        return;
    m_recording.Stop(m_hWnd);
    m_recording.Collect();
    m_geometry.SetRecording(false);
}

void CFrimlet2Dlg::OnRecordingTimer() {
    m_recording.OnTimer(m_hWnd);
    UpdateRecordingLabel();
}

void CFrimlet2Dlg::UpdateRecordingLabel() {
    const std::u16string label = m_recording.Label();
    if (m_geometry.Metrics().Recording() && m_geometry.Metrics().SizeLabel() == label)
        return;
    m_geometry.SetRecording(m_recording.Busy(), label);
    Invalidate(false);
}

void CFrimlet2Dlg::OnRecordingDone() {
    if (!m_recording.Writing())
        return;
    const int result = m_recording.Collect();
    m_geometry.SetRecording(false);
    ShowCaptureResult(result, m_recording.Explanation());
}
