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

int ScreenRecorder::Start(const RecordRequest& request) {
    if (m_pWorker)
        return kEncodeNoSource;
    m_request = request;
    const int width = request.area.right - request.area.left;
    const int height = request.area.bottom - request.area.top;
    if (width < 1 || height < 1)
        return kEncodeNoSource;
    m_nResult = 0;
    m_pTemporary = std::make_unique<TemporaryImageFile>();
    m_pSink = std::make_unique<FileByteSink>(m_steps.write);
    if (!m_pTemporary->Create(request.folder) || !m_pSink->Open(m_pTemporary->Path())) {
        m_pSink.reset();
        m_pTemporary.reset();
        return kEncodeCannotOpen;
    }
    m_pWorker = std::make_unique<RecordingWorker>(request.format, width, height, *m_pSink, kQueueBytes,
                                                  [this](bool written) { Finished(written); });
    if (!m_pWorker->Start()) {
        m_pWorker.reset();
        m_pSink->Close();
        m_pSink.reset();
        m_pTemporary.reset();
        return kEncodeNoSource;
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
    const bool closed = m_pSink->Close();
    int result = kEncodeWriteFailed;
    if (written && closed) {
        const std::uint64_t size = m_pSink->Size();
        result = m_pTemporary->PutInPlace(m_request.path.c_str())
                     ? static_cast<int>(size > 0x7FFFFFFF ? 0x7FFFFFFF : size)
                     : kEncodeCannotOpen;
    }
    m_nResult = result;
    if (m_hNotify)
        ::PostMessageW(m_hNotify, m_nDoneMessage, 0, 0);
}

int ScreenRecorder::Collect() {
    if (!m_pWorker || m_bRecording)
        return kEncodeNoSource;
    m_pWorker->Join();
    m_pWorker.reset();
    m_pSink.reset();
    m_pTemporary.reset(); // deletes the file unless it was put in place
    return m_nResult.load();
}
