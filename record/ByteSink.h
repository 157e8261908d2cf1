// Where the animation writers put their bytes: a file on Windows, memory in
// the tests. Write appends; WriteAt overwrites bytes already written (the
// frame count in an animated PNG's header is known only at the end).
#pragma once

#include <cstddef>
#include <cstdint>

class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool Write(const std::uint8_t* data, std::size_t size) = 0;
    virtual bool WriteAt(std::uint64_t offset, const std::uint8_t* data, std::size_t size) = 0;
};
