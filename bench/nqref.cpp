// nqref IN.ppm PALETTE.bin INDICES.bin
//
// nqtool with the plain reference quantiser of the tests in place of the
// program's: the same files, byte for byte, at the reference's speed.
#include "bench/QuantiserTool.h"
#include "tests/capture/NeuQuantReference.h"

#include <algorithm>
#include <memory>

namespace {

bool Quantise(const std::uint8_t* pixels, int width, int height, std::uint8_t* palette,
              std::uint8_t* indices) {
    auto reference = std::make_unique<NeuQuantReference>();
    const NeuQuantReference::Output out = reference->Run(pixels, width, height, width * 3, 24);
    std::copy(out.palette.begin(), out.palette.end(), palette);
    std::copy(out.indices.begin(), out.indices.end(), indices);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    return bench::RunQuantiserTool("nqref", argc, argv, Quantise);
}
