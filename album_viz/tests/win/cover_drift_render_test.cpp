// Frames through the registered CoverDrift.dll in DC mode: the player's own levels reduced in
// place and zeroed when they freeze, the frame copied into the player's DC, and a Destroy that the
// next frame recovers from.
#include <cstring>
#include <memory>

#include "com_support/dib_section.h"
#include "cover_drift_test_support.h"

namespace tevaro::album::test {
namespace {

constexpr int W = 350, H = 320;
constexpr std::uint32_t Marker = 0x00123456;

std::unique_ptr<TimedLevel> patternedLevels() {
    auto levels = std::make_unique<TimedLevel>();
    for (int c = 0; c < 2; ++c)
        for (int j = 0; j < 1024; ++j) {
            levels->frequency[c][j] = std::uint8_t((j * 73 + c * 41 + 7) % 256);
            levels->waveform[c][j] = std::uint8_t(j % 251);
        }
    return levels;
}

class CoverDriftFrames : public testing::Test {
protected:
    void SetUp() override {
        effect_ = createCoverDrift();
        ASSERT_NE(effect_, nullptr);
        ASSERT_TRUE(dib_.valid());
        ASSERT_EQ(effect_->SetCurrentPreset(0), S_OK);
    }
    void TearDown() override {
        if (effect_ != nullptr) {
            EXPECT_EQ(effect_->Release(), 0u);
        }
    }
    void fill(std::uint32_t colour) {
        for (int i = 0; i < W * H; ++i) dib_.pixels()[i] = colour;
    }
    HRESULT frame(TimedLevel& levels) {
        RECT r{0, 0, W, H};
        const HRESULT hr = effect_->Render(&levels, dib_.dc(), &r);
        GdiFlush();
        return hr;
    }
    IWMPEffects2* effect_ = nullptr;
    com_support::DibSection dib_{W, H};
};

TEST_F(CoverDriftFrames, ThePlayersLevelsAreReducedInPlace) {
    auto levels = patternedLevels();
    const TimedLevel original = *levels;
    ASSERT_EQ(frame(*levels), S_OK);
    for (int c = 0; c < 2; ++c) {
        for (int i = 0; i < 256; ++i) {
            std::uint8_t loudest = 0;
            for (int k = 0; k < 4; ++k) loudest = std::max(loudest, original.frequency[c][4 * i + k]);
            ASSERT_EQ(levels->frequency[c][i], loudest) << "channel " << c << " bin " << i;
        }
        EXPECT_EQ(0, std::memcmp(levels->frequency[c] + 256, original.frequency[c] + 256, 1024 - 256))
            << "the rest of the channel stays";
        EXPECT_EQ(0, std::memcmp(levels->waveform[c], original.waveform[c], 1024)) << "the waveform is not touched";
    }
}

TEST_F(CoverDriftFrames, AFrozenSpectrumBecomesSilenceUntilABinChanges) {
    const auto source = patternedLevels();
    struct Step {
        int frames;
        bool changeBin50;
        bool silent;
    };
    // The first frame sets the frozen copy; seven more identical ones reach the count of 7.
    const Step steps[] = {{7, false, false}, {1, false, true}, {3, false, true}, {1, true, false}};
    std::uint8_t bump = 0;
    auto levels = std::make_unique<TimedLevel>();
    int index = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "step " << index++);
        for (int n = 0; n < s.frames; ++n) {
            *levels = *source;
            if (s.changeBin50)
                levels->frequency[0][200] = levels->frequency[0][201] = levels->frequency[0][202] =
                    levels->frequency[0][203] = ++bump;
            ASSERT_EQ(frame(*levels), S_OK);
        }
        bool allZero = true;
        for (int c = 0; c < 2; ++c)
            for (int i = 1; i < 256; ++i) allZero = allZero && levels->frequency[c][i] == 0;
        EXPECT_EQ(allZero, s.silent);
        EXPECT_NE(levels->frequency[0][0], 0) << "bin 0 is never zeroed";
    }
}

TEST_F(CoverDriftFrames, AFrameReachesThePlayersDcAndDestroyDoesNotEndThePicture) {
    TimedLevel levels{};
    // The first frame starts the device on the hidden device window.
    fill(Marker);
    ASSERT_EQ(frame(levels), S_OK);
    for (int i = 0; i < 3 && dib_.at(10, 10) == Marker; ++i) frame(levels);
    if (dib_.at(10, 10) == Marker) GTEST_FAIL() << "no frame reached the DC: no Direct3D device in the bed";
    EXPECT_NE(FindWindowW(L"Full_screen_class", nullptr), nullptr);

    ASSERT_EQ(effect_->Destroy(), S_OK);
    EXPECT_EQ(FindWindowW(L"Full_screen_class", nullptr), nullptr) << "Destroy takes the device window down";
    // A player that goes back to DC mode: the next frames set everything up again.
    fill(Marker);
    for (int i = 0; i < 4 && dib_.at(10, 10) == Marker; ++i) ASSERT_EQ(frame(levels), S_OK);
    EXPECT_NE(dib_.at(10, 10), Marker);
    EXPECT_NE(FindWindowW(L"Full_screen_class", nullptr), nullptr);
}

TEST_F(CoverDriftFrames, ANewRectangleSizeIsWhatTheNextFramesCover) {
    TimedLevel levels{};
    RECT full{0, 0, W, H};
    for (int i = 0; i < 3; ++i) ASSERT_EQ(effect_->Render(&levels, dib_.dc(), &full), S_OK);
    struct Case {
        RECT rect;
        POINT inside, outside;
    };
    // The frame lands at the rectangle's origin with its size; the rest of the DC is left alone.
    const Case cases[] = {{{0, 0, 200, 150}, {100, 75}, {300, 250}},
                          {{50, 40, 250, 190}, {150, 100}, {20, 20}},
                          {{0, 0, W, H}, {W - 10, H - 10}, {-1, -1}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rect.right - c.rect.left << " x " << c.rect.bottom - c.rect.top);
        fill(Marker);
        RECT r = c.rect;
        for (int i = 0; i < 4; ++i) ASSERT_EQ(effect_->Render(&levels, dib_.dc(), &r), S_OK);
        GdiFlush();
        EXPECT_NE(dib_.at(c.inside.x, c.inside.y), Marker);
        if (c.outside.x >= 0) EXPECT_EQ(dib_.at(c.outside.x, c.outside.y), Marker);
    }
}

}  // namespace
}  // namespace tevaro::album::test
