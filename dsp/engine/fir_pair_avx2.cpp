// Built with -mavx2 (never -mfma) and entered only when the processor reports AVX2.
//
// Each vector lane computes a different, consecutive output frame, so every lane runs the same
// multiply-then-add sequence in increasing tap order as DualFir::process: the results are
// bit-identical. A group of G frames starting at position p reads windows p - j (lane j):
// the low copies line[p - j] of the group's inputs are written first (every lane needs the
// newer ones), the high copies line[p - j + n] only after the sums, because for k > j that slot
// is the oldest tap of lane j and still holds what frame j would have read.
#include <immintrin.h>

#include "dsp/engine/fir_pair.h"

namespace tevaro::dsp {
namespace {

template <int Vectors>  // 1 or 2 vectors of 4 frames
void firPairGroup(DualFir& left, DualFir& right, const FirPairTaps& taps, const double* xLeft,
                  const double* xRight, const FirPairSums& sums) {
    constexpr int frames = 4 * Vectors;
    const int n = taps.n;
    const int p = left.position;
    for (int j = 0; j < frames; ++j) {
        left.line[p - j] = xLeft[j];
        right.line[p - j] = xRight[j];
    }

    // Named accumulators (not an array) so that they stay in registers: 8 of them for Vectors 2.
    __m256d ll0 = _mm256_setzero_pd(), lr0 = ll0, rl0 = ll0, rr0 = ll0;
    __m256d ll1 = ll0, lr1 = ll0, rl1 = ll0, rr1 = ll0;
    const double* leftBase = left.line + p - (frames - 1);
    const double* rightBase = right.line + p - (frames - 1);
    for (int i = 0; i < n; ++i) {
        const __m256d h0 = _mm256_broadcast_sd(taps.h[0] + i);
        const __m256d h1 = _mm256_broadcast_sd(taps.h[1] + i);
        const __m256d h2 = _mm256_broadcast_sd(taps.h[2] + i);
        const __m256d h3 = _mm256_broadcast_sd(taps.h[3] + i);
        const __m256d l0 = _mm256_loadu_pd(leftBase + i);
        const __m256d r0 = _mm256_loadu_pd(rightBase + i);
        ll0 = _mm256_add_pd(ll0, _mm256_mul_pd(l0, h0));
        lr0 = _mm256_add_pd(lr0, _mm256_mul_pd(l0, h1));
        rl0 = _mm256_add_pd(rl0, _mm256_mul_pd(r0, h2));
        rr0 = _mm256_add_pd(rr0, _mm256_mul_pd(r0, h3));
        if constexpr (Vectors == 2) {
            const __m256d l1 = _mm256_loadu_pd(leftBase + i + 4);
            const __m256d r1 = _mm256_loadu_pd(rightBase + i + 4);
            ll1 = _mm256_add_pd(ll1, _mm256_mul_pd(l1, h0));
            lr1 = _mm256_add_pd(lr1, _mm256_mul_pd(l1, h1));
            rl1 = _mm256_add_pd(rl1, _mm256_mul_pd(r1, h2));
            rr1 = _mm256_add_pd(rr1, _mm256_mul_pd(r1, h3));
        }
    }
    const __m256d acc[4][2] = {{ll0, ll1}, {lr0, lr1}, {rl0, rl1}, {rr0, rr1}};

    // Vector lanes ascend in address, frames descend: lane m of vector v is frame frames-1-4v-m.
    double* const outputs[4] = {sums.leftToLeft, sums.leftToRight, sums.rightToLeft, sums.rightToRight};
    for (int k = 0; k < 4; ++k) {
        double lanes[frames];
        for (int v = 0; v < Vectors; ++v) _mm256_storeu_pd(lanes + 4 * v, acc[k][v]);
        for (int j = 0; j < frames; ++j) outputs[k][j] = lanes[frames - 1 - j];
    }

    for (int j = 0; j < frames; ++j) {
        left.line[p - j + n] = xLeft[j];
        right.line[p - j + n] = xRight[j];
    }
    const int next = p - frames;
    left.position = right.position = next < 0 ? next + n : next;
}

}  // namespace

void firPairAvx2(DualFir& left, DualFir& right, const FirPairTaps& taps, const double* xLeft,
                 const double* xRight, const FirPairSums& sums, std::size_t frames) {
    std::size_t f = 0;
    while (f < frames) {
        const std::size_t remaining = frames - f;
        const int p = left.position;
        const FirPairSums at{sums.leftToLeft + f, sums.leftToRight + f, sums.rightToLeft + f,
                             sums.rightToRight + f};
        // A group needs the whole run of positions p..p-G+1 without a wrap, and n >= G so that
        // no high copy lands on a low copy of the same group.
        const bool lockstep = p == right.position;
        if (lockstep && remaining >= 8 && p >= 7 && taps.n >= 8) {
            firPairGroup<2>(left, right, taps, xLeft + f, xRight + f, at);
            f += 8;
        } else if (lockstep && remaining >= 4 && p >= 3 && taps.n >= 4) {
            firPairGroup<1>(left, right, taps, xLeft + f, xRight + f, at);
            f += 4;
        } else {
            firPairScalar(left, right, taps, xLeft + f, xRight + f, at, 1);
            f += 1;
        }
    }
}

}  // namespace tevaro::dsp
