#include "dsp/engine/fir_pair.h"

namespace tevaro::dsp {

void firPairScalar(DualFir& left, DualFir& right, const FirPairTaps& taps, const double* xLeft, const double* xRight,
                   const FirPairSums& sums, std::size_t frames) {
    for (std::size_t f = 0; f < frames; ++f) {
        left.process(xLeft[f], taps.n, taps.h[0], taps.h[1], sums.leftToLeft[f], sums.leftToRight[f]);
        right.process(xRight[f], taps.n, taps.h[2], taps.h[3], sums.rightToLeft[f], sums.rightToRight[f]);
    }
}

}  // namespace tevaro::dsp
