// nqtool IN.ppm PALETTE.bin INDICES.bin
//
// Quantises a binary PPM picture to 256 colours with the program's quantiser
// (see QuantiserTool.h for the files written).
#include "bench/QuantiserTool.h"
#include "capture/NeuQuant.h"

namespace {

bool Quantise(const std::uint8_t* pixels, int width, int height, std::uint8_t* palette,
              std::uint8_t* indices) {
    NeuQuant quantiser;
    if (!quantiser.Quantise(pixels, width, height, width * 3, 24, indices, width))
        return false;
    for (int i = 0; i < NeuQuant::kNetSize; ++i) {
        const NeuQuant::Colour& c = quantiser.Palette()[static_cast<std::size_t>(i)];
        palette[3 * i] = c.b;
        palette[3 * i + 1] = c.g;
        palette[3 * i + 2] = c.r;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    return bench::RunQuantiserTool("nqtool", argc, argv, Quantise);
}
