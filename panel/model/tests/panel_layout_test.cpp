#include "panel/model/panel_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "panel/model/hot_rules.h"

namespace tevaro::panel {
namespace {

// The twelve controls cover the 565 x 104 panel without a gap or an overlap, so a mistyped
// rectangle shows up as a pixel covered twice or not at all.
TEST(PanelControls, TileThePanelExactlyOnce) {
    const int w = PanelPlacement.width, h = PanelPlacement.height;
    ASSERT_EQ(w, 565);
    ASSERT_EQ(h, 104);
    EXPECT_EQ(PanelPlacement.x, 7);
    EXPECT_EQ(PanelPlacement.y, 7);
    std::vector<int> cover(static_cast<std::size_t>(w * h), 0);
    for (const ControlSpec& c : PanelControls) {
        SCOPED_TRACE(c.id);
        ASSERT_GE(c.rect.x, 0);
        ASSERT_GE(c.rect.y, 0);
        ASSERT_LE(c.rect.x + c.rect.width, w);
        ASSERT_LE(c.rect.y + c.rect.height, h);
        for (int y = c.rect.y; y < c.rect.y + c.rect.height; ++y) {
            for (int x = c.rect.x; x < c.rect.x + c.rect.width; ++x) ++cover[static_cast<std::size_t>(y * w + x)];
        }
    }
    const auto wrong = std::find_if(cover.begin(), cover.end(), [](int n) { return n != 1; });
    if (wrong != cover.end()) {
        const auto i = static_cast<int>(wrong - cover.begin());
        ADD_FAILURE() << "pixel (" << i % w << ", " << i / w << ") covered " << *wrong << " times";
    }
}

struct BitmapRange {
    int id;
    int first;
    int last;
};

TEST(PanelControls, LoadTheirBitmapRanges) {
    const BitmapRange ranges[] = {{1005, 131, 133}, {1000, 116, 118}, {1001, 119, 121}, {1002, 122, 124},
                                  {1003, 125, 127}, {1004, 128, 130}, {1011, 332, 363}, {1009, 152, 155},
                                  {1010, 156, 159}, {1008, 148, 151}, {1007, 160, 162}, {1006, 267, 275}};
    for (const BitmapRange& r : ranges) {
        SCOPED_TRACE(r.id);
        const ControlSpec* c = findControl(r.id);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->firstBitmap, r.first);
        EXPECT_EQ(c->firstBitmap + c->bitmapCount - 1, r.last);
    }
    EXPECT_EQ(findControl(999), nullptr);
    EXPECT_EQ(findControl(1012), nullptr);
}

TEST(PanelControls, OnlyTheInfoControlAndStatusDisplayAreHot) {
    for (const ControlSpec& c : PanelControls) {
        SCOPED_TRACE(c.id);
        const bool hot = c.id == InfoControlId || c.id == StatusDisplayId;
        EXPECT_EQ(c.hotMode, hot ? 1 : 0);
        EXPECT_EQ(findHotRule(c.id) != nullptr, hot);
    }
}

bool inside(const EdgeRect& r, const PixelRect& control) {
    return r.left >= 0 && r.top >= 0 && r.right <= control.width && r.bottom <= control.height && r.left < r.right &&
           r.top < r.bottom;
}

bool inside(const InclusiveRect& r, const PixelRect& control) {
    return r.xFirst >= 0 && r.yFirst >= 0 && r.xLast < control.width && r.yLast < control.height &&
           r.xFirst <= r.xLast && r.yFirst <= r.yLast;
}

TEST(PanelControls, TooltipsAndHotRectanglesLieInsideTheirControls) {
    for (const TooltipSpec& t : PanelTooltips) {
        SCOPED_TRACE(t.text);
        const ControlSpec* c = findControl(t.controlId);
        ASSERT_NE(c, nullptr);
        EXPECT_TRUE(inside(t.rect, c->rect));
    }
    EXPECT_TRUE(inside(SwitchHotRect, findControl(SwitchId)->rect));
    for (const InclusiveRect& r : {InfoHelpButtonRect, InfoAboutButtonRect, InfoLogoRect}) {
        EXPECT_TRUE(inside(r, findControl(InfoControlId)->rect));
    }
    for (const InclusiveRect& r : {StatusUpperLogoRect, StatusLowerLogoRect}) {
        EXPECT_TRUE(inside(r, findControl(StatusDisplayId)->rect));
    }
}

// Each repaint helper covers its own controls and no control is left out of all three.
TEST(PanelGroups, EveryControlBelongsToExactlyOneGroup) {
    const auto members = [](PanelGroup g) {
        const auto span = groupMembers(g);
        std::vector<int> ids(span.begin(), span.end());
        std::sort(ids.begin(), ids.end());
        return ids;
    };
    EXPECT_EQ(members(PanelGroup::presets), (std::vector<int>{1000, 1001, 1002, 1003, 1004, 1005, 1006}));
    EXPECT_EQ(members(PanelGroup::levels), (std::vector<int>{1007, 1008, 1009, 1010}));
    EXPECT_EQ(members(PanelGroup::statusDisplay), (std::vector<int>{1011}));
}

struct TileCase {
    const char* name;
    EdgeRect client;
    int bitmapWidth;
    int bitmapHeight;
    int columns;
    int rows;
};

void PrintTo(const TileCase& c, std::ostream* os) { *os << c.name; }

class HostTiling : public testing::TestWithParam<TileCase> {};

TEST_P(HostTiling, CoversTheClientAreaWithWholeTiles) {
    const TileCase& c = GetParam();
    const TileGrid grid = tileGrid(c.client, c.bitmapWidth, c.bitmapHeight);
    EXPECT_EQ(grid.columns, c.columns);
    EXPECT_EQ(grid.rows, c.rows);
}

INSTANTIATE_TEST_SUITE_P(Background, HostTiling,
                         testing::Values(TileCase{"enabled_600_wide", {0, 0, 600, 100}, 251, 124, 3, 1},
                                         TileCase{"enabled_exact_two", {0, 0, 502, 248}, 251, 124, 2, 2},
                                         TileCase{"enabled_one_pixel_more", {0, 0, 503, 249}, 251, 124, 3, 3},
                                         TileCase{"disabled_600_wide", {0, 0, 600, 116}, 286, 116, 3, 1},
                                         TileCase{"disabled_exact_two", {0, 0, 572, 117}, 286, 116, 2, 2},
                                         TileCase{"offset_client", {10, 20, 261, 144}, 251, 124, 1, 1},
                                         TileCase{"empty_client", {0, 0, 0, 0}, 251, 124, 0, 0},
                                         TileCase{"zero_width_bitmap", {0, 0, 7, 5}, 0, 5, 7, 1},
                                         TileCase{"zero_height_bitmap", {0, 0, 10, 3}, 5, 0, 2, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HostTiling, UsesBitmap265MinusTheEnableResult) {
    EXPECT_EQ(hostBackground(true).id, 264);
    EXPECT_EQ(hostBackground(true).width, 251);
    EXPECT_EQ(hostBackground(true).height, 124);
    EXPECT_EQ(hostBackground(false).id, 265);
    EXPECT_EQ(hostBackground(false).width, 286);
    EXPECT_EQ(hostBackground(false).height, 116);
}

TEST(HostTiling, PlacesTilesRowByRowFromTheClientOrigin) {
    const TileGrid grid = tileGrid({10, 20, 700, 300}, 251, 124);
    EXPECT_EQ(grid.origin(0, 0).x, 10);
    EXPECT_EQ(grid.origin(0, 0).y, 20);
    EXPECT_EQ(grid.origin(1, 2).x, 10 + 502);
    EXPECT_EQ(grid.origin(1, 2).y, 20 + 124);
    const TileGrid thin = tileGrid({0, 0, 3, 3}, 0, 0);
    EXPECT_EQ(thin.origin(2, 1).x, 1);
    EXPECT_EQ(thin.origin(2, 1).y, 2);
}

}  // namespace
}  // namespace tevaro::panel
