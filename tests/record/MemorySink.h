// A byte sink that keeps what the writers write in memory, for the tests and
// the recording benchmark.
#pragma once

#include "record/ByteSink.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

class MemorySink : public ByteSink {
public:
    std::vector<std::uint8_t> bytes;
    bool Write(const std::uint8_t* data, std::size_t size) override {
        bytes.insert(bytes.end(), data, data + size);
        return true;
    }
    bool WriteAt(std::uint64_t offset, const std::uint8_t* data, std::size_t size) override {
        if (offset + size > bytes.size())
            return false;
        std::copy(data, data + size, bytes.begin() + static_cast<std::ptrdiff_t>(offset));
        return true;
    }
};
