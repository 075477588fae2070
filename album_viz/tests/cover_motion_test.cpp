// The cover's fade-out, rebuild, five-second zoom and rest, across tracks, ratings and resizes.
#include <gtest/gtest.h>

#include <vector>

#include "album_viz/model/background_layout.h"
#include "album_viz/model/cover_motion.h"

namespace tevaro::album {
namespace {

using namespace cover_state;

TEST(CoverMotion, NothingBeforeTheFirstTrack) {
    CoverMotion m;
    for (std::uint32_t now : {0u, 1000u, 60000u}) {
        const CoverMotion::Frame f = m.step(now, 350, 320, false);
        EXPECT_FALSE(f.rebuild);
        EXPECT_EQ(m.state(), Inactive);
    }
    // Not even a compact window starts it.
    EXPECT_FALSE(m.step(100, 166, 125, false).rebuild);
}

TEST(CoverMotion, FirstTrackBuildsAtOnceThenZoomsForFiveSeconds) {
    CoverMotion m;
    m.newTrack(1000);
    const CoverMotion::Frame first = m.step(1000, 350, 320, false);
    EXPECT_TRUE(first.rebuild);
    EXPECT_EQ(first.fade, 255);
    EXPECT_FLOAT_EQ(first.zoom, 0.6f);
    struct Case {
        std::uint32_t now;
        bool rebuild;
        std::int32_t state, fade;
        float zoom;
    };
    // t₂ = elapsed × 0.0002: fade = 255 − trunc(t₂² × 255), p = min(1, t₂⁴ + 0.6).
    const Case cases[] = {
        {1000, false, Transition, 255, 0.6f},    {2000, false, Transition, 245, 0.6016f},
        {3500, false, Transition, 192, 0.6625f}, {4000, false, Transition, 164, 0.7296f},
        {5000, false, Transition, 92, 1.0f},     {5999, false, Transition, 1, 1.0f},
        {6000, false, Resting, 0, 1.0f},         {9000, false, Resting, 0, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "at " << c.now);
        const CoverMotion::Frame f = m.step(c.now, 350, 320, true);
        EXPECT_EQ(f.rebuild, c.rebuild);
        EXPECT_EQ(m.state(), c.state);
        EXPECT_EQ(f.fade, c.fade);
        EXPECT_NEAR(f.zoom, c.zoom, 1e-3f);
        EXPECT_EQ(f.atRest, c.state == Resting);
    }
}

TEST(CoverMotion, AQuickSeriesOfTracksBuildsOneSecondAfterTheLast) {
    CoverMotion m;
    m.newTrack(0);
    m.step(0, 350, 320, false);
    for (std::uint32_t now = 100; now < 8000; now += 100) m.step(now, 350, 320, true);
    ASSERT_EQ(m.state(), Resting);
    const std::uint32_t tracks[] = {10000, 10300, 10600};
    std::vector<std::uint32_t> builds;
    std::int32_t lastFade = -1;
    for (std::uint32_t now = 10000; now <= 13000; now += 50) {
        for (std::uint32_t t : tracks)
            if (t == now) m.newTrack(now);
        const CoverMotion::Frame f = m.step(now, 350, 320, true);
        if (f.rebuild) builds.push_back(now);
        if (now == 11550) lastFade = f.fade;
    }
    EXPECT_EQ(builds, std::vector<std::uint32_t>{11600});
    // The old cover fades out as t₁² × 255: 0.95 s after the last track.
    EXPECT_EQ(lastFade, 230);
}

TEST(CoverMotion, ARatingChangeKeepsTheStartTime) {
    CoverMotion m;
    m.newTrack(0);
    m.step(0, 350, 320, false);
    // 0.4 s into the zoom a new rating asks for a rebuild; the start is 0.4 s old, so it waits
    // for the rest of the second.
    m.step(400, 350, 320, true);
    m.ratingChanged();
    EXPECT_FALSE(m.step(500, 350, 320, true).rebuild);
    EXPECT_FALSE(m.step(999, 350, 320, true).rebuild);
    EXPECT_TRUE(m.step(1000, 350, 320, true).rebuild);
    // Long after the last start it rebuilds at once.
    m.step(20000, 350, 320, true);
    m.ratingChanged();
    EXPECT_TRUE(m.step(20001, 350, 320, true).rebuild);
}

TEST(CoverMotion, ARebuiltSceneEndsTheTransition) {
    CoverMotion m;
    m.newTrack(0);
    m.step(0, 800, 600, false);
    m.step(1000, 800, 600, true);
    ASSERT_EQ(m.state(), Transition);
    m.sceneRebuilt();
    const CoverMotion::Frame f = m.step(1050, 640, 480, true);
    EXPECT_EQ(m.state(), Resting);
    EXPECT_TRUE(f.atRest);
    EXPECT_EQ(f.fade, 0);
    EXPECT_FLOAT_EQ(f.zoom, 1.0f);
    // A rebuild request is not cut short.
    m.newTrack(2000);
    m.sceneRebuilt();
    EXPECT_EQ(m.state(), RebuildRequested);
}

TEST(CoverMotion, CompactSizeChangesRebuildAndTheSmallestRestsAtOnce) {
    struct Step {
        int w, h;
        bool rebuild;
        std::int32_t state;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"into and out of 166 x 125",
         {{350, 320, false, Resting},
          {166, 125, true, Transition},
          {166, 125, false, Transition},
          {350, 320, true, Transition}}},
        {"162 x 121 is compact; 160 x 120 rests without a zoom",
         {{162, 121, true, Transition}, {160, 120, true, Resting}, {160, 120, false, Resting}}},
        {"other small sizes are not compact", {{167, 125, false, Resting}, {166, 124, false, Resting}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CoverMotion m;
        m.newTrack(0);
        m.step(0, 350, 320, false);
        m.step(6000, 350, 320, true);
        ASSERT_EQ(m.state(), Resting);
        std::uint32_t now = 7000;
        for (const Step& s : c.steps) {
            SCOPED_TRACE(testing::Message() << s.w << " x " << s.h);
            const CoverMotion::Frame f = m.step(now += 10, s.w, s.h, true);
            EXPECT_EQ(f.rebuild, s.rebuild);
            EXPECT_EQ(m.state(), s.state);
        }
    }
}

TEST(BackgroundLayout, SkyCoversTheWindowCentredAndTheBandSitsAtTheBottom) {
    struct Case {
        int w, h;
        int x, y, width, height, band, upper, lower;
    };
    const Case cases[] = {
        {350, 320, -38, 0, 426, 320, 71, 250, 285},
        {800, 600, 0, 0, 800, 600, 162, 438, 519},
        {1280, 720, 0, -120, 1280, 960, 260, 460, 590},
        {166, 125, 0, 0, 166, 125, 33, 93, 109},  // 166 × 600 / 800 = 124 < 125: fit the height
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
        const BackgroundLayout l = layoutBackground(800, 600, c.w, c.h);
        EXPECT_EQ(l.imageX, c.x);
        EXPECT_EQ(l.imageY, c.y);
        EXPECT_EQ(l.imageWidth, c.width);
        EXPECT_EQ(l.imageHeight, c.height);
        EXPECT_EQ(l.bandHeight, c.band);
        EXPECT_EQ(l.upperGradientY, c.upper);
        EXPECT_EQ(l.lowerGradientY, c.lower);
        EXPECT_EQ(l.gradientHeight, c.band / 2);
    }
}

}  // namespace
}  // namespace tevaro::album
