#include "dsp/engine/dual_fir.h"

#include <gtest/gtest.h>

#include <vector>

namespace tevaro::dsp {
namespace {

// Direct convolution of the pushed history, newest first, in increasing tap order.
double convolve(const std::vector<double>& history, const double* h, int n) {
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        const int age = static_cast<int>(history.size()) - 1 - i;
        sum += h[i] * (age >= 0 ? history[age] : 0.0);
    }
    return sum;
}

std::vector<double> ramp(int n, double start, double step) {
    std::vector<double> h(n);
    for (int i = 0; i < n; ++i) h[i] = start + step * i;
    return h;
}

TEST(DualFir, ResetZeroesLineAndPosition) {
    DualFir fir;
    for (double& slot : fir.line) slot = 7.0;
    fir.position = 93;
    fir.reset();
    EXPECT_EQ(fir.position, 0);
    for (double slot : fir.line) ASSERT_EQ(slot, 0.0);
}

TEST(DualFir, MatchesDirectConvolutionForEveryTapCount) {
    for (int n : {1, 2, 7, 56, 72, 96, 127, 128}) {
        SCOPED_TRACE(n);
        const std::vector<double> h1 = ramp(n, 0.5, -0.01), h2 = ramp(n, -0.25, 0.003);
        DualFir fir;
        fir.reset();
        std::vector<double> history;
        for (int frame = 0; frame < 3 * n + 5; ++frame) {
            const double x = (frame * 37 % 101) - 50.0;
            history.push_back(x);
            double out1, out2;
            fir.process(x, n, h1.data(), h2.data(), out1, out2);
            ASSERT_EQ(out1, convolve(history, h1.data(), n)) << "frame " << frame;
            ASSERT_EQ(out2, convolve(history, h2.data(), n)) << "frame " << frame;
            ASSERT_GE(fir.position, 0);
            ASSERT_LT(fir.position, n);
        }
    }
}

TEST(DualFir, WritesTheSampleTwiceAndStepsThePositionDown) {
    const std::vector<double> h(128, 0.0);
    DualFir fir;
    fir.reset();
    double out1, out2;
    fir.process(3.0, 72, h.data(), h.data(), out1, out2);  // p 0: writes 0 and 72, wraps to 71
    EXPECT_EQ(fir.line[0], 3.0);
    EXPECT_EQ(fir.line[72], 3.0);
    EXPECT_EQ(fir.position, 71);
    fir.process(4.0, 72, h.data(), h.data(), out1, out2);
    EXPECT_EQ(fir.line[71], 4.0);
    EXPECT_EQ(fir.line[143], 4.0);
    EXPECT_EQ(fir.position, 70);
}

// From n 128 down to n 72 with the position above 71: the position is kept, every write stays
// inside the line, and the position is back in 0..71 within 56 frames.
TEST(DualFir, ShorterTapCountKeepsPositionAndReturnsInRange) {
    const std::vector<double> h(128, 1.0 / 128);
    for (int start = 72; start <= 127; ++start) {
        SCOPED_TRACE(start);
        DualFir fir;
        fir.reset();
        fir.position = start;
        double out1, out2;
        int frames = 0;
        while (fir.position > 71) {
            fir.process(1.0, 72, h.data(), h.data(), out1, out2);
            ++frames;
            ASSERT_GE(fir.position, 0);
        }
        EXPECT_EQ(frames, start - 71);
        EXPECT_LE(frames, 56);
        for (int k = 0; k < 200; ++k) {
            fir.process(1.0, 72, h.data(), h.data(), out1, out2);
            ASSERT_GE(fir.position, 0);
            ASSERT_LE(fir.position, 71);
        }
    }
}

TEST(DualFir, PushMovesTheLineLikeProcess) {
    const std::vector<double> h = ramp(96, 0.1, 0.001);
    DualFir pushed, processed;
    pushed.reset();
    processed.reset();
    double out1, out2;
    for (int frame = 0; frame < 300; ++frame) {
        const int n = frame < 150 ? 96 : 56;
        pushed.push(frame * 1.5, n);
        processed.process(frame * 1.5, n, h.data(), h.data(), out1, out2);
        ASSERT_EQ(pushed.position, processed.position);
    }
    for (int i = 0; i < DualFir::lineSlots; ++i) ASSERT_EQ(pushed.line[i], processed.line[i]) << i;
}

}  // namespace
}  // namespace tevaro::dsp
