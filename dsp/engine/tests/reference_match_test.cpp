// The optimised engine against the plain frame-at-a-time reference in tests/reference/, bit for
// bit, over a long programme that takes every rule of the steering updates (the tests below
// prove that it does, from the reference's own count). The optimised code runs frames in runs,
// two sides in vector lanes and steps of a frame a loop pass apart; none of that may change a
// single rounding, and these tests are where a wrong edit of it shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "dsp/engine/dsp_chain.h"
#include "dsp/engine/offline/offline_render.h"
#include "dsp/engine/offline/presets.h"
#include "dsp/engine/offline/programmes.h"
#include "dsp/engine/room_reverb.h"
#include "dsp/engine/steering_controller.h"
#include "dsp/engine/surround_engine.h"
#include "dsp/engine/tests/reference/chain_reference.h"
#include "dsp/engine/tests/reference/first_difference.h"
#include "dsp/engine/tests/reference/reverb_reference.h"
#include "dsp/engine/tests/reference/steering_reference.h"
#include "dsp/engine/tests/reference/surround_reference.h"
#include "settings_link/settings_word.h"

namespace tevaro::dsp {
namespace {

using reference::ChainReference;
using reference::ReverbReference;
using reference::SteeringBranches;
using reference::SteeringReference;
using reference::SurroundReference;

// Three seconds: music, anti-phase noise, tones left, centred, right, silence, full-scale squares,
// uncorrelated noise and the pattern of the steering update.
const Programme& tour() {
    static const Programme programme = steeringTour(22050);
    return programme;
}

std::size_t framesOf(const Programme& p) { return p.size() / 2; }

::testing::AssertionResult sameSamples(const Programme& expected, const Programme& actual) {
    if (expected.size() != actual.size()) {
        return ::testing::AssertionFailure() << "lengths differ: " << expected.size() << " and " << actual.size();
    }
    if (const auto d = reference::firstDifference(expected, actual)) {
        return ::testing::AssertionFailure() << "first differing sample at " << describe(*d, "reference", "engine");
    }
    return ::testing::AssertionSuccess();
}

// Every rule of the 64-frame updates, by the name the reference counts it under.
struct Rule {
    const char* name;
    long SteeringBranches::*count;
};
const Rule updateRules[] = {
    {"quiet level state", &SteeringBranches::quietLevel},
    {"silent level state", &SteeringBranches::silentLevel},
    {"16-bit level wrap", &SteeringBranches::wrappedLevel},
    {"left/right jump counted", &SteeringBranches::lrJumpCounted},
    {"left/right jump confirmed", &SteeringBranches::lrJumpConfirmed},
    {"centre/surround jump counted", &SteeringBranches::csJumpCounted},
    {"centre/surround jump confirmed", &SteeringBranches::csJumpConfirmed},
    {"pattern armed", &SteeringBranches::patternArmed},
    {"pattern armed again from a hold of 1", &SteeringBranches::patternRearmed},
    {"pattern confirmed", &SteeringBranches::patternConfirmed},
    {"fast estimates smoothed", &SteeringBranches::fastSmoothed},
    {"quiet drift", &SteeringBranches::driftQuiet},
    {"near centre", &SteeringBranches::nearCentre},
    {"near centre, adapted", &SteeringBranches::nearCentreAdapt},
    {"pattern snap", &SteeringBranches::patternSnap},
    {"left/right leads, positive", &SteeringBranches::lrLeading},
    {"left/right leads, negative", &SteeringBranches::lrLeadingNegative},
    {"left/right behind", &SteeringBranches::lrBehind},
    {"left/right ahead", &SteeringBranches::lrAhead},
    {"centre/surround snapped by LimitTable", &SteeringBranches::csSnappedByLr},
    {"centre/surround leads, positive", &SteeringBranches::csLeading},
    {"centre/surround leads, negative", &SteeringBranches::csLeadingNegative},
    {"centre/surround behind", &SteeringBranches::csBehind},
    {"centre/surround ahead", &SteeringBranches::csAhead},
    {"left/right snapped by LimitTable", &SteeringBranches::lrSnappedByCs},
    {"adapt jumps", &SteeringBranches::adaptJump},
    {"adapt smooths", &SteeringBranches::adaptSmooth},
    {"adapt medium", &SteeringBranches::adaptMedium},
    {"surround targets, left", &SteeringBranches::surroundLeftSide},
    {"surround targets, right", &SteeringBranches::surroundRightSide},
    {"surround targets, narrow", &SteeringBranches::surroundNarrow},
    {"surround targets, wide", &SteeringBranches::surroundWide},
    {"surround targets, both sides", &SteeringBranches::surroundBothSides},
    {"surround targets, one side", &SteeringBranches::surroundOneSide},
    {"front targets, left", &SteeringBranches::frontLeftSide},
    {"front targets, right", &SteeringBranches::frontRightSide},
};

void expectEveryRuleTaken(const SteeringBranches& taken) {
    for (const Rule& rule : updateRules) EXPECT_GT(taken.*rule.count, 0) << "never taken: " << rule.name;
}

// Field by field, floats by their bits; empty when the two agree.
class FieldDiff {
public:
    template <typename T>
    void check(const char* name, T engine, T reference) {
        bool same;
        if constexpr (std::is_same_v<T, float>) {
            same = std::bit_cast<std::uint32_t>(engine) == std::bit_cast<std::uint32_t>(reference);
        } else {
            same = engine == reference;
        }
        if (!same && text.empty())
            text = std::string(name) + ": engine " + show(engine) + ", reference " + show(reference);
    }
    const std::string& first() const { return text; }

private:
    template <typename T>
    static std::string show(T v) {
        std::ostringstream s;
        s.precision(9);
        s << +v;
        return s.str();
    }
    std::string text;
};

std::string steeringDiff(const SteeringController& e, const SteeringReference& r) {
    FieldDiff d;
#define TEVARO_FIELD(f) d.check(#f, e.f, r.f)
#define TEVARO_RAMP(g)                                \
    d.check(#g ".current", e.g.current, r.g.current); \
    d.check(#g ".target", e.g.target, r.g.target);    \
    d.check(#g ".step", e.g.step, r.g.step)
    TEVARO_RAMP(gainFrontLeft);
    TEVARO_RAMP(gainFrontRight);
    TEVARO_RAMP(gainCentre);
    TEVARO_RAMP(gainSurroundLeft);
    TEVARO_RAMP(gainSurroundRight);
    TEVARO_RAMP(gainDifference);
    TEVARO_RAMP(allpassCoef);
    TEVARO_FIELD(frameCounter);
    TEVARO_FIELD(detLeft);
    TEVARO_FIELD(detRight);
    TEVARO_FIELD(lowPass1Left);
    TEVARO_FIELD(lowPass1Right);
    TEVARO_FIELD(previousLeft);
    TEVARO_FIELD(previousRight);
    TEVARO_FIELD(lowPass2Left);
    TEVARO_FIELD(lowPass2Right);
    TEVARO_FIELD(envLeft);
    TEVARO_FIELD(envRight);
    TEVARO_FIELD(envSum);
    TEVARO_FIELD(envDiff);
    TEVARO_FIELD(levelTracker);
    TEVARO_FIELD(levelState);
    TEVARO_FIELD(patternHold);
    TEVARO_FIELD(lrJumpCount);
    TEVARO_FIELD(csJumpCount);
    TEVARO_FIELD(angleLR);
    TEVARO_FIELD(angleCS);
    TEVARO_FIELD(levelLeft);
    TEVARO_FIELD(levelRight);
    TEVARO_FIELD(levelSum);
    TEVARO_FIELD(levelDiff);
    TEVARO_FIELD(balanceLR);
    TEVARO_FIELD(balanceCS);
    TEVARO_FIELD(fastLR);
    TEVARO_FIELD(fastCS);
    TEVARO_FIELD(steerLR);
    TEVARO_FIELD(steerCS);
    TEVARO_FIELD(targetLR);
    TEVARO_FIELD(targetCS);
#undef TEVARO_RAMP
#undef TEVARO_FIELD
    return d.first();
}

TEST(SteeringMatchesReference, EveryFieldAfterEveryFrameOfTheTour) {
    const Programme& in = tour();
    SteeringController engine;
    engine.reset();
    SteeringReference ref;
    ref.reset();
    for (std::size_t f = 0; f < framesOf(in); ++f) {
        engine.detect(in[2 * f], in[2 * f + 1]);
        engine.tick();
        ref.detect(in[2 * f], in[2 * f + 1]);
        ref.tick();
        const std::string diff = steeringDiff(engine, ref);
        ASSERT_TRUE(diff.empty()) << "frame " << f << ": " << diff;
    }
    expectEveryRuleTaken(ref.taken);
}

// One settings word of the panel, and its name in ctest.
struct Combination {
    std::string name;
    std::uint32_t word;
};
void PrintTo(const Combination& c, std::ostream* os) { *os << c.name; }

std::vector<Combination> everyPresetAndQuality() {
    std::vector<Combination> all;
    for (const NamedFlag& p : presetNames) {
        for (const NamedFlag& q : qualityNames) {
            std::string name = std::string(p.name) + "_" + std::string(q.name);
            for (char& c : name)
                if (c == '-') c = '_';
            all.push_back({name, p.flag | q.flag});
        }
    }
    return all;
}

class WholeChainMatchesReference : public ::testing::TestWithParam<Combination> {};

// The whole chain as the plug-in runs it with one word: for Neutral the room branch is the result;
// for jazz and Movie at Mid and Max the virtualiser branch adds its extra terms to the rear filters
// over the reverberator's output, then the front pair is added.
TEST_P(WholeChainMatchesReference, WholeTourBitForBit) {
    const std::uint32_t word = GetParam().word;
    const Programme& in = tour();
    Programme engineOut(in.size()), referenceOut(in.size());
    renderProgramme(ChainSettings{word, true, false}, in.data(), engineOut.data(), framesOf(in));
    ChainReference ref(word | FlagSurroundOn);
    ref.process(in.data(), referenceOut.data(), framesOf(in));
    EXPECT_TRUE(sameSamples(referenceOut, engineOut));
    if ((word & MidOrMaxMask) != 0 || (word & FlagNeutral) != 0) expectEveryRuleTaken(ref.surround().steering.taken);
}

INSTANTIATE_TEST_SUITE_P(PresetsAndQualities, WholeChainMatchesReference, ::testing::ValuesIn(everyPresetAndQuality()),
                         [](const auto& info) { return info.param.name; });

// Buffers of awkward sizes, each a different length from the ramp and update periods.
constexpr std::size_t awkwardFrames[] = {1, 2, 31, 64, 79, 95, 511, 4096, 17};

// The earlier stage's output the virtualiser branch adds half of: any signal with both signs.
Programme earlierOutput(std::size_t frames) {
    Programme p(2 * frames);
    for (std::size_t i = 0; i < p.size(); ++i) p[i] = static_cast<std::int16_t>((i * 7919) % 24001 - 12000);
    return p;
}

// A change of the settings word keeps every state: across both branches, every rear set, and the
// one word with no preset bit, in buffers of awkward sizes and at frames unrelated to the ramps.
TEST(SurroundEngineMatchesReference, SettingsChangesAndAwkwardBuffersKeepEveryState) {
    const std::uint32_t words[] = {FlagJazz | FlagQualityMax,    FlagNeutral,
                                   FlagMovie | FlagQualityMid,   FlagRockPop | FlagQualityMid,
                                   FlagNeutral | FlagQualityMax, FlagClassic | FlagQualityMax,
                                   FlagJazz | FlagQualityMid,    FlagQualityMax,
                                   FlagMovie | FlagQualityMax,   FlagNeutral | FlagQualityMid,
                                   FlagClassic | FlagQualityMid, FlagRockPop | FlagQualityMax};
    constexpr std::size_t framesPerWord = 7919;
    const Programme& in = tour();
    const Programme earlier = earlierOutput(framesOf(in));
    Programme engineOut = earlier, referenceOut = earlier;
    auto engine = std::make_unique<SurroundEngine>();
    engine->reset();
    auto ref = std::make_unique<SurroundReference>();
    ref->reset();
    std::size_t done = 0, turn = 0, wordIndex = 0;
    while (done < framesOf(in)) {
        const std::size_t untilChange = framesPerWord - done % framesPerWord;
        const std::size_t n =
            std::min({awkwardFrames[turn++ % std::size(awkwardFrames)], untilChange, framesOf(in) - done});
        if (done % framesPerWord == 0) {
            const std::uint32_t word = words[wordIndex++ % std::size(words)];
            engine->setFlags(word);
            ref->setFlags(word);
        }
        engine->process(2 * n, in.data() + 2 * done, engineOut.data() + 2 * done);
        ref->process(2 * n, in.data() + 2 * done, referenceOut.data() + 2 * done);
        done += n;
        const std::string diff = steeringDiff(engine->steering(), ref->steering);
        ASSERT_TRUE(diff.empty()) << "after frame " << done << ": " << diff;
    }
    EXPECT_TRUE(sameSamples(referenceOut, engineOut));
    EXPECT_EQ(engine->firLeftLine().position, ref->firLeft.position);
    EXPECT_EQ(engine->firRightLine().position, ref->firRight.position);
}

// The tail carries across configure calls and buffers of every size; Rock/Pop at Max changes the
// wet level and the feedback in the middle of the tail.
TEST(RoomReverbMatchesReference, ConfigureChangesAndAwkwardBuffersKeepTheTail) {
    const std::uint32_t words[] = {FlagJazz | FlagQualityMid, FlagRockPop | FlagQualityMax,
                                   FlagNeutral | FlagQualityMax, FlagRockPop | FlagQualityMax};
    constexpr std::size_t framesPerWord = 20011;
    const Programme& in = tour();
    Programme engineOut(in.size()), referenceOut(in.size());
    auto engine = std::make_unique<RoomReverb>();
    engine->initialise();
    auto ref = std::make_unique<ReverbReference>();
    ref->initialise();
    std::size_t done = 0, turn = 0, wordIndex = 0;
    while (done < framesOf(in)) {
        const std::size_t untilChange = framesPerWord - done % framesPerWord;
        const std::size_t n =
            std::min({awkwardFrames[turn++ % std::size(awkwardFrames)], untilChange, framesOf(in) - done});
        if (done % framesPerWord == 0) {
            const std::uint32_t word = words[wordIndex++ % std::size(words)];
            engine->configure(word);
            ref->configure(word);
        }
        engine->process(2 * n, in.data() + 2 * done, engineOut.data() + 2 * done);
        ref->process(2 * n, in.data() + 2 * done, referenceOut.data() + 2 * done);
        done += n;
    }
    EXPECT_TRUE(sameSamples(referenceOut, engineOut));
    EXPECT_EQ(std::memcmp(engine->memoryData(), ref->memory, sizeof ref->memory), 0);
}

// The panel's words changing between buffers, each buffer after a refresh: stages start and stop
// (the reverberator's tail stands still while it does not run), branches switch, sets change.
TEST(ChainMatchesReference, PresetChangesBetweenBuffers) {
    struct Block {
        std::int32_t slot[5] = {1, 1, 1, 0, 0};
        static std::int32_t read(void* context, int k) { return static_cast<Block*>(context)->slot[k]; }
    } block;
    const std::uint32_t words[] = {FlagNeutral | FlagQualityMax,
                                   FlagJazz | FlagQualityMax,
                                   FlagMovie | FlagQualityMin,
                                   FlagMovie | FlagQualityMid,
                                   FlagNeutral,
                                   FlagRockPop | FlagQualityMax,
                                   FlagClassic | FlagQualityMid,
                                   FlagJazz | FlagQualityMin,
                                   DefaultSettingsWord,
                                   FlagRockPop | FlagQualityMid,
                                   FlagClassic | FlagQualityMax};
    const Programme& in = tour();
    Programme engineOut(in.size()), referenceOut(in.size());
    block.slot[3] = static_cast<std::int32_t>(words[0] | FlagSurroundOn);
    auto chain = std::make_unique<DspChain>();
    chain->create(&Block::read, &block, 0);
    ChainReference ref(words[0] | FlagSurroundOn);
    constexpr std::size_t bufferFrames = 3001;
    std::uint32_t now = 0;
    for (std::size_t done = 0, buffer = 0; done < framesOf(in); done += bufferFrames, ++buffer) {
        const std::size_t n = std::min(bufferFrames, framesOf(in) - done);
        const std::uint32_t word = words[(buffer / 3) % std::size(words)] | FlagSurroundOn;
        block.slot[3] = static_cast<std::int32_t>(word);
        now += DspChain::refreshIntervalMs;
        chain->process16(in.data() + 2 * done, engineOut.data() + 2 * done, 2 * n, 2, now);
        ref.refresh(word);
        ref.process(in.data() + 2 * done, referenceOut.data() + 2 * done, n);
    }
    EXPECT_TRUE(sameSamples(referenceOut, engineOut));
}

}  // namespace
}  // namespace tevaro::dsp
