#pragma once
// A stereo pair of sources through a four-filter set: the left source's DualFir feeds filters
// 0 and 1, the right source's filters 2 and 3. Run over a block of frames by a kernel; every
// kernel leaves the lines and the sums bit-identical to frame-by-frame DualFir::process.
#include <cstddef>

#include "dsp/engine/dual_fir.h"

namespace tevaro::dsp {

struct FirPairTaps {
    int n;               // taps in use, 1..128
    const double* h[4];  // left->left ear, left->right ear, right->left ear, right->right ear
};

struct FirPairSums {
    double* leftToLeft;
    double* leftToRight;
    double* rightToLeft;
    double* rightToRight;
};

using FirPairKernel = void (*)(DualFir& left, DualFir& right, const FirPairTaps& taps, const double* xLeft,
                               const double* xRight, const FirPairSums& sums, std::size_t frames);

enum class FirPath { scalar, avx2 };

void firPairScalar(DualFir& left, DualFir& right, const FirPairTaps& taps, const double* xLeft, const double* xRight,
                   const FirPairSums& sums, std::size_t frames);

// nullptr when the path was not built for this target or the processor lacks it.
FirPairKernel firPairKernel(FirPath path);
// The fastest kernel this processor runs, chosen once.
FirPairKernel bestFirPairKernel();

}  // namespace tevaro::dsp
