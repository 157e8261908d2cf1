#include "frame/CFrameRecording.h"

#include "capture/EncodeImageFile.h"
#include "framework/CString.h"
#include "record/RecordClock.h"
#include "res/resource.h"

int CFrameRecording::Start(HWND frame, const Settings& settings, const RECT& hole,
                           const SettingsRules::LocalTime& now) {
    if (m_pRecorder)
        return kEncodeNoSource;
    m_result = CaptureResult{};
    RecordRequest request;
    request.area = hole;
    request.format = settings.recordFormat == 1 ? AnimationFormat::Apng : AnimationFormat::Gif;
    request.fps = SettingsRules::AcceptRecordFps(settings.recordFps, Settings::kDefaultRecordFps);
    request.seconds =
        SettingsRules::AcceptRecordSeconds(settings.recordSeconds, Settings::kDefaultRecordSeconds);
    request.withCursor = settings.combiningCursor;
    if (const DWORD error = CreateFolderIfMissing(settings.outputPath))
        m_result.Fail(CaptureResult::Step::Folder, error, static_cast<const wchar_t*>(settings.outputPath));
    request.folder = static_cast<const wchar_t*>(settings.outputPath);
    if (request.folder.empty())
        request.folder = L"\\";
    const CString name = settings.OutputFileName(
        request.format == AnimationFormat::Gif ? ImageType::Gif : ImageType::Png, now);
    request.path = static_cast<const wchar_t*>(
        FromU16(SettingsRules::PathInFolder(ToU16(settings.outputPath), ToU16(name))));
    m_pRecorder = std::make_unique<ScreenRecorder>(frame, kDoneMessage, m_steps);
    CaptureResult failure;
    const int started = m_pRecorder->Start(request, &failure);
    if (started != 0) {
        m_pRecorder.reset();
        // The folder that could not be made explains the file that could not be.
        m_result.code = started;
        m_result.Fail(failure.failed, failure.error, failure.path);
        return started;
    }
    m_result = CaptureResult{};
    m_strPath = request.path;
    ::SetTimer(frame, kTickTimer, m_pRecorder->TickMillis(), nullptr);
    return 0;
}

bool CFrameRecording::OnTimer(HWND frame) {
    if (!Recording())
        return false;
    if (!m_pRecorder->Tick()) {
        Stop(frame);
        return false;
    }
    return true;
}

void CFrameRecording::Stop(HWND frame) {
    ::KillTimer(frame, kTickTimer);
    if (m_pRecorder)
        m_pRecorder->Stop();
}

int CFrameRecording::Collect() {
    if (!m_pRecorder)
        return kEncodeNoSource;
    if (m_pRecorder->Recording())
        m_pRecorder->Stop();
    const int result = m_pRecorder->Collect(&m_result);
    m_pRecorder.reset();
    return result;
}

CString CFrameRecording::Explanation() const {
    // The known folders are looked up only for a failure to explain.
    if (m_result.Written() || (m_result.code == 0 && m_result.failed == CaptureResult::Step::None))
        return CString();
    return ExplainCaptureResult(m_result, ProtectedUserFolders());
}

std::u16string CFrameRecording::Label() const {
    std::u16string label = u"\u25CF ";
    if (Writing()) {
        CString text;
        text.LoadString(IDS_RECORD_WRITING);
        label += ToU16(text);
        return label;
    }
    char16_t elapsed[16];
    RecordClock::ElapsedText(m_pRecorder ? m_pRecorder->ElapsedMicros() : 0, elapsed);
    return label + elapsed;
}
