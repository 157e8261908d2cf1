// The frames a recording has grabbed and its encoder has not yet taken,
// handed from the grabbing thread to the encoding one. The queue holds at
// most a ceiling of bytes: a frame that does not fit is dropped, and the
// frame before it is then shown until the next one that is kept.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

class FrameQueue {
public:
    explicit FrameQueue(std::size_t byteCeiling);

    // Adds a frame grabbed at micros unless the waiting frames and it would
    // hold more than the ceiling, or the queue is closed. Never waits.
    bool Push(std::vector<std::uint8_t>&& frame, std::int64_t micros);
    // Waits for the oldest frame and takes it; false once the queue is
    // closed and empty.
    bool Pop(std::vector<std::uint8_t>& frame, std::int64_t& micros);
    // No frame is taken after this.
    void Close();

    int Dropped() const;
    std::size_t PendingBytes() const;

private:
    struct Item {
        std::vector<std::uint8_t> frame;
        std::int64_t micros;
    };
    mutable std::mutex m_mutex;
    std::condition_variable m_ready;
    std::deque<Item> m_items;
    std::size_t m_nCeiling;
    std::size_t m_nBytes = 0;
    int m_nDropped = 0;
    bool m_bClosed = false;
};
