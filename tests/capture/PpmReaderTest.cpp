#include "capture/PpmReader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Result = PpmReader::Result;

struct Parsed {
    Result result;
    PpmReader::Image image;
    std::vector<std::uint8_t> data;
};

Parsed Parse(const std::string& header, std::size_t rasterBytes) {
    Parsed p;
    p.data.assign(header.begin(), header.end());
    for (std::size_t i = 0; i < rasterBytes; ++i)
        p.data.push_back(static_cast<std::uint8_t>(i + 1));
    p.result = PpmReader::Parse(p.data.data(), p.data.size(), p.image);
    return p;
}

TEST(PpmReader, ReadsHeadersWithCommentsAndAnyWhitespace) {
    struct Case {
        const char* header;
        int width, height;
    } cases[] = {
        {"P6\n3 2\n255\n", 3, 2},
        {"P6 3\t2\r\n255 ", 3, 2},
        {"P6\n# made by hand\n3 # width\n  2\n#maxval next\n255\n", 3, 2},
        {"P6#c\n12 1 255\n", 12, 1},
        {"P6 3 2 255#comment right after maxval\n", 3, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        const std::string header = c.header;
        const Parsed p = Parse(header, static_cast<std::size_t>(c.width * c.height * 3) + 5);
        ASSERT_EQ(p.result, Result::Ok);
        EXPECT_EQ(p.image.width, c.width);
        EXPECT_EQ(p.image.height, c.height);
        // The raster starts right after the one delimiter; trailing bytes are ignored.
        EXPECT_EQ(p.image.rgb, p.data.data() + header.size());
    }
}

TEST(PpmReader, RejectsBadInput) {
    struct Case {
        const char* header;
        std::size_t raster;
        Result expected;
    } cases[] = {
        {"P3\n1 1\n255\n", 3, Result::BadMagic},
        {"P5\n1 1\n255\n", 3, Result::BadMagic},
        {"", 0, Result::BadMagic},
        {"P", 0, Result::BadMagic},
        {"P61 1 255\n", 3, Result::BadHeader},
        {"P6\n1 x 255\n", 3, Result::BadHeader},
        {"P6\n1 1 255x", 3, Result::BadHeader},
        {"P6\n-1 1 255\n", 3, Result::BadHeader},
        {"P6\n1 1 65535\n", 6, Result::BadMaxval},
        {"P6\n1 1 15\n", 3, Result::BadMaxval},
        {"P6\n1 1 0\n", 3, Result::BadMaxval},
        {"P6\n0 5 255\n", 0, Result::ZeroSize},
        {"P6\n5 0 255\n", 0, Result::ZeroSize},
        {"P6\n99999999999 1 255\n", 3, Result::TooLarge},
        {"P6\n2 2 255\n", 11, Result::Truncated},
        {"P6\n2 2 255", 0, Result::Truncated},
        {"P6\n2 2", 0, Result::Truncated},
        {"P6\n2 2 255 # no end", 0, Result::Truncated},
        {"P6\n100000 100000 255\n", 12, Result::Truncated},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        const Parsed p = Parse(c.header, c.raster);
        EXPECT_EQ(p.result, c.expected);
        EXPECT_EQ(p.image.rgb, nullptr);
    }
}

} // namespace
