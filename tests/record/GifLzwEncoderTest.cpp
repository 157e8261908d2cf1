#include "record/GifLzwEncoder.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <vector>

namespace {

struct DecodeStats {
    int widest = 0;
    int clears = 0;
    std::vector<int> widthChangesAt; // data codes read before each widening
};

// A strict decoder written from the format's description: every code must be
// known when read, the stream must start with a clear code and end with the
// end code in the last byte, with zero padding.
std::optional<std::vector<std::uint8_t>> Decode(const std::vector<std::uint8_t>& bytes, int minCodeSize,
                                                DecodeStats& stats) {
    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    std::vector<std::vector<std::uint8_t>> dict;
    int width = minCodeSize + 1;
    auto reset = [&] {
        dict.assign(clear + 2, {});
        for (int i = 0; i < clear; ++i)
            dict[i] = {static_cast<std::uint8_t>(i)};
        width = minCodeSize + 1;
    };
    reset();
    std::size_t bit = 0;
    auto read = [&]() -> int {
        if (bit + width > bytes.size() * 8)
            return -1;
        int code = 0;
        for (int i = 0; i < width; ++i, ++bit)
            code |= ((bytes[bit / 8] >> (bit % 8)) & 1) << i;
        return code;
    };
    std::vector<std::uint8_t> out;
    int prev = -1;
    int dataCodes = 0;
    bool started = false;
    for (;;) {
        const int code = read();
        if (code < 0)
            return std::nullopt;
        if (!started && code != clear)
            return std::nullopt;
        started = true;
        if (code == clear) {
            ++stats.clears;
            reset();
            prev = -1;
            continue;
        }
        if (code == end) {
            if ((bit + 7) / 8 != bytes.size())
                return std::nullopt;
            for (std::size_t b = bit; b < bytes.size() * 8; ++b)
                if ((bytes[b / 8] >> (b % 8)) & 1)
                    return std::nullopt;
            return out;
        }
        std::vector<std::uint8_t> entry;
        if (code < static_cast<int>(dict.size()) && (code < clear || code > end))
            entry = dict[code];
        else if (code == static_cast<int>(dict.size()) && prev >= 0) {
            entry = dict[prev];
            entry.push_back(dict[prev][0]);
        } else
            return std::nullopt;
        out.insert(out.end(), entry.begin(), entry.end());
        ++dataCodes;
        if (prev >= 0 && dict.size() < 4096) {
            auto added = dict[prev];
            added.push_back(entry[0]);
            dict.push_back(added);
            if (static_cast<int>(dict.size()) == (1 << width) && width < 12) {
                ++width;
                stats.widthChangesAt.push_back(dataCodes);
            }
        }
        if (width > stats.widest)
            stats.widest = width;
        prev = code;
    }
}

std::vector<std::uint8_t> Random(std::size_t n, int values, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<std::uint8_t> v(n);
    for (auto& x : v)
        x = static_cast<std::uint8_t>(rng() % static_cast<unsigned>(values));
    return v;
}

TEST(GifLzwEncoderTest, EveryLengthAndCodeSizeDecodesToTheInputWithTheEndCodeInPlace) {
    // Each length up to 700 puts the end code at every position relative to
    // a widening for the small code sizes.
    GifLzwEncoder encoder;
    for (int minCodeSize : {2, 3, 5, 8}) {
        for (std::size_t n = 0; n <= 700; ++n) {
            const auto input = Random(n, 1 << minCodeSize, static_cast<unsigned>(n * 31 + minCodeSize));
            std::vector<std::uint8_t> bytes;
            encoder.Encode(input.data(), input.size(), minCodeSize, bytes);
            DecodeStats stats;
            const auto decoded = Decode(bytes, minCodeSize, stats);
            ASSERT_TRUE(decoded) << "min " << minCodeSize << " n " << n;
            ASSERT_EQ(*decoded, input) << "min " << minCodeSize << " n " << n;
        }
    }
}

TEST(GifLzwEncoderTest, CodesWidenAtEachPowerOfTwoAndTheDictionaryStartsOverWhenFull) {
    struct Case {
        int minCodeSize;
        int values;
        std::size_t n;
        int clearsAtLeast;
    };
    const Case cases[] = {
        {8, 256, 200000, 10}, // noise: the dictionary fills again and again
        {2, 4, 200000, 10},
        {4, 2, 100000, 1}, // two values in a four-bit table
    };
    GifLzwEncoder encoder;
    for (const auto& c : cases) {
        const auto input = Random(c.n, c.values, 7);
        std::vector<std::uint8_t> bytes;
        encoder.Encode(input.data(), input.size(), c.minCodeSize, bytes);
        DecodeStats stats;
        const auto decoded = Decode(bytes, c.minCodeSize, stats);
        ASSERT_TRUE(decoded) << c.minCodeSize << "/" << c.values;
        EXPECT_EQ(*decoded, input);
        EXPECT_EQ(stats.widest, 12);
        EXPECT_GE(stats.clears, c.clearsAtLeast + 1); // the leading clear too
        // Between two clears the widths step 1 by 1 from minCodeSize + 1 to 12.
        EXPECT_GE(stats.widthChangesAt.size(), static_cast<std::size_t>(12 - c.minCodeSize - 1));
    }
    // A run of one value: 1 + 2 + ... + k values take k codes.
    const std::vector<std::uint8_t> run(5050, 3);
    std::vector<std::uint8_t> bytes;
    encoder.Encode(run.data(), run.size(), 2, bytes);
    DecodeStats stats;
    ASSERT_TRUE(Decode(bytes, 2, stats));
    EXPECT_LT(bytes.size(), 200u);
}

} // namespace
