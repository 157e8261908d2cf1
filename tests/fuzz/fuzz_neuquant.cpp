// The GIF quantiser through its public interface on pictures of random size
// (0 to 600 pixels a side), depth and stride: it never reads outside the rows
// it is given, never writes outside the index rows, and every index it writes
// lies below the palette size.
#include "capture/NeuQuant.h"
#include "tests/fuzz/FuzzCheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int width = in.ConsumeIntegralInRange<int>(0, 600);
    const int height = in.ConsumeIntegralInRange<int>(0, 600);
    static const int kDepths[] = {16, 24, 32, 8, 0, -24};
    const int bits = kDepths[in.ConsumeIntegralInRange<int>(0, 5)];
    const int bytesPerPixel = bits > 0 ? bits / 8 : 0;
    const int padding = in.ConsumeIntegralInRange<int>(-2, 7);
    const int stride = width * bytesPerPixel + padding;
    const int indexPadding = in.ConsumeIntegralInRange<int>(-1, 5);
    const int indexStride = width + indexPadding;
    const bool wide = in.ConsumeBool();
    const bool inTwoHalves = in.ConsumeBool();

    // The pixels repeat the rest of the input; a picture may be all of one colour.
    const std::vector<std::uint8_t> pattern = in.ConsumeRemainingBytes<std::uint8_t>();
    const std::size_t pixelBytes =
        stride > 0 && height > 0 ? static_cast<std::size_t>(stride) * static_cast<std::size_t>(height) : 0;
    std::vector<std::uint8_t> pixels(pixelBytes);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = pattern.empty() ? 0x80 : pattern[i % pattern.size()];
    // Index rows with a guard value in the padding, which must stay.
    constexpr std::uint8_t kGuard = 0xA5;
    const std::size_t indexBytes = indexStride > 0 && height > 0 ? static_cast<std::size_t>(indexStride) *
                                                                       static_cast<std::size_t>(height)
                                                                 : 0;
    std::vector<std::uint8_t> indices(indexBytes, kGuard);

    NeuQuant quantiser(wide);
    const std::uint8_t* const pixelData = pixels.empty() ? nullptr : pixels.data();
    std::uint8_t* const indexData = indices.empty() ? nullptr : indices.data();
    bool ok;
    if (inTwoHalves) {
        ok = quantiser.Learn(pixelData, width, height, stride, bits) &&
             quantiser.Map(pixelData, width, height, stride, bits, indexData, indexStride);
    } else {
        ok = quantiser.Quantise(pixelData, width, height, stride, bits, indexData, indexStride);
    }
    const bool validShape = (bits == 16 || bits == 24 || bits == 32) && padding >= 0 && indexPadding >= 0;
    if (!ok) {
        for (std::uint8_t v : indices)
            FUZZ_CHECK(v == kGuard);
        return 0;
    }
    FUZZ_CHECK(validShape || width == 0 || height == 0);
    // Indices are bytes, so below a palette of 256 by their type; the
    // palette must be that large for every one of them to name a colour.
    static_assert(NeuQuant::kNetSize == 256);
    const std::size_t paletteSize = quantiser.Palette().size();
    FUZZ_CHECK(paletteSize == 256);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < indexStride; ++x) {
            const std::uint8_t v = indices[static_cast<std::size_t>(y) * indexStride + x];
            if (x >= width)
                FUZZ_CHECK(v == kGuard);
            else
                FUZZ_CHECK(v < paletteSize);
        }
    }
    // The lookup answers for any colour, inside the palette.
    const int b = static_cast<int>(pattern.size()) - 300, g = width - 100, r = 700 - height;
    const int at = quantiser.Lookup(b, g, r);
    FUZZ_CHECK(at >= 0 && at < NeuQuant::kNetSize);
    return 0;
}
