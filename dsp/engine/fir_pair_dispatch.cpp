#include "dsp/engine/fir_pair.h"

namespace tevaro::dsp {

#if TEVARO_FIR_AVX2
void firPairAvx2(DualFir& left, DualFir& right, const FirPairTaps& taps, const double* xLeft, const double* xRight,
                 const FirPairSums& sums, std::size_t frames);
#endif

FirPairKernel firPairKernel(FirPath path) {
    switch (path) {
        case FirPath::scalar:
            return firPairScalar;
        case FirPath::avx2:
#if TEVARO_FIR_AVX2
            if (__builtin_cpu_supports("avx2")) return firPairAvx2;
#endif
            return nullptr;
    }
    return nullptr;
}

FirPairKernel bestFirPairKernel() {
    static const FirPairKernel best = [] {
        const FirPairKernel avx2 = firPairKernel(FirPath::avx2);
        return avx2 ? avx2 : firPairScalar;
    }();
    return best;
}

}  // namespace tevaro::dsp
