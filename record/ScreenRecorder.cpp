#include "record/ScreenRecorder.h"

#include "capture/DibPixels.h"
#include "capture/EncodeImageFile.h"
#include "capture/ShutterCapture.h"
#include "record/RecordClock.h"

#include <cstring>
#include <new>

std::int64_t PerformanceMicros() {
    // The counter's frequency is fixed at boot, so it is read once.
    static const std::int64_t frequency = [] {
        LARGE_INTEGER f{};
        ::QueryPerformanceFrequency(&f);
        return f.QuadPart > 0 ? static_cast<std::int64_t>(f.QuadPart) : 1;
    }();
    LARGE_INTEGER count{};
    ::QueryPerformanceCounter(&count);
    const std::int64_t ticks = count.QuadPart;
    return ticks / frequency * 1000000 + ticks % frequency * 1000000 / frequency;
}

ScreenRecorder::ScreenRecorder(HWND notify, UINT doneMessage, const RecordSteps& steps)
    : m_hNotify(notify), m_nDoneMessage(doneMessage), m_steps(steps) {
    if (!m_steps.grab)
        m_steps.grab = &GrabScreen;
}

ScreenRecorder::~ScreenRecorder() {
    if (m_bRecording)
        Stop();
    if (m_pWorker)
        m_pWorker->Join();
}

int ScreenRecorder::Start(const RecordRequest& request, CaptureResult* failure) {
    using Step = CaptureResult::Step;
    const auto failed = [&](int code, Step step, DWORD error) {
        if (failure) {
            failure->code = code;
            failure->Fail(step, error, request.path);
        }
        return code;
    };
    if (m_pWorker)
        return failed(kEncodeNoSource, Step::Encoder, 0);
    m_request = request;
    const int width = request.area.right - request.area.left;
    const int height = request.area.bottom - request.area.top;
    if (width < 1 || height < 1)
        return failed(kEncodeNoSource, Step::Screen, 0);
    m_result = CaptureResult{};
    m_pTemporary = std::make_unique<TemporaryImageFile>();
    m_pSink = std::make_unique<FileByteSink>(m_steps.write);
    const bool created = m_pTemporary->Create(request.folder);
    const DWORD createError = created ? 0 : ::GetLastError();
    if (!created || !m_pSink->Open(m_pTemporary->Path())) {
        const DWORD error = created ? m_pSink->Error() : createError;
        m_pSink.reset();
        m_pTemporary.reset();
        return failed(kEncodeCannotOpen, Step::File, error);
    }
    m_pWorker = std::make_unique<RecordingWorker>(request.format, width, height, *m_pSink, kQueueBytes,
                                                  [this](bool written) { Finished(written); });
    if (!m_pWorker->Start()) {
        m_pWorker.reset();
        m_pSink->Close();
        m_pSink.reset();
        m_pTemporary.reset();
        return failed(kEncodeNoSource, Step::Encoder, 0);
    }
    m_bRecording = true;
    m_nPeriod = RecordClock::Period(request.fps);
    m_nStart = m_steps.now();
    Grab(m_nStart);
    m_nDue = RecordClock::NextDue(m_nStart, m_nStart, m_nPeriod);
    return 0;
}

void ScreenRecorder::Grab(std::int64_t now) {
    m_steps.grab(m_image, m_request.area, m_request.withCursor);
    if (!m_image.bmBits)
        return; // nothing could be read this time: the frame before lasts longer
    const int width = m_image.bmWidth;
    const int height = m_image.bmHeight;
    const std::size_t packed = static_cast<std::size_t>(width) * 3;
    const std::size_t stride = DibPixels::Stride24(width);
    std::vector<std::uint8_t> frame;
    try {
        // Converted rows are padded; they are packed as they come, and the
        // last row's padding falls into the spare bytes at the end.
        frame.resize(packed * static_cast<std::size_t>(height) + stride);
    } catch (const std::bad_alloc&) {
        return;
    }
    std::vector<std::uint32_t> palette;
    if (m_image.bmBitsPixel == 8) {
        for (const PALETTEENTRY& e : ScreenPalette())
            palette.push_back((static_cast<std::uint32_t>(e.peRed) << 16) | (e.peGreen << 8) | e.peBlue);
    }
    const auto* bits = static_cast<const std::uint8_t*>(m_image.bmBits);
    for (int y = 0; y < height; ++y)
        if (!DibPixels::ToBgr24(bits + static_cast<std::size_t>(y) * m_image.bmWidthBytes, width, 1,
                                m_image.bmWidthBytes, m_image.bmBitsPixel,
                                palette.empty() ? nullptr : palette.data(), false,
                                frame.data() + static_cast<std::size_t>(y) * packed))
            return;
    frame.resize(packed * static_cast<std::size_t>(height));
    m_pWorker->Submit(std::move(frame), now - m_nStart);
}

bool ScreenRecorder::Tick() {
    if (!m_bRecording)
        return false;
    const std::int64_t now = m_steps.now();
    if (now - m_nStart >= static_cast<std::int64_t>(m_request.seconds) * 1000000)
        return false;
    if (now >= m_nDue) {
        Grab(now);
        m_nDue = RecordClock::NextDue(m_nStart, now, m_nPeriod);
    }
    return true;
}

UINT ScreenRecorder::TickMillis() const {
    const std::int64_t third = m_nPeriod / 3000;
    return static_cast<UINT>(third < USER_TIMER_MINIMUM ? USER_TIMER_MINIMUM : third);
}

std::int64_t ScreenRecorder::ElapsedMicros() const {
    return m_bRecording ? m_steps.now() - m_nStart : 0;
}

void ScreenRecorder::Stop() {
    if (!m_bRecording)
        return;
    m_bRecording = false;
    const std::int64_t limit = static_cast<std::int64_t>(m_request.seconds) * 1000000;
    std::int64_t end = m_steps.now() - m_nStart;
    if (end > limit)
        end = limit;
    m_pWorker->Stop(end);
}

// On the encoder thread, once: the file is closed and put in place (or
// deleted with the temporary owner later), then the owner is told.
void ScreenRecorder::Finished(bool written) {
    using Step = CaptureResult::Step;
    const bool closed = m_pSink->Close();
    CaptureResult result;
    result.path = m_request.path;
    if (written && closed) {
        const std::uint64_t size = m_pSink->Size();
        DWORD error = 0;
        if (m_pTemporary->PutInPlace(m_request.path.c_str(), &error))
            result.code = static_cast<int>(size > 0x7FFFFFFF ? 0x7FFFFFFF : size);
        else {
            result.code = kEncodeCannotOpen;
            result.Fail(Step::File, error, m_request.path);
        }
    } else {
        // A write the disk refused is the file's fault; without one the
        // encoder gave up by itself (it ran out of memory).
        result.code = kEncodeWriteFailed;
        const DWORD error = m_pSink->Error();
        result.Fail(error ? Step::File : Step::Encoder, error, m_request.path);
    }
    m_result = result;
    if (m_hNotify)
        ::PostMessageW(m_hNotify, m_nDoneMessage, 0, 0);
}

int ScreenRecorder::Collect(CaptureResult* detail) {
    if (!m_pWorker || m_bRecording) {
        if (detail)
            *detail = CaptureResult{kEncodeNoSource, CaptureResult::Step::Encoder, 0, m_request.path};
        return kEncodeNoSource;
    }
    m_pWorker->Join();
    m_pWorker.reset();
    m_pSink.reset();
    m_pTemporary.reset(); // deletes the file unless it was put in place
    if (detail)
        *detail = m_result;
    return m_result.code;
}
