// The thread that encodes a recording while it is being grabbed. The
// grabbing thread hands frames in through a bounded queue (FrameQueue) and
// never waits for the encoder; Stop only asks the encoder to finish, and
// the worker tells when the file is complete through the callback it was
// given, from its own thread. The worker's owner joins it (at the latest in
// the destructor, which stops it first).
#pragma once

#include "record/AnimationEncoder.h"
#include "record/ByteSink.h"
#include "record/FrameQueue.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

class RecordingWorker {
public:
    // Called once on the worker when the encoder has finished: true when the
    // file was written completely.
    using Done = std::function<void(bool written)>;

    RecordingWorker(AnimationFormat format, int width, int height, ByteSink& sink, std::size_t byteCeiling,
                    Done done);
    ~RecordingWorker();
    RecordingWorker(const RecordingWorker&) = delete;
    RecordingWorker& operator=(const RecordingWorker&) = delete;

    // Starts the thread; false when it could not be started.
    bool Start();
    // A frame grabbed at micros; false when it was dropped.
    bool Submit(std::vector<std::uint8_t>&& frame, std::int64_t micros);
    // The recording ended at endMicros: the frames already handed in are
    // encoded, then the file is ended. Returns at once.
    void Stop(std::int64_t endMicros);
    // Waits for the thread to end (after Stop).
    void Join();

    int Dropped() const { return m_queue.Dropped(); }
    int FramesWritten() const { return m_nWritten.load(); }

private:
    void Run();

    AnimationEncoder m_encoder;
    FrameQueue m_queue;
    Done m_done;
    std::thread m_thread;
    std::atomic<std::int64_t> m_nEnd{0};
    std::atomic<int> m_nWritten{0};
    bool m_bStopped = false;
};
