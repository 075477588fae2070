#include "panel/model/help_page.h"

#include <gtest/gtest.h>

#include <string>

#include "panel/model/about_box_layout.h"
#include "panel/model/hot_rules.h"

namespace tevaro::panel {
namespace {

TEST(HelpWindowSize, HeaderWidthPlusArrowAcrossAndSevenTenthsOfAStripDown) {
    EXPECT_EQ(helpClientSize({480, 61}, {14, 647}, 17).width, 497);
    EXPECT_EQ(helpClientSize({480, 61}, {14, 647}, 17).height, 513) << "61 + 452, the 0.9 dropped";
    EXPECT_EQ(helpClientSize({480, 61}, {14, 10}, 0).height, 68);
    EXPECT_EQ(helpClientSize({0, 0}, {0, 0}, 16).width, 16) << "no bitmaps: only the arrow";
}

struct ScrollCase {
    const char* name;
    ScrollRequest request;
    int position, maximum, track;
    int delta, position_after;
};

void PrintTo(const ScrollCase& c, std::ostream* os) { *os << c.name; }

class HelpScrolling : public testing::TestWithParam<ScrollCase> {};

TEST_P(HelpScrolling, MovesByTheClampedIncrement) {
    const ScrollCase& c = GetParam();
    const ScrollStep step =
        clampedScroll(c.position, c.maximum, scrollIncrement(c.request, c.position, c.maximum, c.track));
    EXPECT_EQ(step.delta, c.delta);
    EXPECT_EQ(step.position, c.position_after);
}

using R = ScrollRequest;
INSTANTIATE_TEST_SUITE_P(
    Requests, HelpScrolling,
    testing::Values(ScrollCase{"line_down", R::lineDown, 0, 292, 0, 1, 1},
                    ScrollCase{"line_up", R::lineUp, 5, 292, 0, -1, 4},
                    ScrollCase{"line_up_at_top", R::lineUp, 0, 292, 0, 0, 0},
                    ScrollCase{"line_down_at_bottom", R::lineDown, 292, 292, 0, 0, 292},
                    ScrollCase{"page_down_quarter_of_292", R::pageDown, 0, 292, 0, 73, 73},
                    ScrollCase{"page_down_with_maximum_2", R::pageDown, 0, 2, 0, 1, 1},
                    ScrollCase{"page_up_quarter_of_292", R::pageUp, 200, 292, 0, -73, 127},
                    ScrollCase{"page_up_with_maximum_3", R::pageUp, 3, 3, 0, -1, 2},
                    ScrollCase{"page_down_clamped_at_bottom", R::pageDown, 250, 292, 0, 42, 292},
                    ScrollCase{"page_up_clamped_at_top", R::pageUp, 30, 292, 0, -30, 0},
                    ScrollCase{"thumb_to_row_488", R::thumbTrack, 0, 292, 122, 122, 122},
                    ScrollCase{"thumb_back_up", R::thumbTrack, 122, 292, 83, -39, 83},
                    // The label for row 800 asks for position 200; a maximum of 150 stops it there.
                    ScrollCase{"thumb_past_maximum", R::thumbTrack, 0, 150, 200, 150, 150},
                    ScrollCase{"thumb_below_zero", R::thumbTrack, 10, 150, -5, -10, 0},
                    ScrollCase{"other_request", R::other, 10, 150, 99, 0, 10},
                    ScrollCase{"nothing_to_scroll", R::pageDown, 0, 0, 0, 0, 0},
                    // A window grown taller than before: the maximum shrank below the position.
                    ScrollCase{"position_past_a_shrunk_maximum", R::lineUp, 20, 12, 0, -8, 12}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HelpScrollMaximum, IsThePageHeightTheClientLacksInUnitsOfFour) {
    EXPECT_EQ(scrollMaximum(1681, 513), 292);
    EXPECT_EQ(scrollMaximum(1680, 513), 291) << "a part unit does not count";
    EXPECT_EQ(scrollMaximum(1680, 1680), 0);
    EXPECT_EQ(scrollMaximum(513, 900), 0) << "a client taller than the page does not scroll";
}

TEST(HelpScrollToRow, OverviewLabelsScrollToTheirSectionsRows) {
    // The label at x 300 names row 490: position 122, which puts row 488 at the top.
    const HotPicture quality = hotPicture(1027, 0, true, {300, 8});
    ASSERT_TRUE(quality.scrollsToRow);
    EXPECT_EQ(scrollPositionOfRow(*quality.scrollsToRow), 122);
    EXPECT_EQ(scrollPositionOfRow(*quality.scrollsToRow) * ScrollUnitPixels, 488);
    const HotPicture web = hotPicture(1027, 0, true, {380, 8});
    ASSERT_TRUE(web.scrollsToRow);
    EXPECT_EQ(scrollPositionOfRow(*web.scrollsToRow), 200);
    EXPECT_EQ(clampedScroll(0, 150, scrollPositionOfRow(*web.scrollsToRow)).position, 150);
}

TEST(HelpPictures, EverySectionAScrollTargetNamesHasItsPictureThere) {
    // Each overview row's target is the top row of one of the page's pictures.
    for (int x : {60, 170, 270, 380}) {
        for (int y : {8, 130}) {
            const HotPicture hit = hotPicture(1027, 0, true, {x, y});
            if (!hit.scrollsToRow) continue;
            SCOPED_TRACE(testing::Message() << "row " << *hit.scrollsToRow);
            bool found = false;
            for (const HelpPicture& p : HelpPictures) found = found || p.rect.y == *hit.scrollsToRow;
            EXPECT_TRUE(found);
        }
    }
    ASSERT_NE(findHelpPicture(1053), nullptr);
    EXPECT_EQ(findHelpPicture(1053)->bitmapId, 480);
    EXPECT_EQ(findHelpPicture(1032)->hotMode, 0);
    EXPECT_EQ(findHelpPicture(1006), nullptr);
}

struct AboutPressCase {
    const char* name;
    PixelPoint client;
    bool opensDeveloper;
};

void PrintTo(const AboutPressCase& c, std::ostream* os) { *os << c.name; }

class AboutBoxArea : public testing::TestWithParam<AboutPressCase> {};

TEST_P(AboutBoxArea, TheAnimationOpensTheDevelopersPageUnderTheHand) {
    const AboutPressCase& c = GetParam();
    EXPECT_EQ(aboutBoxPress(c.client), c.opensDeveloper ? std::optional(LinkTarget::developerHomepage) : std::nullopt);
    EXPECT_EQ(aboutBoxShowsHand(c.client), c.opensDeveloper);
}

INSTANTIATE_TEST_SUITE_P(
    Corners, AboutBoxArea,
    testing::Values(AboutPressCase{"first_corner", {41, 271}, true}, AboutPressCase{"last_corner", {109, 309}, true},
                    AboutPressCase{"left", {40, 290}, false}, AboutPressCase{"right", {110, 290}, false},
                    AboutPressCase{"above", {70, 270}, false}, AboutPressCase{"below", {70, 310}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AboutBoxBand, RunsToTheAnimationsLeftPlusRightEdge) {
    EXPECT_EQ(aboutBandRight(41, 121), 162);
    EXPECT_EQ(aboutBandRight(0, 0), 0);
}

}  // namespace
}  // namespace tevaro::panel
