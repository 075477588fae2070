#include "dsp/engine/dsp_chain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "dsp/engine/offline/offline_render.h"
#include "dsp/engine/offline/programmes.h"
#include "settings_link/settings_word.h"

// Counts every allocation in this test programme, to prove the audio path makes none.
namespace {
std::atomic<long> allocations{0};
}
void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, std::align_val_t align) {
    ++allocations;
    const std::size_t a = static_cast<std::size_t>(align);
    if (void* p = std::aligned_alloc(a, (size + a - 1) / a * a)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }

namespace tevaro::dsp {
namespace {

// The settings block as the panel leaves it.
struct Block {
    std::int32_t slot[5] = {};
    static std::int32_t read(void* context, int k) { return static_cast<Block*>(context)->slot[k]; }
    void publish(std::uint32_t word, bool on = true, bool mute = false) {
        slot[0] = 1;
        slot[2] = on ? 1 : 0;
        slot[3] = static_cast<std::int32_t>(word);
        slot[4] = mute ? 1 : 0;
    }
};

constexpr std::uint32_t rockPopMax = FlagRockPop | FlagQualityMax;

struct ChainFixture : ::testing::Test {
    Block block;
    std::unique_ptr<DspChain> chain = std::make_unique<DspChain>();
    Programme music = demoProgramme(4096);

    std::vector<std::int16_t> process(std::uint32_t nowMs, int channels = 2, std::size_t samples = 0) {
        if (samples == 0) samples = music.size();
        std::vector<std::int16_t> out(samples, 4321);
        chain->process16(music.data(), out.data(), samples, channels, nowMs);
        return out;
    }
    bool isCopy(const std::vector<std::int16_t>& out) const {
        return std::equal(out.begin(), out.end(), music.begin());
    }
    static bool isSilent(const std::vector<std::int16_t>& out) {
        return std::all_of(out.begin(), out.end(), [](std::int16_t s) { return s == 0; });
    }
};

TEST_F(ChainFixture, CreationWithoutThePanelPassesAudioThrough) {
    block.slot[2] = 1;
    block.slot[3] = static_cast<std::int32_t>(rockPopMax);
    chain->create(&Block::read, &block, 1000);
    EXPECT_EQ(chain->surroundOn(), 0);
    EXPECT_EQ(chain->settingsWord(), 0u);
    EXPECT_TRUE(isCopy(process(1200)));
}

TEST_F(ChainFixture, CreationReadsSwitchAndWordButNotMute) {
    block.publish(rockPopMax, true, true);
    chain->create(&Block::read, &block, 1000);
    EXPECT_EQ(chain->surroundOn(), 1);
    EXPECT_EQ(chain->settingsWord(), rockPopMax);
    EXPECT_EQ(chain->mute(), 0);
    EXPECT_EQ(chain->surroundEngine().settingsFlags(), static_cast<std::int32_t>(rockPopMax));
    // Creation hands the word to the engine only; the reverberator keeps its initial room.
    EXPECT_EQ(chain->roomReverb().wetLevel(), 0.1f);
}

TEST_F(ChainFixture, RefreshesAfter500msOfTicksAcrossTheWrap) {
    struct Case {
        std::uint32_t created, now;
        bool refreshed;
    };
    const Case cases[] = {
        {1000, 1499, false}, {1000, 1500, true}, {0xFFFFFF00u, 0xF3u, false}, {0xFFFFFF00u, 0xF4u, true}};
    for (const Case& c : cases) {
        block.publish(FlagNeutral | FlagQualityMid);
        chain->create(&Block::read, &block, c.created);
        block.publish(rockPopMax, true, true);
        const auto out = process(c.now);
        EXPECT_EQ(chain->mute(), c.refreshed ? 1 : 0) << c.now;
        EXPECT_EQ(chain->settingsWord(), c.refreshed ? rockPopMax : (FlagNeutral | FlagQualityMid)) << c.now;
        EXPECT_EQ(chain->roomReverb().wetLevel(), c.refreshed ? 0.15f : 0.1f) << c.now;
        EXPECT_EQ(isSilent(out), c.refreshed) << c.now;
    }
}

// While slot 0 is 0 a refresh only turns the switch off and reads nothing else; once slot 0 is
// non-zero again, the next refresh reads slots 2 to 4 afresh and hands the word on.
TEST_F(ChainFixture, PanelGoneTurnsProcessingOffButKeepsWordAndMute) {
    constexpr std::uint32_t movieMid = FlagMovie | FlagQualityMid;
    enum class Output { Copy, Silent, MovieMidStages };
    struct Step {
        const char* what;
        std::int32_t panelReady, surroundOn, word, mute;  // slots 0, 2, 3, 4
        std::uint32_t nowMs;
        std::int32_t expectedSwitch;
        std::uint32_t expectedWord;
        std::int32_t expectedMute;
        float expectedWet;  // the reverberator sees every word a refresh hands on
        Output output;
    };
    const std::int32_t rp = static_cast<std::int32_t>(rockPopMax), mm = static_cast<std::int32_t>(movieMid);
    const Step steps[] = {
        {"panel gone", 0, 1, 0, 0, 500, 0, rockPopMax, 0, 0.1f, Output::Copy},
        {"panel back, muted", 1, 1, rp, 1, 1000, 1, rockPopMax, 1, 0.15f, Output::Silent},
        {"panel gone again, slots 2 to 4 changed", 0, 1, mm, 0, 1500, 0, rockPopMax, 1, 0.15f, Output::Silent},
        {"slot 0 back before the refresh is due", 1, 1, mm, 0, 1999, 0, rockPopMax, 1, 0.15f, Output::Silent},
        {"the next refresh reads slots 2 to 4", 1, 1, mm, 0, 2000, 1, movieMid, 0, 0.1f, Output::MovieMidStages},
    };

    block.publish(rockPopMax);
    chain->create(&Block::read, &block, 0);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        block.slot[0] = step.panelReady;
        block.slot[2] = step.surroundOn;
        block.slot[3] = step.word;
        block.slot[4] = step.mute;
        const auto out = process(step.nowMs);
        EXPECT_EQ(chain->surroundOn(), step.expectedSwitch);
        EXPECT_EQ(chain->settingsWord(), step.expectedWord);
        EXPECT_EQ(chain->mute(), step.expectedMute);
        EXPECT_EQ(chain->surroundEngine().settingsFlags(), static_cast<std::int32_t>(step.expectedWord));
        EXPECT_EQ(chain->roomReverb().wetLevel(), step.expectedWet);
        switch (step.output) {
            case Output::Copy:
                EXPECT_TRUE(isCopy(out));
                break;
            case Output::Silent:
                EXPECT_TRUE(isSilent(out));
                break;
            case Output::MovieMidStages: {
                // No stage has run before this buffer (copies and silence only), so the stages
                // start from the state of creation with the new word.
                auto reverb = std::make_unique<RoomReverb>();
                auto engine = std::make_unique<SurroundEngine>();
                auto virtualiser = std::make_unique<VirtualiserStage>();
                reverb->initialise();
                reverb->configure(movieMid);
                engine->reset();
                engine->setFlags(movieMid);
                virtualiser->reset();
                std::vector<std::int16_t> expected(music.size(), 4321);
                reverb->process(music.size(), music.data(), expected.data());
                engine->process(music.size(), music.data(), expected.data());
                virtualiser->process(movieMid, music.data(), expected.data(), music.size());
                EXPECT_EQ(out, expected);
                EXPECT_FALSE(isCopy(out));
                break;
            }
        }
    }
}

TEST_F(ChainFixture, MuteSilencesEveryChannelCountAndDisabledCopiesEvenWhenMuted) {
    block.publish(rockPopMax, true, true);
    chain->create(&Block::read, &block, 0);
    for (int channels : {1, 2, 6}) EXPECT_TRUE(isSilent(process(500, channels))) << channels;
    chain->setEnabled(false);
    EXPECT_FALSE(chain->enabled());
    EXPECT_TRUE(isCopy(process(500)));
}

TEST_F(ChainFixture, SwitchOffAndNonStereoStreamsAreCopied) {
    block.publish(rockPopMax, false);
    chain->create(&Block::read, &block, 0);
    EXPECT_TRUE(isCopy(process(0)));
    block.publish(rockPopMax, true);
    chain->create(&Block::read, &block, 0);
    for (int channels : {1, 3, 6, 8}) EXPECT_TRUE(isCopy(process(0, channels))) << channels;
    EXPECT_FALSE(isCopy(process(0, 2)));
}

TEST_F(ChainFixture, WordsThePanelNeverWritesPassThrough) {
    for (std::uint32_t word : {0u, FlagQualityMax, FlagRockPop | FlagJazz | FlagQualityMid, std::uint32_t{FlagMovie}}) {
        block.publish(word);
        chain->create(&Block::read, &block, 0);
        EXPECT_TRUE(isCopy(process(0))) << word;
    }
}

// Each routing equals its stages run by hand in order.
TEST_F(ChainFixture, StagesRunInOrderByTheRouting) {
    struct Case {
        std::uint32_t word;
        bool reverb, engine, virtualiser;
    };
    const Case cases[] = {
        {FlagRockPop | FlagQualityMin, false, false, true}, {FlagRockPop | FlagQualityMid, true, true, true},
        {FlagClassic | FlagQualityMax, false, true, true},  {FlagMovie | FlagQualityMax, true, true, true},
        {FlagNeutral | FlagQualityMin, false, true, false}, {FlagNeutral | FlagQualityMax, true, true, false},
        {DefaultSettingsWord, false, true, false},
    };
    for (const Case& c : cases) {
        block.publish(c.word);
        chain->create(&Block::read, &block, 0);
        const auto out = process(0);

        auto reverb = std::make_unique<RoomReverb>();
        auto engine = std::make_unique<SurroundEngine>();
        auto virtualiser = std::make_unique<VirtualiserStage>();
        reverb->initialise();
        engine->reset();
        engine->setFlags(c.word);
        virtualiser->reset();
        std::vector<std::int16_t> expected(music.size(), 4321);
        if (c.reverb) reverb->process(music.size(), music.data(), expected.data());
        if (c.engine) engine->process(music.size(), music.data(), expected.data());
        if (c.virtualiser) virtualiser->process(c.word, music.data(), expected.data(), music.size());
        EXPECT_EQ(out, expected) << c.word;
    }
}

TEST_F(ChainFixture, OddSampleCountsStayInsideTheBuffers) {
    for (std::uint32_t word : {rockPopMax, std::uint32_t{FlagNeutral}, FlagJazz | FlagQualityMin}) {
        block.publish(word);
        chain->create(&Block::read, &block, 0);
        std::vector<std::int16_t> untouched(16, 4321);
        chain->process16(music.data(), untouched.data(), 0, 2, 0);
        EXPECT_EQ(untouched, std::vector<std::int16_t>(16, 4321));
        for (std::size_t samples : {1u, 3u, 4095u}) {
            std::vector<std::int16_t> out(samples + 16, 4321);  // guard zone after the buffer
            chain->process16(music.data(), out.data(), samples, 2, 0);
            for (std::size_t i = samples; i < out.size(); ++i) ASSERT_EQ(out[i], 4321) << word << " " << samples;
            EXPECT_EQ(out[samples - 1], music[samples - 1]) << "a lone last sample passes unchanged";
        }
    }
}

// A replayed schedule takes each change at the refresh before its buffer, exactly as a chain in the
// player that sees the panel's writes between those two buffers; the buffers before it keep the
// old word.
TEST_F(ChainFixture, ReplayedChangesTakeEffectAtTheirBuffer) {
    constexpr std::size_t frames = 441;
    const Programme in = demoProgramme(frames * 7);
    const std::uint32_t movieMid = FlagMovie | FlagQualityMid | FlagSurroundOn;
    const std::uint32_t movieMax = FlagMovie | FlagQualityMax | FlagSurroundOn;
    const RenderSchedule schedule{frames, {{3, movieMid}, {3, movieMax}, {5, movieMid}}};
    Programme replayed(in.size());
    renderProgramme(ChainSettings{FlagNeutral | FlagQualityMid, true, false}, in.data(), replayed.data(), frames * 7,
                    {}, schedule);

    // By hand: the word as the block holds it when each buffer's refresh is due.
    block.publish(FlagNeutral | FlagQualityMid | FlagSurroundOn);
    chain->create(&Block::read, &block, 0);
    Programme byHand(in.size());
    const std::uint32_t ticks[7] = {500, 500, 500, 1000, 1000, 1500, 1500};
    for (std::size_t b = 0; b < 7; ++b) {
        if (b == 3) block.publish(movieMax);  // the later of two changes for one buffer wins
        if (b == 5) block.publish(movieMid);
        chain->process16(in.data() + 2 * frames * b, byHand.data() + 2 * frames * b, 2 * frames, 2, ticks[b]);
    }
    EXPECT_EQ(replayed, byHand);

    Programme unchanged(in.size());
    renderProgramme(ChainSettings{FlagNeutral | FlagQualityMid, true, false}, in.data(), unchanged.data(), frames * 7,
                    {}, RenderSchedule{frames, {}});
    EXPECT_TRUE(std::equal(unchanged.begin(), unchanged.begin() + 2 * frames * 3, replayed.begin()));
    EXPECT_FALSE(std::equal(unchanged.begin() + 2 * frames * 3, unchanged.end(), replayed.begin() + 2 * frames * 3));
}

TEST_F(ChainFixture, ProcessingAllocatesNothing) {
    block.publish(rockPopMax);
    chain->create(&Block::read, &block, 0);
    std::vector<std::int16_t> out(music.size());
    for (std::uint32_t word : {rockPopMax, FlagMovie | FlagQualityMid, FlagClassic | FlagQualityMin,
                               std::uint32_t{FlagNeutral}, std::uint32_t{FlagNeutral | FlagQualityMax}}) {
        block.publish(word);
        const long before = allocations.load();
        for (std::uint32_t tick = 0; tick < 4000; tick += 250) {
            chain->process16(music.data(), out.data(), music.size(), 2, 1000 + tick);
        }
        EXPECT_EQ(allocations.load(), before) << word;
    }
}

}  // namespace
}  // namespace tevaro::dsp
