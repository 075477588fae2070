// Built with -mavx2 (never -mfma) and entered only when the processor reports AVX2.
//
// Each vector lane computes a different output frame, so every lane runs the same
// multiply-then-add sequence in increasing tap order as DualFir::process: the results are
// bit-identical. The windows of a block of frames are read from a flat run rather than from the
// line itself: run[pad + frames - 1 - j + i] is tap i of frame j, so consecutive frames'
// windows sit one slot apart whatever the line position, and no frame needs a scalar fallback.
// The line then receives exactly the writes frame-by-frame processing makes.
#include <immintrin.h>

#include <algorithm>
#include <cstring>

#include "dsp/engine/fir_pair.h"

namespace tevaro::dsp {
namespace {

constexpr int groupFrames = 8;                  // two vectors of four frames per line
constexpr std::size_t blockFrames = 64;         // frames whose windows one run holds
constexpr int pad = groupFrames;                // lanes past the block's last frame read these
constexpr int runSlots = pad + static_cast<int>(blockFrames) + DualFir::maxTaps;

// The sums of one group of eight frames from the runs of both lines; base = pad + frames - 8 - g
// for the group starting at frame g. Lane l of vector v is frame g + 7 - 4v - l.
void sumGroup(const double* leftRun, const double* rightRun, const FirPairTaps& taps, int base,
              double (&lanes)[4][groupFrames]) {
    // Named accumulators (not an array) so that they stay in registers.
    __m256d ll0 = _mm256_setzero_pd(), lr0 = ll0, rl0 = ll0, rr0 = ll0;
    __m256d ll1 = ll0, lr1 = ll0, rl1 = ll0, rr1 = ll0;
    const double* left = leftRun + base;
    const double* right = rightRun + base;
    for (int i = 0; i < taps.n; ++i) {
        const __m256d h0 = _mm256_broadcast_sd(taps.h[0] + i);
        const __m256d h1 = _mm256_broadcast_sd(taps.h[1] + i);
        const __m256d h2 = _mm256_broadcast_sd(taps.h[2] + i);
        const __m256d h3 = _mm256_broadcast_sd(taps.h[3] + i);
        const __m256d l0 = _mm256_loadu_pd(left + i);
        const __m256d r0 = _mm256_loadu_pd(right + i);
        const __m256d l1 = _mm256_loadu_pd(left + i + 4);
        const __m256d r1 = _mm256_loadu_pd(right + i + 4);
        ll0 = _mm256_add_pd(ll0, _mm256_mul_pd(l0, h0));
        lr0 = _mm256_add_pd(lr0, _mm256_mul_pd(l0, h1));
        rl0 = _mm256_add_pd(rl0, _mm256_mul_pd(r0, h2));
        rr0 = _mm256_add_pd(rr0, _mm256_mul_pd(r0, h3));
        ll1 = _mm256_add_pd(ll1, _mm256_mul_pd(l1, h0));
        lr1 = _mm256_add_pd(lr1, _mm256_mul_pd(l1, h1));
        rl1 = _mm256_add_pd(rl1, _mm256_mul_pd(r1, h2));
        rr1 = _mm256_add_pd(rr1, _mm256_mul_pd(r1, h3));
    }
    _mm256_storeu_pd(lanes[0], ll0);
    _mm256_storeu_pd(lanes[0] + 4, ll1);
    _mm256_storeu_pd(lanes[1], lr0);
    _mm256_storeu_pd(lanes[1] + 4, lr1);
    _mm256_storeu_pd(lanes[2], rl0);
    _mm256_storeu_pd(lanes[2] + 4, rl1);
    _mm256_storeu_pd(lanes[3], rr0);
    _mm256_storeu_pd(lanes[3] + 4, rr1);
}

// Frames [first, last) of a block of `frames`, in groups of eight; lanes outside the range are
// computed on neighbouring slots and dropped.
void sumFrames(const double* leftRun, const double* rightRun, const FirPairTaps& taps, std::size_t frames,
               std::size_t first, std::size_t last, const FirPairSums& sums) {
    double* const outputs[4] = {sums.leftToLeft, sums.leftToRight, sums.rightToLeft, sums.rightToRight};
    for (std::size_t g = first; g < last; g += groupFrames) {
        double lanes[4][groupFrames];
        sumGroup(leftRun, rightRun, taps, pad + static_cast<int>(frames) - groupFrames - static_cast<int>(g), lanes);
        const std::size_t count = std::min<std::size_t>(groupFrames, last - g);
        for (int k = 0; k < 4; ++k) {
            for (std::size_t j = 0; j < count; ++j) outputs[k][g + j] = lanes[k][groupFrames - 1 - j];
        }
    }
}

// The block's inputs newest first, then `older` values of the line before the block.
void fillRun(double* run, const double* x, std::size_t frames, const double* older, int olderCount) {
    std::fill_n(run, pad, 0.0);
    for (std::size_t j = 0; j < frames; ++j) run[pad + frames - 1 - j] = x[j];
    std::copy_n(older, olderCount, run + pad + frames);
}

// The writes of DualFir::push for every frame of the block, in order.
void writeLine(DualFir& fir, const double* x, std::size_t frames, int n) {
    int p = fir.position;
    for (std::size_t j = 0; j < frames; ++j) {
        fir.line[p + n] = x[j];
        fir.line[p] = x[j];
        p = p - 1 < 0 ? p - 1 + n : p - 1;
    }
    fir.position = p;
}

// One block of at most blockFrames frames, both lines at position p.
//
// Frame j of the block reads its own inputs x[j - i] for taps i <= j. Its older taps i > j come
// from slot p + (i - j) of the line as it was before the block while the position has not
// wrapped (j <= p), and from slot p + n + (i - j) once it has. The two copies agree unless a
// tap-count change left the line holding older data; then the frames after the wrap get a run
// of their own.
void firPairBlock(DualFir& left, DualFir& right, const FirPairTaps& taps, const double* xLeft,
                  const double* xRight, const FirPairSums& sums, std::size_t frames) {
    const int n = taps.n;
    const int p = left.position;
    alignas(32) double leftRun[runSlots];
    alignas(32) double rightRun[runSlots];
    fillRun(leftRun, xLeft, frames, left.line + p + 1, n - 1);
    fillRun(rightRun, xRight, frames, right.line + p + 1, n - 1);

    const std::size_t unwrapped = static_cast<std::size_t>(p) + 1;
    // Older taps the first wrapped frame (j = p + 1) reads: i - j runs over 1..n - 2 - p.
    const int wrappedOlder = n - 2 - p;
    const auto sameCopies = [&](const DualFir& fir) {
        return std::memcmp(fir.line + p + 1, fir.line + p + n + 1, sizeof(double) * wrappedOlder) == 0;
    };
    if (frames <= unwrapped || wrappedOlder <= 0 || (sameCopies(left) && sameCopies(right))) {
        sumFrames(leftRun, rightRun, taps, frames, 0, frames, sums);
    } else {
        sumFrames(leftRun, rightRun, taps, frames, 0, unwrapped, sums);
        std::copy_n(left.line + p + n + 1, wrappedOlder, leftRun + pad + frames);
        std::copy_n(right.line + p + n + 1, wrappedOlder, rightRun + pad + frames);
        sumFrames(leftRun, rightRun, taps, frames, unwrapped, frames, sums);
    }

    writeLine(left, xLeft, frames, n);
    writeLine(right, xRight, frames, n);
}

}  // namespace

void firPairAvx2(DualFir& left, DualFir& right, const FirPairTaps& taps, const double* xLeft,
                 const double* xRight, const FirPairSums& sums, std::size_t frames) {
    // Every caller moves both lines together; anything else takes the reference path.
    if (left.position != right.position) {
        firPairScalar(left, right, taps, xLeft, xRight, sums, frames);
        return;
    }
    for (std::size_t f = 0; f < frames; f += blockFrames) {
        const std::size_t count = std::min(blockFrames, frames - f);
        const FirPairSums at{sums.leftToLeft + f, sums.leftToRight + f, sums.rightToLeft + f,
                             sums.rightToRight + f};
        firPairBlock(left, right, taps, xLeft + f, xRight + f, at, count);
    }
}

}  // namespace tevaro::dsp
