#include "record/FrameQueue.h"

FrameQueue::FrameQueue(std::size_t byteCeiling) : m_nCeiling(byteCeiling) {}

bool FrameQueue::Push(std::vector<std::uint8_t>&& frame, std::int64_t micros) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_bClosed || frame.size() > m_nCeiling - (m_nBytes < m_nCeiling ? m_nBytes : m_nCeiling)) {
            ++m_nDropped;
            return false;
        }
        m_nBytes += frame.size();
        m_items.push_back(Item{std::move(frame), micros});
    }
    m_ready.notify_one();
    return true;
}

bool FrameQueue::Pop(std::vector<std::uint8_t>& frame, std::int64_t& micros) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_ready.wait(lock, [&] { return !m_items.empty() || m_bClosed; });
    if (m_items.empty())
        return false;
    frame = std::move(m_items.front().frame);
    micros = m_items.front().micros;
    m_items.pop_front();
    m_nBytes -= frame.size();
    return true;
}

void FrameQueue::Close() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bClosed = true;
    }
    m_ready.notify_all();
}

int FrameQueue::Dropped() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nDropped;
}

std::size_t FrameQueue::PendingBytes() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nBytes;
}
