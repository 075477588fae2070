#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "classic_viz/framework/image_passes.h"

namespace tevaro::viz {
namespace {

constexpr Pixel K = 0x00000000;  // key colour of these cases
constexpr Pixel P = 0x00ABCDEF;
constexpr Pixel Q = 0x00123456;

std::array<float, 360> cosines() {
    std::array<float, 360> t{};
    for (int k = 0; k < 360; ++k) t[static_cast<std::size_t>(k)] = std::cos(static_cast<float>(k) * 0.01745328f);
    return t;
}

TEST(DistanceMap, CountsFromKeyPixelsAndBordersAlongTheScannedDirections) {
    struct Case {
        int scans;
        std::vector<int> expected;  // distances of the non-key pixels 1..5 of the row
        int largest;
    };
    const std::vector<Pixel> row = {K, P, P, P, P, P, K};
    const Case cases[] = {
        {8, {1, 2, 3, 4, 5}, 5},  {4, {5, 4, 3, 2, 1}, 5},
        {12, {1, 2, 3, 2, 1}, 3}, {0, {1, 1, 1, 1, 1}, 1},  // 0 means all four; columns of height 1 give 1 everywhere
        {2, {1, 1, 1, 1, 1}, 1},
    };
    for (const Case& c : cases) {
        std::vector<std::uint32_t> map(row.size(), 0);
        const int largest = buildDistanceMap(row.data(), 7, 1, K, c.scans, map.data());
        std::vector<int> got;
        for (int i = 1; i <= 5; ++i) got.push_back(static_cast<int>(map[static_cast<std::size_t>(i)] & 0xFFFF));
        EXPECT_EQ(got, c.expected) << "scans " << c.scans;
        EXPECT_EQ(largest, c.largest) << "scans " << c.scans;
    }
}

TEST(EdgePass, AThinShapeRaisesTheEdgeTransparencyByWhatItsMissingDepthWouldAdd) {
    // Width 30, largest distance 4: E = 100 + (10 - 4) x 100/30 = 120, T = 120 - d x 120 / 30.
    std::vector<Pixel> image(4, P);
    std::vector<std::uint32_t> map(4);
    const int largest = buildDistanceMap(image.data(), 4, 1, K, 8, map.data());
    ASSERT_EQ(largest, 4);
    edgeTransparencyPass(EdgeParams{30, 100, 0.0f, largest}, image.data(), 4, K, map.data(), nullptr);
    EXPECT_EQ(transparencyOf(image[0]), 116);
    EXPECT_EQ(transparencyOf(image[1]), 112);
    EXPECT_EQ(transparencyOf(image[2]), 108);
    EXPECT_EQ(transparencyOf(image[3]), 104);
}

TEST(EdgePass, UniformTransparencyAddsTheEdgeRampInsideTheEdgeWidth) {
    // Transparency 50, width 4, edge transparency 100: T = 50 + 100 - d x 25 for 1 <= d <= 4, else 50.
    std::vector<Pixel> image(6, P);
    std::vector<std::uint32_t> map(6);
    const int largest = buildDistanceMap(image.data(), 6, 1, K, 8, map.data());
    edgeTransparencyPass(EdgeParams{4, 100, 50.0f, largest}, image.data(), 6, K, map.data(), nullptr);
    const int expected[6] = {125, 100, 75, 50, 50, 50};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(transparencyOf(image[static_cast<std::size_t>(i)]), expected[i]) << i;
}

TEST(EdgePass, WithoutTransparencyOrMaskOnlyPixelsWithinTheWidthChange) {
    std::vector<Pixel> image = {K, withTransparency(P, 9), withTransparency(P, 9), withTransparency(P, 9), K};
    std::vector<std::uint32_t> map(5);
    const int largest = buildDistanceMap(image.data(), 5, 1, K, 8, map.data());
    edgeTransparencyPass(EdgeParams{2, 200, 0.0f, largest}, image.data(), 5, K, map.data(), nullptr);
    EXPECT_EQ(transparencyOf(image[1]), 100);  // 200 - 1 x 200 / 2
    EXPECT_EQ(transparencyOf(image[2]), 0);
    EXPECT_EQ(transparencyOf(image[3]), 9);  // d = 3 lies beyond the width: kept
    EXPECT_EQ(image[0], K);
}

TEST(EdgePass, MaskAndUniformTransparencyCombine) {
    const std::vector<Pixel> mask = {0x000000FF, 0x00000080, 0x00000000, 0x000000FF};
    struct Case {
        float transparency;
        std::vector<int> expected;
    };
    const Case cases[] = {
        {0.0f, {0, 127, 255, -1}},      // T = 255 - blue of the mask
        {100.0f, {100, 227, 255, -1}},  // T = 100 + 255 - blue, saturating
        {255.0f, {255, 255, 255, -1}},  // a silent star: fully transparent whatever the mask
    };
    for (const Case& c : cases) {
        std::vector<Pixel> image = {P, P, P, K};
        edgeTransparencyPass(EdgeParams{0, 0, c.transparency, 0}, image.data(), 4, K, nullptr, mask.data());
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(transparencyOf(image[static_cast<std::size_t>(i)]), c.expected[static_cast<std::size_t>(i)])
                << c.transparency << " pixel " << i;
        EXPECT_EQ(image[3], K);  // key pixels are left alone
    }
}

TEST(ScrollPass, AnOffsetOfTheImageWidthLeavesThePictureUnchangedInMode4) {
    const std::vector<Pixel> in = {P, Q, K, P, Q, Q};  // 3 x 2
    std::vector<Pixel> out(6);
    float x = 3.0f, y = 0.0f;
    scrollPass(in.data(), out.data(), 3, 2, K, 4, x, y);
    EXPECT_EQ(out, in);
}

TEST(ScrollPass, DropsOrWrapsByModeAndKeepsFractionsInModes2And3) {
    const std::vector<Pixel> in = {P, Q, K, P};  // 4 x 1
    struct Case {
        int mode;
        float offset;
        std::vector<Pixel> expected;
        float remaining;
    };
    const Case cases[] = {
        {0, 1.5f, {P, P, Q, K}, 1.5f},      // wraps; output starts as key colour
        {1, 1.0f, {K, P, Q, K}, 1.0f},      // the last pixel leaves the image
        {2, -1.25f, {Q, K, P, K}, -0.25f},  // leftwards, integer part used up
        {3, 1.0f, {P, P, Q, P}, 0.0f},      // output starts as a copy of the input
        {4, 5.0f, {P, P, Q, P}, 1.0f},      // 5 wraps into -4..4 as 1; output starts as a copy
        {4, 6.0f, {P, P, P, Q}, 2.0f},
    };
    for (const Case& c : cases) {
        std::vector<Pixel> out(4);
        float x = c.offset, y = 0.0f;
        scrollPass(in.data(), out.data(), 4, 1, K, c.mode, x, y);
        EXPECT_EQ(out, c.expected) << "mode " << c.mode << " offset " << c.offset;
        EXPECT_FLOAT_EQ(x, c.remaining) << "mode " << c.mode;
    }
}

TEST(ScrollPass, PositiveVerticalOffsetsMoveTowardsHigherStoredRows) {
    const std::vector<Pixel> in = {P, Q, K};  // 1 x 3
    std::vector<Pixel> out(3);
    float x = 0.0f, y = 1.0f;
    scrollPass(in.data(), out.data(), 1, 3, K, 4, x, y);
    EXPECT_EQ(out, (std::vector<Pixel>{P, P, Q}));
}

TEST(OutlinePass, WidthOneLooksOnlyAtTheRightNeighbour) {
    // 4 x 2: the key pixel left of each shape takes its colour; nothing else changes.
    const std::vector<Pixel> in = {K, P, K, K, K, K, Q, K};
    std::vector<Pixel> out(8);
    outlinePass(in.data(), out.data(), 4, 2, K, 1);
    EXPECT_EQ(out, (std::vector<Pixel>{P, P, K, K, K, Q, Q, K}));
}

TEST(OutlinePass, WiderOutlinesWalkTheSpiral) {
    // 3 x 3, one opaque pixel in the middle of stored row 0. The key pixel at row 1 column 1 walks
    // right (2,1), down (2,0), left (1,0): found after 3 steps.
    std::vector<Pixel> in(9, K);
    in[1] = P;
    std::vector<Pixel> out(9);
    outlinePass(in.data(), out.data(), 3, 3, K, 2);
    EXPECT_EQ(out[4], K);
    outlinePass(in.data(), out.data(), 3, 3, K, 3);
    EXPECT_EQ(out[4], P);
}

TEST(ColourPass, AddsBrightnessPerChannelWithClampingAndKeepsTransparency) {
    const std::vector<Pixel> in = {0x40F01020, K};
    std::vector<Pixel> out(2);
    colourPass(in.data(), out.data(), 2, K, 30);
    EXPECT_EQ(out[0], 0x40FF2E3Eu);
    EXPECT_EQ(out[1], K);
    colourPass(in.data(), out.data(), 2, K, -40);
    EXPECT_EQ(out[0], 0x40C80000u);
}

TEST(DistortionPass, ShearMovesRowsSidewaysAroundTheCentre) {
    // 4 x 4 column of P at x = 2 (relative 0); shear b = 1 moves each row by its relative y.
    std::vector<Pixel> in(16, K);
    for (int row = 0; row < 4; ++row) in[static_cast<std::size_t>(row * 4 + 2)] = P;
    std::vector<Pixel> out(16);
    const auto table = cosines();
    DistortionParams params;
    params.shearB = 1.0f;
    distortionPass(in.data(), out.data(), 4, 4, K, params, table.data());
    // rows 0..3 have y = -2..1: columns 0, 1, 2, 3.
    for (int row = 0; row < 4; ++row) EXPECT_EQ(out[static_cast<std::size_t>(row * 4 + row)], P) << row;
    EXPECT_EQ(out[2], K);
}

TEST(DistortionPass, RippleShiftsByTheCosineOfItsPhase) {
    std::vector<Pixel> in(16, K);
    in[2 * 4 + 2] = P;  // centre pixel: x = y = 0
    std::vector<Pixel> out(16);
    const auto table = cosines();
    DistortionParams params;
    params.rippleFrequencyX = 1.0f;
    params.rippleAmplitude = 1;
    params.ripplePhaseX = 0.0f;  // cos 0 = 1: one pixel right
    distortionPass(in.data(), out.data(), 4, 4, K, params, table.data());
    EXPECT_EQ(out[2 * 4 + 3], P);
    params.ripplePhaseX = 180.0f;  // cos 180 = -1: one pixel left
    distortionPass(in.data(), out.data(), 4, 4, K, params, table.data());
    EXPECT_EQ(out[2 * 4 + 1], P);
}

}  // namespace
}  // namespace tevaro::viz
