// The panel's pointer rules: clicks pin and hide it, hovering the art shows it, a click on the art
// of a track with art asks for its purchase link.
#include <gtest/gtest.h>

#include "album_viz/model/pointer_state.h"

namespace tevaro::album {
namespace {

using namespace panel_state;

// A 510-pixel cover at (20, 20): the art is 20 < x < 224, 20 < y < 224.
constexpr CoverArea Cover{20, 20, 510, 510};
constexpr int ArtX = 100, ArtY = 100, OutX = 300, OutY = 300;

TEST(PointerState, ArtIsTheTopLeftTwoFifthsOfTheCoverExclusive) {
    struct Case {
        int x, y;
        bool over;
    };
    const Case cases[] = {{21, 21, true},   {223, 223, true},  {20, 100, false}, {224, 100, false},
                          {100, 20, false}, {100, 224, false}, {0, 0, false},    {400, 400, false}};
    for (const Case& c : cases) EXPECT_EQ(Cover.contains(c.x, c.y), c.over) << c.x << ", " << c.y;
    // trunc(0.4 × 333) = 133.
    EXPECT_TRUE((CoverArea{0, 0, 333, 333}.contains(132, 132)));
    EXPECT_FALSE((CoverArea{0, 0, 333, 333}.contains(133, 1)));
}

TEST(PointerState, EventSequences) {
    struct Step {
        PointerEvent event;
        int x, y;
        std::int32_t panel, linkHover, button;
        bool opens;
    };
    struct Case {
        const char* name;
        bool hasArt;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"three clicks outside the art",
         true,
         {{PointerEvent::LeftDown, OutX, OutY, Hidden, 0, 2, false},
          {PointerEvent::LeftUp, OutX, OutY, Hidden, 0, 0, false},
          {PointerEvent::LeftDown, OutX, OutY, Pinned, 0, 2, false},
          {PointerEvent::LeftDown, OutX, OutY, Hidden, 0, 2, false}}},
        {"hover shows a hidden panel, leaving hides it again",
         true,
         {{PointerEvent::LeftDown, OutX, OutY, Hidden, 0, 2, false},
          {PointerEvent::Move, OutX, OutY, Hidden, 0, 1, false},
          {PointerEvent::LeftUp, OutX, OutY, Hidden, 0, 0, false},
          {PointerEvent::Move, ArtX, ArtY, HoverShown, 1, 0, false},
          {PointerEvent::Move, OutX, OutY, Hidden, 0, 0, false},
          {PointerEvent::Move, ArtX, ArtY, HoverShown, 1, 0, false},
          {PointerEvent::Leave, 0, 0, Hidden, 0, 0, false}}},
        {"a click on the art of a track with art opens the link and keeps the panel",
         true,
         {{PointerEvent::Move, ArtX, ArtY, Pinned, 1, 0, false},
          {PointerEvent::LeftDown, ArtX, ArtY, Pinned, 1, 2, true},
          {PointerEvent::LeftUp, ArtX, ArtY, Pinned, 1, 0, false}}},
        {"a click on the art before any move only toggles (link hover is still 0)",
         true,
         {{PointerEvent::LeftDown, ArtX, ArtY, Hidden, 0, 2, false}}},
        {"without art the art area never opens anything",
         false,
         {{PointerEvent::Move, ArtX, ArtY, Pinned, 0, 0, false},
          {PointerEvent::LeftDown, ArtX, ArtY, Hidden, 0, 2, false},
          {PointerEvent::Move, ArtX + 1, ArtY, HoverShown, 0, 1, false},
          {PointerEvent::LeftDown, ArtX, ArtY, Pinned, 0, 2, false}}},
        {"a hover-shown panel is pinned by a click outside",
         true,
         {{PointerEvent::LeftDown, OutX, OutY, Hidden, 0, 2, false},
          {PointerEvent::Move, ArtX, ArtY, HoverShown, 1, 1, false},
          {PointerEvent::Move, 10, 10, Hidden, 0, 1, false},
          {PointerEvent::Move, ArtX, ArtY, HoverShown, 1, 1, false},
          {PointerEvent::Leave, 0, 0, Hidden, 0, 1, false},
          {PointerEvent::Move, ArtX, ArtY, HoverShown, 1, 1, false},
          {PointerEvent::LeftUp, ArtX, ArtY, HoverShown, 1, 0, false},
          {PointerEvent::LeftDown, OutX, OutY, Pinned, 1, 2, false},
          {PointerEvent::Move, OutX, OutY, Pinned, 0, 1, false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PointerState s;
        int index = 0;
        for (const Step& step : c.steps) {
            SCOPED_TRACE(testing::Message() << "step " << index++);
            const PointerEffects e = handlePointer(s, step.event, step.x, step.y, Cover, c.hasArt);
            EXPECT_EQ(s.panelState, step.panel);
            EXPECT_EQ(s.linkHover, step.linkHover);
            EXPECT_EQ(s.buttonState, step.button);
            EXPECT_EQ(e.openPurchaseLink, step.opens);
        }
    }
}

TEST(PointerState, MovesRememberThePreviousPosition) {
    PointerState s;
    handlePointer(s, PointerEvent::Move, 5, 6, Cover, true);
    handlePointer(s, PointerEvent::Move, 7, 8, Cover, true);
    EXPECT_EQ(s.previousX, 5);
    EXPECT_EQ(s.previousY, 6);
    EXPECT_EQ(s.x, 7);
    EXPECT_EQ(s.y, 8);
    handlePointer(s, PointerEvent::LeftDown, 9, 10, Cover, true);
    EXPECT_EQ(s.previousX, 5);
    EXPECT_EQ(s.x, 9);
    EXPECT_EQ(s.y, 10);
}

}  // namespace
}  // namespace tevaro::album
