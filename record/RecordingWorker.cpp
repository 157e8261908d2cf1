#include "record/RecordingWorker.h"

#include <new>
#include <system_error>

RecordingWorker::RecordingWorker(AnimationFormat format, int width, int height, ByteSink& sink,
                                 std::size_t byteCeiling, Done done)
    // An animated PNG has alpha so that a frame can leave what did not change
    // to the frame before: far smaller, and every shown pixel stays opaque.
    : m_encoder(format, width, height, sink, /*apngOver=*/true), m_queue(byteCeiling),
      m_done(std::move(done)) {}

RecordingWorker::~RecordingWorker() {
    if (!m_bStopped && m_thread.joinable())
        Stop(m_nEnd.load());
    Join();
}

bool RecordingWorker::Start() {
    try {
        m_thread = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

bool RecordingWorker::Submit(std::vector<std::uint8_t>&& frame, std::int64_t micros) {
    m_nEnd.store(micros);
    return m_queue.Push(std::move(frame), micros);
}

void RecordingWorker::Stop(std::int64_t endMicros) {
    m_nEnd.store(endMicros);
    m_bStopped = true;
    m_queue.Close();
}

void RecordingWorker::Join() {
    if (m_thread.joinable())
        m_thread.join();
}

void RecordingWorker::Run() {
    bool ok = true;
    std::vector<std::uint8_t> frame;
    std::int64_t micros = 0;
    try {
        while (m_queue.Pop(frame, micros)) {
            // After a failure the frames are still taken, so that the queue
            // never fills, but no longer encoded.
            if (ok)
                ok = m_encoder.AddFrame(std::move(frame), micros);
            m_nWritten.store(m_encoder.FramesWritten());
        }
        ok = ok && m_encoder.Finish(m_nEnd.load());
    } catch (const std::bad_alloc&) {
        ok = false;
        while (m_queue.Pop(frame, micros)) {
        }
    }
    m_nWritten.store(m_encoder.FramesWritten());
    if (m_done)
        m_done(ok);
}
