// Every filter kernel against DualFir::process run frame by frame: every output sample and the
// whole line state must be identical, over awkward buffer sizes, in small chunks so state carries
// across calls, and across tap-count changes that leave the line holding older data.
#include <gtest/gtest.h>

#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "dsp/engine/fir_pair.h"
#include "dsp/engine/virtualiser_stage.h"
#include "settings_link/settings_word.h"

namespace tevaro::dsp {
namespace {

struct Signal {
    std::uint32_t state = 12345;
    std::int16_t next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<std::int16_t>(state >> 16);
    }
};

constexpr std::uint32_t words[] = {
    FlagRockPop | FlagQualityMax, FlagRockPop | FlagQualityMid,
    FlagRockPop | FlagQualityMin, FlagClassic | FlagQualityMax,
    FlagClassic | FlagQualityMid, FlagClassic | FlagQualityMin,
    FlagJazz | FlagQualityMax,    FlagJazz | FlagQualityMid,
    FlagJazz | FlagQualityMin,    FlagMovie | FlagQualityMax,
    FlagMovie | FlagQualityMid,   FlagMovie | FlagQualityMin,
    FlagNeutral | FlagQualityMax, 0,
};

constexpr std::size_t awkwardFrames[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 31, 64, 79, 95, 511};

// The reference, written out here rather than taken from the engine, so that no kernel is ever
// compared with itself: one frame at a time, left source then right source.
void frameByFrame(DualFir& left, DualFir& right, const FirPairTaps& taps, const double* xLeft, const double* xRight,
                  const FirPairSums& sums, std::size_t frames) {
    for (std::size_t f = 0; f < frames; ++f) {
        left.process(xLeft[f], taps.n, taps.h[0], taps.h[1], sums.leftToLeft[f], sums.leftToRight[f]);
        right.process(xRight[f], taps.n, taps.h[2], taps.h[3], sums.rightToLeft[f], sums.rightToRight[f]);
    }
}

void expectSameState(const VirtualiserStage& a, const VirtualiserStage& b) {
    for (const auto& [x, y] : {std::pair{&a.leftLine(), &b.leftLine()}, std::pair{&a.rightLine(), &b.rightLine()}}) {
        ASSERT_EQ(x->position, y->position);
        for (int i = 0; i < DualFir::lineSlots; ++i) ASSERT_EQ(x->line[i], y->line[i]) << "slot " << i;
    }
}

// Runs the reference and the kernel through the same sequence of (word, frames) calls; the output
// buffers start with what earlier stages would have left, and a guard value after the last sample.
void compareKernels(FirPairKernel fast, const std::vector<std::pair<std::uint32_t, std::size_t>>& calls,
                    bool oddSample) {
    VirtualiserStage reference, candidate;
    reference.reset();
    candidate.reset();
    Signal signal;
    std::size_t call = 0;
    for (const auto& [word, frames] : calls) {
        const std::size_t samples = 2 * frames + (oddSample ? 1 : 0);
        std::vector<std::int16_t> in(samples + 1), earlier(samples + 1);
        for (std::size_t i = 0; i < samples; ++i) {
            in[i] = signal.next();
            earlier[i] = signal.next() / 4;
        }
        in[samples] = earlier[samples] = 0x5A5A;
        std::vector<std::int16_t> expected = earlier, actual = earlier;
        reference.processWith(frameByFrame, word, in.data(), expected.data(), samples);
        candidate.processWith(fast, word, in.data(), actual.data(), samples);
        for (std::size_t i = 0; i <= samples; ++i)
            ASSERT_EQ(actual[i], expected[i]) << "call " << call << " word " << word << " sample " << i;
        ASSERT_EQ(actual[samples], 0x5A5A);
        ASSERT_NO_FATAL_FAILURE(expectSameState(reference, candidate)) << "call " << call;
        ++call;
    }
}

// The AVX2 kernel is built for x86_64 only (a 32-bit Windows stack cannot keep ymm spills
// aligned) and entered only on a processor with AVX2.
#if defined(__x86_64__)
constexpr bool avx2Built = true;
bool processorHasAvx2() { return __builtin_cpu_supports("avx2"); }
#else
constexpr bool avx2Built = false;
bool processorHasAvx2() { return false; }
#endif

// Where the AVX2 kernel cannot run, its cases prove what runs instead: the dispatcher must not
// offer it, must fall back to the scalar kernel, and that kernel is compared. The case says so in
// its output and in its XML property `kernel`, so a run without AVX2 is visible, never a skip.
class FirPairKernelTest : public ::testing::TestWithParam<FirPath> {
protected:
    void SetUp() override {
        if (GetParam() == FirPath::scalar) {
            ASSERT_EQ(firPairKernel(FirPath::scalar), &firPairScalar);
            kernel_ = firPairScalar;
            return;
        }
        const bool expected = avx2Built && processorHasAvx2();
        ASSERT_EQ(firPairKernel(FirPath::avx2) != nullptr, expected)
            << "the AVX2 kernel must be offered exactly when this build and processor run it";
        if (expected) {
            ASSERT_EQ(bestFirPairKernel(), firPairKernel(FirPath::avx2));
            kernel_ = firPairKernel(FirPath::avx2);
            RecordProperty("kernel", "avx2");
            return;
        }
        ASSERT_EQ(bestFirPairKernel(), &firPairScalar);
        kernel_ = bestFirPairKernel();
        const std::string why = avx2Built ? "this processor has no AVX2" : "this build has no AVX2 kernel";
        RecordProperty("kernel", "scalar: " + why);
        std::cout << "[   NOTE   ] " << why << ": checked the dispatcher's fallback, the scalar kernel, instead\n";
    }
    FirPairKernel kernel() const { return kernel_; }

private:
    FirPairKernel kernel_ = nullptr;
};

TEST_P(FirPairKernelTest, AwkwardSizesForEveryPresetAndQuality) {
    const FirPairKernel fast = kernel();
    for (std::uint32_t word : words) {
        for (bool odd : {false, true}) {
            SCOPED_TRACE(testing::Message() << "word " << word << " odd " << odd);
            std::vector<std::pair<std::uint32_t, std::size_t>> calls;
            for (std::size_t frames : awkwardFrames) calls.push_back({word, frames});
            ASSERT_NO_FATAL_FAILURE(compareKernels(fast, calls, odd));
        }
    }
}

TEST_P(FirPairKernelTest, SmallChunksCarryStateAcrossCalls) {
    const FirPairKernel fast = kernel();
    for (std::uint32_t word : words) {
        SCOPED_TRACE(word);
        std::vector<std::pair<std::uint32_t, std::size_t>> calls;
        for (int i = 0; i < 120; ++i) calls.push_back({word, static_cast<std::size_t>(1 + i % 7)});
        ASSERT_NO_FATAL_FAILURE(compareKernels(fast, calls, false));
    }
}

// Quality and preset changes between calls change the tap count without clearing the line.
TEST_P(FirPairKernelTest, TapCountChangesBetweenCalls) {
    const FirPairKernel fast = kernel();
    std::vector<std::pair<std::uint32_t, std::size_t>> calls;
    Signal pick;
    for (int i = 0; i < 300; ++i) {
        const std::uint32_t word = words[(pick.next() & 0x7FFF) % std::size(words)];
        calls.push_back({word, awkwardFrames[(pick.next() & 0x7FFF) % std::size(awkwardFrames)]});
    }
    compareKernels(fast, calls, false);
}

INSTANTIATE_TEST_SUITE_P(Paths, FirPairKernelTest, ::testing::Values(FirPath::scalar, FirPath::avx2),
                         [](const auto& info) { return info.param == FirPath::scalar ? "scalar" : "avx2"; });

}  // namespace
}  // namespace tevaro::dsp
