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

// The help page's and about box's pictures: a press draws the single bitmap and either scrolls
// the help page to a row or opens a page; just outside a spot nothing happens.
struct PressCase {
    const char* name;
    int controlId;
    PixelPoint pointer;
    std::optional<int> scrollsToRow;
    std::optional<LinkTarget> opens;
};

void PrintTo(const PressCase& c, std::ostream* os) { *os << c.name; }

class HelpAndAboutPresses : public testing::TestWithParam<PressCase> {};

TEST_P(HelpAndAboutPresses, ScrollOrOpenOnThePressAndKeepTheSingleBitmap) {
    const PressCase& c = GetParam();
    const HotPicture pressed = hotPicture(c.controlId, 0, true, c.pointer);
    EXPECT_EQ(pressed.picture, 0);
    EXPECT_EQ(pressed.scrollsToRow, c.scrollsToRow);
    EXPECT_EQ(pressed.opens, c.opens);
    const HotPicture released = hotPicture(c.controlId, 0, false, c.pointer);
    EXPECT_EQ(released.picture, 0);
    EXPECT_FALSE(released.scrollsToRow || released.opens) << "only a press acts";
}

INSTANTIATE_TEST_SUITE_P(HelpOverview, HelpAndAboutPresses,
                         testing::Values(PressCase{"switch_label_first_corner", 1027, {51, 3}, 335, none},
                                         PressCase{"switch_label_last_corner", 1027, {109, 14}, 335, none},
                                         PressCase{"left_of_switch_label", 1027, {50, 8}, none, none},
                                         PressCase{"presets_label", 1027, {161, 8}, 430, none},
                                         PressCase{"between_labels", 1027, {220, 8}, none, none},
                                         PressCase{"quality_label_at_300", 1027, {300, 8}, 490, none},
                                         PressCase{"web_label_last_press_column", 1027, {409, 8}, 800, none},
                                         PressCase{"web_label_hand_only_column", 1027, {410, 8}, none, none},
                                         PressCase{"below_upper_row", 1027, {300, 15}, none, none},
                                         PressCase{"auto_label", 1027, {116, 126}, 645, none},
                                         PressCase{"dark_panel_label", 1027, {334, 139}, 705, none},
                                         PressCase{"warning_label", 1027, {351, 130}, 755, none},
                                         PressCase{"right_of_warning_label", 1027, {405, 130}, none, none},
                                         PressCase{"above_lower_row", 1027, {351, 125}, none, none}),
                         [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    HelpSections, HelpAndAboutPresses,
    testing::Values(PressCase{"switch_section_to_top", 1022, {424, 3}, 0, none},
                    PressCase{"presets_section_to_top", 1033, {439, 14}, 0, none},
                    PressCase{"quality_section_to_top", 1043, {430, 8}, 0, none},
                    PressCase{"auto_section_to_top", 1044, {430, 8}, 0, none},
                    PressCase{"dark_section_to_top", 1045, {430, 8}, 0, none},
                    PressCase{"warning_section_to_top", 1046, {430, 8}, 0, none},
                    PressCase{"web_section_to_top", 1049, {430, 8}, 0, none},
                    PressCase{"left_of_arrow", 1022, {423, 8}, none, none},
                    PressCase{"below_arrow", 1022, {430, 15}, none, none},
                    PressCase{"maker_link_first_corner", 1049, {141, 11}, none, LinkTarget::makerHomepage},
                    PressCase{"maker_link_last_corner", 1049, {209, 34}, none, LinkTarget::makerHomepage},
                    PressCase{"right_of_maker_link", 1049, {210, 20}, none, none},
                    PressCase{"spatio_link", 1050, {261, 26}, none, LinkTarget::spatioPage},
                    PressCase{"spatio_link_last_corner", 1050, {349, 49}, none, LinkTarget::spatioPage},
                    PressCase{"spatio_section_has_no_arrow", 1050, {430, 8}, none, none},
                    PressCase{"panorix_link", 1053, {301, 56}, none, LinkTarget::panorixPage},
                    PressCase{"panorix_link_at_420_under_the_arrow", 1053, {420, 60}, none, LinkTarget::panorixPage},
                    PressCase{"right_of_panorix_link", 1053, {430, 60}, none, none},
                    PressCase{"introduction_is_plain", 1032, {300, 8}, none, none}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    AboutBox, HelpAndAboutPresses,
    testing::Values(PressCase{"maker_label", 1061, {1, 1}, none, LinkTarget::makerHomepage},
                    PressCase{"licensor_label", 1062, {149, 19}, none, LinkTarget::licensorHomepage},
                    PressCase{"developer_label", 1063, {60, 10}, none, LinkTarget::developerHomepage},
                    PressCase{"label_edge", 1063, {0, 10}, none, none},
                    PressCase{"maker_logo", 1072, {79, 79}, none, LinkTarget::makerHomepage},
                    PressCase{"maker_logo_edge", 1072, {40, 0}, none, none},
                    PressCase{"spatio_logo_bottom_row", 1073, {109, 42}, none, LinkTarget::spatioPage},
                    PressCase{"below_spatio_logo", 1073, {50, 43}, none, none},
                    PressCase{"panorix_logo", 1074, {39, 43}, none, LinkTarget::panorixPage},
                    PressCase{"right_of_panorix_logo", 1074, {40, 20}, none, none}),
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

INSTANTIATE_TEST_SUITE_P(HelpAndAbout, HandPointer,
                         testing::Values(HandCase{"overview_web_label_wider_than_its_press", 1027, {429, 14}, true},
                                         HandCase{"overview_past_web_label", 1027, {430, 14}, false},
                                         HandCase{"overview_warning_label", 1027, {404, 139}, true},
                                         HandCase{"overview_between_rows", 1027, {300, 60}, false},
                                         HandCase{"arrow_hand_starts_at_426", 1022, {426, 3}, true},
                                         HandCase{"arrow_press_only_column", 1022, {425, 3}, false},
                                         HandCase{"web_section_maker_link", 1049, {141, 34}, true},
                                         HandCase{"panorix_hand_ends_at_409", 1053, {409, 74}, true},
                                         HandCase{"panorix_press_only_at_420", 1053, {420, 60}, false},
                                         HandCase{"spatio_link", 1050, {300, 30}, true},
                                         HandCase{"spatio_logo_hand_ends_a_row_early", 1073, {50, 42}, false},
                                         HandCase{"spatio_logo", 1073, {50, 41}, true},
                                         HandCase{"label", 1062, {149, 19}, true},
                                         HandCase{"plain_help_picture", 1054, {100, 100}, false}),
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
