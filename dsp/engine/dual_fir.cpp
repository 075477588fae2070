#include "dsp/engine/dual_fir.h"

namespace tevaro::dsp {

void DualFir::reset() {
    for (double& slot : line) slot = 0.0;
    position = 0;
}

// Writing x twice, at p and p + n, keeps the newest n samples contiguous from p, so the dot
// product needs no wrap test. A change of n keeps the position: p < 128 and n <= 128 keep both
// writes inside the 256 slots, and the window reads older data until it has been refilled.
void DualFir::push(double x, int n) {
    const std::int32_t p = position;
    line[p + n] = x;
    line[p] = x;
    position = p - 1 < 0 ? p - 1 + n : p - 1;
}

void DualFir::process(double x, int n, const double* h1, const double* h2, double& out1, double& out2) {
    const std::int32_t p = position;
    line[p + n] = x;
    line[p] = x;
    const double* window = line + p;
    double sum1 = 0.0;
    double sum2 = 0.0;
    for (int i = 0; i < n; ++i) {
        sum1 += h1[i] * window[i];
        sum2 += h2[i] * window[i];
    }
    out1 = sum1;
    out2 = sum2;
    position = p - 1 < 0 ? p - 1 + n : p - 1;
}

}  // namespace tevaro::dsp
