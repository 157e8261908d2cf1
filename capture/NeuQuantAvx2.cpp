#include "capture/NeuQuantAvx2.h"

#if FRIMLET_NEUQUANT_AVX2

#include <immintrin.h>

namespace neuquant_avx2 {
namespace {

constexpr int kNetSize = NeuQuant::kNetSize;

// The sum of the absolute differences between the 16 neurons from i and the
// sample (b, g, r), in 16-bit lanes.
[[gnu::target("avx2")]] inline __m256i Distance(const std::int16_t* nb, const std::int16_t* ng,
                                                const std::int16_t* nr, int i, const __m256i& b,
                                                const __m256i& g, const __m256i& r) {
    const __m256i db =
        _mm256_abs_epi16(_mm256_sub_epi16(_mm256_load_si256(reinterpret_cast<const __m256i*>(nb + i)), b));
    const __m256i dg =
        _mm256_abs_epi16(_mm256_sub_epi16(_mm256_load_si256(reinterpret_cast<const __m256i*>(ng + i)), g));
    const __m256i dr =
        _mm256_abs_epi16(_mm256_sub_epi16(_mm256_load_si256(reinterpret_cast<const __m256i*>(nr + i)), r));
    return _mm256_add_epi16(_mm256_add_epi16(db, dg), dr);
}

// Of 16 lanes that each hold their smallest value and the 16-neuron block it
// was first seen in, the position (block x 16 + lane) of the first neuron with
// the smallest value.
[[gnu::target("avx2")]] inline int FirstOfSmallest(const __m256i& value, const __m256i& block) {
    const __m256i lane = _mm256_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
    const __m256i position = _mm256_or_si256(_mm256_slli_epi16(block, 4), lane);
    // 32-bit keys: value in the high half, position in the low half.
    __m256i key =
        _mm256_min_epi32(_mm256_unpacklo_epi16(position, value), _mm256_unpackhi_epi16(position, value));
    __m128i k = _mm_min_epi32(_mm256_castsi256_si128(key), _mm256_extracti128_si256(key, 1));
    k = _mm_min_epi32(k, _mm_shuffle_epi32(k, 0x4E));
    k = _mm_min_epi32(k, _mm_shuffle_epi32(k, 0xB1));
    return _mm_cvtsi128_si32(k) & 0xFF;
}

// c[0..7] -= a x (c - s) / 2^kWeightShift, computed in 32 bits.
[[gnu::target("avx2")]] inline void MoveToward(std::int16_t* c, const __m256i& a, const __m256i& s) {
    const __m256i v = _mm256_cvtepi16_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(c)));
    const __m256i p = _mm256_mullo_epi32(a, _mm256_sub_epi32(v, s));
    // p / 2^kWeightShift rounded toward zero.
    const __m256i q = _mm256_srai_epi32(
        _mm256_add_epi32(p, _mm256_srli_epi32(_mm256_srai_epi32(p, 31), 32 - kWeightShift)), kWeightShift);
    const __m256i moved = _mm256_sub_epi32(v, q);
    const __m128i packed = _mm_packs_epi32(_mm256_castsi256_si128(moved), _mm256_extracti128_si256(moved, 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(c), packed);
}

} // namespace

// 16 neurons at a time in 16-bit lanes. Each lane keeps its smallest distance
// and the first block that had it.
[[gnu::target("avx2")]] int Contest(const std::int16_t* nb, const std::int16_t* ng, const std::int16_t* nr,
                                    std::uint16_t* freq, int b, int g, int r, int winnerGain) {
    const __m256i sb = _mm256_set1_epi16(static_cast<short>(b));
    const __m256i sg = _mm256_set1_epi16(static_cast<short>(g));
    const __m256i sr = _mm256_set1_epi16(static_cast<short>(r));
    const __m256i three = _mm256_set1_epi16(3);
    const __m256i sixtyFour = _mm256_set1_epi16(64);
    const __m256i one = _mm256_set1_epi16(1);
    __m256i bestDist = _mm256_set1_epi16(0x7FFF);
    __m256i bestBias = bestDist;
    __m256i distBlock = _mm256_setzero_si256();
    __m256i biasBlock = distBlock;
    __m256i block = distBlock;
    for (int i = 0; i < kNetSize; i += 16) {
        const __m256i h = _mm256_load_si256(reinterpret_cast<const __m256i*>(freq + i));
        const __m256i dist = Distance(nb, ng, nr, i, sb, sg, sr);
        distBlock = _mm256_blendv_epi8(distBlock, block, _mm256_cmpgt_epi16(bestDist, dist));
        bestDist = _mm256_min_epi16(bestDist, dist);
        const __m256i biased = _mm256_add_epi16(dist, _mm256_srli_epi16(_mm256_add_epi16(h, three), 2));
        biasBlock = _mm256_blendv_epi8(biasBlock, block, _mm256_cmpgt_epi16(bestBias, biased));
        bestBias = _mm256_min_epi16(bestBias, biased);
        const __m256i decay = _mm256_srli_epi16(_mm256_add_epi16(_mm256_srli_epi16(h, 2), sixtyFour), 8);
        _mm256_store_si256(reinterpret_cast<__m256i*>(freq + i), _mm256_sub_epi16(h, decay));
        block = _mm256_add_epi16(block, one);
    }
    const int winner = FirstOfSmallest(bestDist, distBlock);
    freq[winner] = static_cast<std::uint16_t>(freq[winner] + winnerGain);
    return FirstOfSmallest(bestBias, biasBlock);
}

// 8 neurons at a time, from lo up in whole groups of 8: the weights past the
// radius are zero and the arrays run on past the last neuron, so the lanes
// beyond hi change nothing that belongs to a neuron.
[[gnu::target("avx2")]] void Alter(std::int16_t* nb, std::int16_t* ng, std::int16_t* nr,
                                   const std::int32_t* radPower, int lo, int hi, int i, int b, int g, int r) {
    const __m256i sb = _mm256_set1_epi32(b);
    const __m256i sg = _mm256_set1_epi32(g);
    const __m256i sr = _mm256_set1_epi32(r);
    for (int k = lo; k < hi; k += 8) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(radPower + (k - i)));
        MoveToward(nb + k, a, sb);
        MoveToward(ng + k, a, sg);
        MoveToward(nr + k, a, sr);
    }
}

// The same answer as the outward search, from all neurons at once. The search
// visits the sorted positions start, start - 1, start + 1, start - 2, ...; its
// stopping rule only drops neurons that cannot be nearer than the best found,
// and of equally near neurons it keeps the first visited. So the neuron it
// returns is, of those with the smallest distance, the nearest to start,
// one below start coming before one above at the same remove.
[[gnu::target("avx2")]] int NearestInOrder(const std::int16_t* sb, const std::int16_t* sg,
                                           const std::int16_t* sr, int start, int b, int g, int r) {
    const __m256i vb = _mm256_set1_epi16(static_cast<short>(b));
    const __m256i vg = _mm256_set1_epi16(static_cast<short>(g));
    const __m256i vr = _mm256_set1_epi16(static_cast<short>(r));
    alignas(32) std::int16_t dist[kNetSize];
    __m256i best = _mm256_set1_epi16(0x7FFF);
    for (int i = 0; i < kNetSize; i += 16) {
        const __m256i d = Distance(sb, sg, sr, i, vb, vg, vr);
        _mm256_store_si256(reinterpret_cast<__m256i*>(dist + i), d);
        best = _mm256_min_epi16(best, d);
    }
    const __m128i best8 = _mm_min_epi16(_mm256_castsi256_si128(best), _mm256_extracti128_si256(best, 1));
    const __m256i smallest =
        _mm256_set1_epi16(static_cast<short>(_mm_cvtsi128_si32(_mm_minpos_epu16(best8)) & 0xFFFF));
    // One bit per neuron that has the smallest distance.
    std::uint64_t equal[4];
    for (int q = 0; q < 4; ++q) {
        std::uint64_t word = 0;
        for (int h = 0; h < 2; ++h) {
            const int i = q * 64 + h * 32;
            const __m256i e0 =
                _mm256_cmpeq_epi16(_mm256_load_si256(reinterpret_cast<const __m256i*>(dist + i)), smallest);
            const __m256i e1 = _mm256_cmpeq_epi16(
                _mm256_load_si256(reinterpret_cast<const __m256i*>(dist + i + 16)), smallest);
            const __m256i packed = _mm256_permute4x64_epi64(_mm256_packs_epi16(e0, e1), 0xD8);
            word |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(packed)))
                    << (32 * h);
        }
        equal[q] = word;
    }
    // The first such neuron at or above start, and the last one below it.
    int up = -1;
    for (int q = start >> 6; q < 4; ++q) {
        const std::uint64_t word =
            q == start >> 6 ? equal[q] & (~std::uint64_t{0} << (start & 63)) : equal[q];
        if (word) {
            up = q * 64 + __builtin_ctzll(word);
            break;
        }
    }
    int down = -1;
    if (start > 0) {
        const int last = start - 1;
        for (int q = last >> 6; q >= 0; --q) {
            const std::uint64_t word =
                q == last >> 6 ? equal[q] & (~std::uint64_t{0} >> (63 - (last & 63))) : equal[q];
            if (word) {
                down = q * 64 + 63 - __builtin_clzll(word);
                break;
            }
        }
    }
    if (down < 0 || (up >= 0 && up - start < start - down))
        return up;
    return down;
}
} // namespace neuquant_avx2

#endif
