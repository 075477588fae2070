#pragma once
// One mono source through two FIR filters (one per ear) sharing a single delay line.
#include <cstdint>

namespace tevaro::dsp {

struct DualFir {
    static constexpr int lineSlots = 256;  // two copies of the longest window (128 taps)
    static constexpr int maxTaps = 128;

    alignas(64) double line[lineSlots];  // line[position + i] = sample i frames old, i < n
    std::int32_t position;               // 0..127; next write goes to position and position + n

    void reset();

    // Pushes x and returns the two filtered values. Each sum runs in double in increasing tap
    // order; the vectorised kernels reproduce exactly this order per output.
    void process(double x, int n, const double* h1, const double* h2, double& out1, double& out2);

    // The write half of process(): keeps the history moving while no filter runs.
    void push(double x, int n);
};

}  // namespace tevaro::dsp
