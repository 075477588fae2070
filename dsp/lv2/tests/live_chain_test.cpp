#include "dsp/lv2/live_chain.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "dsp/engine/offline/offline_render.h"
#include "dsp/engine/offline/programmes.h"
#include "dsp/lv2/live_controls.h"
#include "dsp/lv2/sample_bridge.h"
#include "settings_link/settings_word.h"

namespace tevaro::dsp {
namespace {

constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float inf = std::numeric_limits<float>::infinity();

TEST(LiveControls, PortValuesRoundAndClampIntoWordsThePanelCouldPublish) {
    struct Case {
        float surround, preset, quality, mute;
        LiveControls expected;
        std::uint32_t word;
    };
    const Case cases[] = {
        {1, 4, 2, 0, {true, 4, 2, false}, FlagNeutral | FlagQualityMax},
        {0, 0, 0, 1, {false, 0, 0, true}, FlagRockPop | FlagQualityMin},
        {1, 1, 1, 0, {true, 1, 1, false}, FlagClassic | FlagQualityMid},
        {1, 2.4f, 0.6f, 0, {true, 2, 1, false}, FlagJazz | FlagQualityMid},
        {0.5f, 3, 2, 0.49f, {true, 3, 2, false}, FlagMovie | FlagQualityMax},
        {1, -3, 9, 0, {true, 0, 2, false}, FlagRockPop | FlagQualityMax},
        {1, 70000, -1, 0, {true, 4, 0, false}, FlagNeutral | FlagQualityMin},
        // A host's garbage falls back to the defaults rather than to a border value.
        {nan, nan, nan, nan, DefaultLiveControls, FlagNeutral | FlagQualityMax},
        {1, inf, -inf, 0, {true, 4, 2, false}, FlagNeutral | FlagQualityMax},
    };
    for (const Case& c : cases) {
        const LiveControls got = controlsFromPorts(c.surround, c.preset, c.quality, c.mute);
        EXPECT_EQ(got, c.expected) << c.surround << " " << c.preset << " " << c.quality << " " << c.mute;
        EXPECT_EQ(settingsWordOf(got), c.word);
        EXPECT_TRUE(isAcceptedStoredWord(settingsWordOf(got)));
    }
}

TEST(SampleBridge, SixteenBitSamplesSurviveTheFloatRoundTripAndOverloadsClip) {
    for (int v = -32768; v <= 32767; ++v) {
        ASSERT_EQ(sample16FromFloat(floatFromSample16(static_cast<std::int16_t>(v))), v);
    }
    struct Case {
        float in;
        std::int16_t out;
    };
    const Case cases[] = {{1.0f, 32767},
                          {-1.0f, -32768},
                          {1.5f, 32767},
                          {-7.0f, -32768},
                          {inf, 32767},
                          {-inf, -32768},
                          {nan, 0},
                          {0.5f / 32768, 0},
                          {1.5f / 32768, 2},
                          {-1.5f / 32768, -2},
                          {32766.6f / 32768, 32767}};
    for (const Case& c : cases) EXPECT_EQ(sample16FromFloat(c.in), c.out) << c.in;
}

// A stereo programme as planar floats, and the same programme as tevaro-dsp processes it.
struct LiveFixture : ::testing::Test {
    static constexpr std::size_t frames = 3 * 4096 + 917;
    Programme music = demoProgramme(frames);
    std::vector<float> left, right;

    void SetUp() override {
        for (std::size_t i = 0; i < frames; ++i) {
            left.push_back(floatFromSample16(music[2 * i]));
            right.push_back(floatFromSample16(music[2 * i + 1]));
        }
    }

    Programme offline(const LiveControls& c, const RenderSchedule& schedule = {}) const {
        Programme out(music.size());
        renderProgramme({settingsWordOf(c), c.surroundOn, c.mute}, music.data(), out.data(), frames, {}, schedule);
        return out;
    }

    // Runs the programme in blocks of `block` frames; `controlsAt(k)` gives block k's controls.
    template <typename Controls>
    Programme live(LiveChain& chain, std::size_t block, Controls controlsAt) const {
        std::vector<float> outLeft(frames), outRight(frames);
        chain.activate();
        for (std::size_t done = 0, k = 0; done < frames; done += block, ++k) {
            const std::size_t n = std::min(block, frames - done);
            chain.run(&left[done], &right[done], &outLeft[done], &outRight[done], n, controlsAt(k));
        }
        Programme out(music.size());
        for (std::size_t i = 0; i < frames; ++i) {
            out[2 * i] = sample16FromFloat(outLeft[i]);
            out[2 * i + 1] = sample16FromFloat(outRight[i]);
        }
        return out;
    }
};

TEST_F(LiveFixture, EqualsTheOfflineChainForEveryBlockSize) {
    auto chain = std::make_unique<LiveChain>();
    const LiveControls settings[] = {
        DefaultLiveControls, {true, 0, 2, false}, {true, 1, 0, false}, {true, 3, 1, false}};
    for (const LiveControls& c : settings) {
        const Programme want = offline(c);
        for (std::size_t block : {1u, 7u, 64u, 4096u, 5000u}) {
            EXPECT_EQ(live(*chain, block, [&](std::size_t) { return c; }), want)
                << "preset " << c.preset << " quality " << c.quality << " block " << block;
        }
    }
}

TEST_F(LiveFixture, SwitchMuteAndPresetChangesTakeEffectAtTheNextCycle) {
    constexpr std::size_t block = 1024;
    const LiveControls before{true, 0, 2, false};
    struct Case {
        LiveControls after;
    };
    const Case cases[] = {{{true, 1, 0, false}}, {{false, 0, 2, false}}, {{true, 0, 2, true}}};
    auto chain = std::make_unique<LiveChain>();
    for (const Case& c : cases) {
        // The panel publishes the word with the switch bit; the offline renderer replays that at
        // a refresh before block 5. Switch and mute ride on the same refresh.
        Programme want;
        if (c.after.surroundOn && !c.after.mute) {
            const std::uint32_t slot = settingsWordOf(c.after) | FlagSurroundOn;
            want = offline(before, {block, {{5, slot}}});
        } else {
            // Off passes through and mute silences from block 5 on; before it, the first settings.
            want = offline(before, {block, {}});
            for (std::size_t i = 2 * 5 * block; i < want.size(); ++i) want[i] = c.after.mute ? 0 : music[i];
        }
        EXPECT_EQ(live(*chain, block, [&](std::size_t k) { return k < 5 ? before : c.after; }), want)
            << "to preset " << c.after.preset << " on " << c.after.surroundOn << " mute " << c.after.mute;
    }
}

TEST_F(LiveFixture, ActivateStartsOverAsANewPlugInDoesAndInPlaceBuffersWork) {
    const LiveControls c{true, 2, 2, false};
    auto used = std::make_unique<LiveChain>();
    live(*used, 333, [&](std::size_t) { return LiveControls{true, 3, 0, false}; });
    EXPECT_EQ(live(*used, 4096, [&](std::size_t) { return c; }), offline(c));

    // Hosts may hand the same buffers for input and output.
    auto inPlace = std::make_unique<LiveChain>();
    std::vector<float> l = left, r = right;
    inPlace->activate();
    for (std::size_t done = 0; done < frames; done += 256) {
        const std::size_t n = std::min<std::size_t>(256, frames - done);
        inPlace->run(&l[done], &r[done], &l[done], &r[done], n, c);
    }
    const Programme want = offline(c);
    for (std::size_t i = 0; i < frames; ++i) {
        ASSERT_EQ(sample16FromFloat(l[i]), want[2 * i]) << i;
        ASSERT_EQ(sample16FromFloat(r[i]), want[2 * i + 1]) << i;
    }
}

}  // namespace
}  // namespace tevaro::dsp
