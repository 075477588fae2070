// The vectorised kernel against the scalar reference: every output sample and the whole line
// state must be identical, over awkward buffer sizes, in small chunks so state carries across
// calls, and across tap-count changes that leave the line holding older data.
#include <gtest/gtest.h>

#include <cstdint>
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

void expectSameState(const VirtualiserStage& a, const VirtualiserStage& b) {
    for (const auto& [x, y] : {std::pair{&a.leftLine(), &b.leftLine()}, std::pair{&a.rightLine(), &b.rightLine()}}) {
        ASSERT_EQ(x->position, y->position);
        for (int i = 0; i < DualFir::lineSlots; ++i) ASSERT_EQ(x->line[i], y->line[i]) << "slot " << i;
    }
}

// Runs both kernels through the same sequence of (word, frames) calls; the output buffers start
// with what earlier stages would have left, and a guard value after the last sample.
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
        reference.processWith(firPairScalar, word, in.data(), expected.data(), samples);
        candidate.processWith(fast, word, in.data(), actual.data(), samples);
        for (std::size_t i = 0; i <= samples; ++i)
            ASSERT_EQ(actual[i], expected[i]) << "call " << call << " word " << word << " sample " << i;
        ASSERT_EQ(actual[samples], 0x5A5A);
        ASSERT_NO_FATAL_FAILURE(expectSameState(reference, candidate)) << "call " << call;
        ++call;
    }
}

class FirPairKernelTest : public ::testing::TestWithParam<FirPath> {
protected:
    void SetUp() override {
        if (!firPairKernel(GetParam())) GTEST_SKIP() << "path not available on this processor or build";
    }
    FirPairKernel kernel() const { return firPairKernel(GetParam()); }
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
