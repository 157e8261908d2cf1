// The quantiser's per-neuron searches and updates on AVX2 vectors, for
// processors that have them. Each gives the answer of NeuQuant's scalar code
// bit for bit; the arrays are those of NeuQuant (kNetSize neurons, 32-byte
// aligned, running kPad entries past the last neuron).
#pragma once

#include "capture/NeuQuant.h"

#if FRIMLET_NEUQUANT_AVX2

#include <cstdint>

namespace neuquant_avx2 {

// A neighbour moves toward the sample by its weight / 2^kWeightShift.
inline constexpr int kWeightShift = 18;

// Finds the neuron nearest to (b, g, r) (the winner) and the one nearest
// counting its bias (returned), the lowest position winning ties, lets every
// frequency decay and adds winnerGain to the winner's.
int Contest(const std::int16_t* nb, const std::int16_t* ng, const std::int16_t* nr, std::uint16_t* freq,
            int b, int g, int r, int winnerGain);

// Moves neurons lo .. hi - 1 toward the sample, neuron k by
// radPower[k - i] / 2^kWeightShift.
void Alter(std::int16_t* nb, std::int16_t* ng, std::int16_t* nr, const std::int32_t* radPower, int lo, int hi,
           int i, int b, int g, int r);

// Of the neurons sorted by green, the position of the one nearest to
// (b, g, r) that the outward search from start would return.
int NearestInOrder(const std::int16_t* sb, const std::int16_t* sg, const std::int16_t* sr, int start, int b,
                   int g, int r);

} // namespace neuquant_avx2

#endif
