// One recording of a screen area into an animation file. The owner (the
// frame window) calls Tick from a timer on its own thread: when a frame is
// due, the area is grabbed there (quick) and handed to the encoder thread
// (RecordingWorker), which never makes the owner wait. Stop returns at once;
// when the file is complete (put in place under its name, or deleted after
// a failure) the owner's window receives the done message and calls Collect
// for the result. The file is written under a temporary name first, so an
// earlier file of the same name survives any failure. A failure comes with
// its step, the system's error and the path, as a still capture's does.
#pragma once

#include "capture/CaptureImage.h"
#include "capture/CaptureResult.h"
#include "capture/TemporaryImageFile.h"
#include "record/AnimationEncoder.h"
#include "record/FileByteSink.h"
#include "record/RecordingWorker.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

// Microseconds on the performance counter.
std::int64_t PerformanceMicros();

// The system steps of a recording, replaceable in tests.
struct RecordSteps {
    void (*grab)(CaptureImage& image, const RECT& area, bool withCursor) = nullptr; // null: GrabScreen
    std::int64_t (*now)() = &PerformanceMicros;
    FileByteSink::WriteFn write = &::WriteFile;
};

struct RecordRequest {
    RECT area{}; // screen coordinates, right and bottom exclusive
    AnimationFormat format = AnimationFormat::Gif;
    int fps = 15;            // 1..30
    int seconds = 60;        // the time limit, 1..600
    bool withCursor = false; // the cursor drawn into each frame
    std::wstring folder;     // where the file goes (it exists)
    std::wstring path;       // the file's full path
};

class ScreenRecorder {
public:
    // Pending frames may hold this many bytes; beyond it frames are dropped.
    static constexpr std::size_t kQueueBytes = std::size_t{256} << 20;

    ScreenRecorder(HWND notify, UINT doneMessage, const RecordSteps& steps = RecordSteps{});
    // A recording still running is stopped and its file finished first.
    ~ScreenRecorder();
    ScreenRecorder(const ScreenRecorder&) = delete;
    ScreenRecorder& operator=(const ScreenRecorder&) = delete;

    // Starts recording and grabs the first frame. Returns 0, or the
    // EncodeResult of why it could not start (nothing is then left behind),
    // with the failed step in *failure when given.
    int Start(const RecordRequest& request, CaptureResult* failure = nullptr);
    // Grabs a frame when one is due. False once the time limit is reached:
    // the owner then stops the recording.
    bool Tick();
    // How often Tick should run, in milliseconds.
    UINT TickMillis() const;
    // Ends the recording; the file is finished on the encoder thread.
    void Stop();
    // After the done message: waits for the encoder thread (which has ended)
    // and returns the file's size, or a negative EncodeResult; the whole
    // result in *detail when given.
    int Collect(CaptureResult* detail = nullptr);

    bool Recording() const { return m_bRecording; }
    bool Writing() const { return m_pWorker != nullptr && !m_bRecording; }
    std::int64_t ElapsedMicros() const;
    int Dropped() const { return m_pWorker ? m_pWorker->Dropped() : 0; }

private:
    void Grab(std::int64_t now);
    void Finished(bool written);

    HWND m_hNotify;
    UINT m_nDoneMessage;
    RecordSteps m_steps;
    RecordRequest m_request;
    CaptureImage m_image;
    std::unique_ptr<TemporaryImageFile> m_pTemporary;
    std::unique_ptr<FileByteSink> m_pSink;
    std::unique_ptr<RecordingWorker> m_pWorker;
    // Written once by the encoder thread, read after it has been joined.
    CaptureResult m_result;
    bool m_bRecording = false;
    std::int64_t m_nStart = 0;
    std::int64_t m_nDue = 0;
    std::int64_t m_nPeriod = 0;
};
