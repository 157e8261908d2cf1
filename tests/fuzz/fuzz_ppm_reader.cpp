// The PPM reader on arbitrary bytes: a picture it accepts lies wholly inside
// the data.
#include "capture/PpmReader.h"
#include "tests/fuzz/FuzzCheck.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // An exact copy, so that a read behind the data is caught.
    const std::vector<std::uint8_t> bytes(data, data + size);
    PpmReader::Image image;
    const PpmReader::Result result = PpmReader::Parse(bytes.data(), bytes.size(), image);
    if (result != PpmReader::Result::Ok) {
        FUZZ_CHECK(image.rgb == nullptr);
        return 0;
    }
    FUZZ_CHECK(image.width > 0 && image.height > 0);
    FUZZ_CHECK(image.rgb >= bytes.data() && image.rgb <= bytes.data() + bytes.size());
    const std::size_t offset = static_cast<std::size_t>(image.rgb - bytes.data());
    const unsigned long long needed =
        3ull * static_cast<unsigned>(image.width) * static_cast<unsigned>(image.height);
    FUZZ_CHECK(needed <= bytes.size() - offset);
    unsigned sum = 0;
    for (unsigned long long i = 0; i < needed; ++i)
        sum += image.rgb[i];
    return static_cast<int>(sum & 0);
}
