// The frame's recording: started by the shutter with R held (or the menu),
// stopped by the shutter again, Esc, closing the frame, the end of the
// session or the time limit. The frame forwards its timer and the done
// message here and shows what Label says.
#pragma once

#include "app/Settings.h"
#include "capture/CaptureResult.h"
#include "frame/FrameMessages.h"
#include "record/ScreenRecorder.h"

#include <windows.h>

#include <memory>
#include <string>

class CFrameRecording {
public:
    // Posted to the frame when the file is complete.
    static constexpr UINT kDoneMessage = WM_APP_RECORDINGDONE;
    // The frame's timer that drives the grabbing.
    static constexpr UINT_PTR kTickTimer = 22;

    explicit CFrameRecording(const RecordSteps& steps = RecordSteps{}) : m_steps(steps) {}

    // Starts recording hole (screen coordinates) of frame into the output
    // folder under the capture's naming rule for now; arms the timer.
    // Returns 0, or a negative EncodeResult when it could not start
    // (Explanation then says why).
    int Start(HWND frame, const Settings& settings, const RECT& hole, const SettingsRules::LocalTime& now);
    // The timer: grabs a due frame; false once the time limit stopped it.
    bool OnTimer(HWND frame);
    // Stops grabbing; the file is finished on the encoder thread.
    void Stop(HWND frame);
    // After kDoneMessage (or to wait for it: the encoder is joined): the
    // file's size or a negative EncodeResult.
    int Collect();
    // What went wrong with the last start or file, in the words a still
    // capture's failure is told in; empty when nothing failed.
    CString Explanation() const;
    const CaptureResult& Result() const { return m_result; }

    bool Recording() const { return m_pRecorder && m_pRecorder->Recording(); }
    bool Writing() const { return m_pRecorder && m_pRecorder->Writing(); }
    bool Busy() const { return m_pRecorder != nullptr; }
    // "● 0:07" while recording, "● 保存中" while the file is written.
    std::u16string Label() const;
    const std::wstring& Path() const { return m_strPath; }

private:
    RecordSteps m_steps;
    std::unique_ptr<ScreenRecorder> m_pRecorder;
    std::wstring m_strPath;
    CaptureResult m_result;
};
