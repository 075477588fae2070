#include "panel/model/hot_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace tevaro::panel {
namespace {

struct PictureCase {
    const char* name;
    int controlId;
    int imageIndex;
    bool pressed;
    PixelPoint pointer;
    int picture;
    std::optional<LinkTarget> opens;
};

void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.name; }

class HotPictures : public testing::TestWithParam<PictureCase> {};

TEST_P(HotPictures, FollowPressAndPointer) {
    const PictureCase& c = GetParam();
    const HotPicture got = hotPicture(c.controlId, c.imageIndex, c.pressed, c.pointer);
    EXPECT_EQ(got.picture, c.picture);
    EXPECT_EQ(got.opens, c.opens);
}

constexpr auto none = std::nullopt;

// Info control: look 0, 3 or 6, then + 0 help held, + 1 about held, + 2 nothing held.
INSTANTIATE_TEST_SUITE_P(InfoControl, HotPictures,
                         testing::Values(PictureCase{"released_over_about", 1006, 0, false, {80, 90}, 2, none},
                                         PictureCase{"released_dark_look", 1006, 6, false, {80, 90}, 8, none},
                                         PictureCase{"about_first_corner", 1006, 0, true, {71, 81}, 1, none},
                                         PictureCase{"about_last_corner", 1006, 3, true, {87, 97}, 4, none},
                                         PictureCase{"about_dark_look", 1006, 6, true, {80, 90}, 7, none},
                                         PictureCase{"left_of_about", 1006, 0, true, {70, 90}, 2, none},
                                         PictureCase{"right_of_about", 1006, 0, true, {88, 90}, 2, none},
                                         PictureCase{"help_first_corner", 1006, 0, true, {6, 81}, 0, none},
                                         PictureCase{"help_last_corner", 1006, 3, true, {22, 97}, 3, none},
                                         PictureCase{"left_of_help", 1006, 0, true, {5, 90}, 2, none},
                                         PictureCase{"right_of_help", 1006, 0, true, {23, 90}, 2, none},
                                         PictureCase{"above_the_buttons", 1006, 0, true, {80, 80}, 2, none},
                                         PictureCase{"below_the_buttons", 1006, 0, true, {10, 98}, 2, none},
                                         PictureCase{"pressed_on_logo", 1006, 0, true, {40, 40}, 2, none}),
                         [](const auto& info) { return std::string(info.param.name); });

// Status display: always its image index; a press over a logo opens that logo's page.
INSTANTIATE_TEST_SUITE_P(
    StatusDisplay, HotPictures,
    testing::Values(PictureCase{"released_over_upper_logo", 1011, 28, false, {30, 20}, 28, none},
                    PictureCase{"upper_first_corner", 1011, 28, true, {21, 11}, 28, LinkTarget::spatioPage},
                    PictureCase{"upper_last_corner", 1011, 1, true, {54, 29}, 1, LinkTarget::spatioPage},
                    PictureCase{"upper_in_dark_look", 1011, 0, true, {30, 20}, 0, LinkTarget::spatioPage},
                    PictureCase{"lower_first_corner", 1011, 28, true, {21, 41}, 28, LinkTarget::panorixPage},
                    PictureCase{"lower_last_corner", 1011, 28, true, {54, 69}, 28, LinkTarget::panorixPage},
                    PictureCase{"above_upper", 1011, 28, true, {30, 10}, 28, none},
                    PictureCase{"between_logos", 1011, 28, true, {30, 35}, 28, none},
                    PictureCase{"below_lower", 1011, 28, true, {30, 70}, 28, none},
                    PictureCase{"left_of_logos", 1011, 28, true, {20, 20}, 28, none},
                    PictureCase{"right_of_logos", 1011, 28, true, {55, 50}, 28, none}),
    [](const auto& info) { return std::string(info.param.name); });

// A control without rules draws its image index whatever the press, and opens nothing.
INSTANTIATE_TEST_SUITE_P(WithoutRules, HotPictures,
                         testing::Values(PictureCase{"switch_pressed_in_hot_rect", 1005, 1, true, {50, 20}, 1, none},
                                         PictureCase{"preset_pressed", 1000, 0, true, {30, 20}, 0, none},
                                         PictureCase{"unknown_id", 4242, 5, true, {30, 20}, 5, none}),
                         [](const auto& info) { return std::string(info.param.name); });

struct HandCase {
    const char* name;
    int controlId;
    PixelPoint pointer;
    bool hand;
};

void PrintTo(const HandCase& c, std::ostream* os) { *os << c.name; }

class HandPointer : public testing::TestWithParam<HandCase> {};

TEST_P(HandPointer, ShowsOverLinkSpotsOnly) {
    EXPECT_EQ(showsHandPointer(GetParam().controlId, GetParam().pointer), GetParam().hand);
}

INSTANTIATE_TEST_SUITE_P(Panel, HandPointer,
                         testing::Values(HandCase{"info_logo_first_corner", 1006, {18, 16}, true},
                                         HandCase{"info_logo_last_corner", 1006, {74, 74}, true},
                                         HandCase{"info_left_of_logo", 1006, {17, 40}, false},
                                         HandCase{"info_right_of_logo", 1006, {75, 40}, false},
                                         HandCase{"info_above_logo", 1006, {40, 15}, false},
                                         HandCase{"info_below_logo", 1006, {40, 75}, false},
                                         HandCase{"info_about_button_keeps_arrow", 1006, {80, 90}, false},
                                         HandCase{"info_help_button_keeps_arrow", 1006, {10, 90}, false},
                                         HandCase{"status_upper_logo", 1011, {21, 11}, true},
                                         HandCase{"status_lower_logo", 1011, {54, 69}, true},
                                         HandCase{"status_between_logos", 1011, {30, 35}, false},
                                         HandCase{"status_right_of_logos", 1011, {55, 20}, false},
                                         HandCase{"switch_hot_rect_keeps_arrow", 1005, {50, 20}, false}),
                         [](const auto& info) { return std::string(info.param.name); });

struct InfoClickCase {
    const char* name;
    PixelPoint pointer;
    InfoClick expected;
};

void PrintTo(const InfoClickCase& c, std::ostream* os) { *os << c.name; }

class InfoControlClick : public testing::TestWithParam<InfoClickCase> {};

TEST_P(InfoControlClick, OpensWhatThePointerIsOver) {
    EXPECT_EQ(infoControlClick(GetParam().pointer), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Panel, InfoControlClick,
                         testing::Values(InfoClickCase{"about_first_corner", {71, 81}, InfoClick::openAboutBox},
                                         InfoClickCase{"about_last_corner", {87, 97}, InfoClick::openAboutBox},
                                         InfoClickCase{"help_first_corner", {6, 81}, InfoClick::openHelpWindow},
                                         InfoClickCase{"help_last_corner", {22, 97}, InfoClick::openHelpWindow},
                                         InfoClickCase{"logo_first_corner", {18, 16}, InfoClick::openProductHomepage},
                                         InfoClickCase{"logo_last_corner", {74, 74}, InfoClick::openProductHomepage},
                                         InfoClickCase{"between_the_buttons", {50, 90}, InfoClick::nothing},
                                         InfoClickCase{"above_the_buttons", {80, 80}, InfoClick::nothing},
                                         InfoClickCase{"below_the_buttons", {80, 98}, InfoClick::nothing},
                                         InfoClickCase{"right_of_logo", {75, 40}, InfoClick::nothing},
                                         InfoClickCase{"above_logo", {40, 15}, InfoClick::nothing},
                                         InfoClickCase{"corner", {0, 0}, InfoClick::nothing}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tevaro::panel
