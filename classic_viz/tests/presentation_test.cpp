#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "classic_viz/framework/presentation.h"
#include "classic_viz/framework/resample.h"

namespace tevaro::viz {
namespace {

std::vector<Pixel> numbered(int width, int height) {
    std::vector<Pixel> canvas(static_cast<std::size_t>(width * height));
    for (int i = 0; i < width * height; ++i) canvas[static_cast<std::size_t>(i)] = static_cast<Pixel>(i + 1);
    return canvas;
}

Pixel word(const PresentedImage& image, int x, int y) {
    Pixel p;
    std::memcpy(&p, image.bits.data() + y * image.stride() + 4 * x, 4);
    return p;
}

TEST(Resample, TheAccumulatorModes) {
    struct Case {
        int length, factor;
        std::vector<int> map;
    };
    const Case cases[] = {
        {4, 256, {0, 1, 2, 3}},
        {4, 512, {0, 0, 1, 1, 2, 2, 3}},     // 2x, the last pixel once
        {3, 768, {0, 0, 0, 1, 1, 1, 2, 2}},  // 3x, the last pixel twice
        {4, 384, {0, 0, 1, 2, 2, 3}},        // step 128: every second pixel once
        {6, 128, {0, 1, 3, 4}},              // step 128: a skip on every second step
    };
    for (const Case& c : cases) {
        std::vector<int> map(static_cast<std::size_t>(3 * c.length));
        const int n = resampleAxis(c.length, c.factor, map.data());
        map.resize(static_cast<std::size_t>(n));
        EXPECT_EQ(map, c.map) << "factor " << c.factor;
        EXPECT_EQ(resampleAxis(c.length, c.factor, nullptr), n);
    }
}

TEST(Presentation, AWindowFourTimesTheCanvasIsReachedByOneDoublingAndA2xResample) {
    const std::vector<Pixel> canvas = numbered(350, 320);
    Presenter presenter;
    PresentedImage out;
    presenter.present(canvas.data(), 350, 320, 1400, 1280, 32, false, out);
    // Doubled to 700 x 640 (factor 512): every doubled pixel twice but the last.
    EXPECT_EQ(out.width, 1399);
    EXPECT_EQ(out.height, 1279);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(word(out, x, 0), 1u);
    EXPECT_EQ(word(out, 4, 0), 2u);
    EXPECT_EQ(word(out, 0, 4), 351u);
    EXPECT_EQ(word(out, 1398, 1278), 350u * 320u);
}

TEST(Presentation, RowsArePaddedWithBlackToTheDeviceAlignment) {
    struct Case {
        int canvasWidth, depth, width, bitCount;
    };
    const Case cases[] = {
        {350, 24, 352, 24}, {352, 24, 352, 24}, {5, 16, 6, 16}, {6, 16, 6, 16}, {5, 8, 8, 32}, {5, 32, 5, 32},
    };
    for (const Case& c : cases) {
        const std::vector<Pixel> canvas(static_cast<std::size_t>(c.canvasWidth) * 2, 0x00FFFFFF);
        Presenter presenter;
        PresentedImage out;
        presenter.present(canvas.data(), c.canvasWidth, 2, c.canvasWidth, 2, c.depth, false, out);
        EXPECT_EQ(out.width, c.width) << c.canvasWidth << " at " << c.depth;
        EXPECT_EQ(out.bitCount, c.bitCount);
        EXPECT_EQ(out.stretchToWindow, c.depth == 8);
        EXPECT_EQ(out.stride() % 4, 0);
        const std::uint8_t* lastPixel = out.bits.data() + out.stride() - out.bitCount / 8;
        const bool padded = c.width > c.canvasWidth;
        EXPECT_EQ(lastPixel[0], padded ? 0 : 0xFF);
    }
}

TEST(Presentation, SixteenAndTwentyFourBitPacking) {
    const Pixel canvas[2] = {0x7BFF8040, 0x00010203};
    Presenter presenter;
    PresentedImage out;
    presenter.present(canvas, 2, 1, 2, 1, 16, false, out);
    ASSERT_EQ(out.bits.size(), 4u);
    // Red 0xFF -> 31 at bits 14..10, green 0x80 -> 16 at 9..5, blue 0x40 -> 8 at 4..0.
    EXPECT_EQ(out.bits[0] | out.bits[1] << 8, 0x7E08);
    presenter.present(canvas, 2, 1, 2, 1, 24, false, out);
    ASSERT_EQ(out.bits.size(), 12u);
    EXPECT_EQ(out.bits[0], 0x40);
    EXPECT_EQ(out.bits[1], 0x80);
    EXPECT_EQ(out.bits[2], 0xFF);
    EXPECT_EQ(out.bits[3], 0x03);
}

TEST(Presentation, OnResizeTheImageSitsTopLeftInABlackWindowSizedFrame) {
    const std::vector<Pixel> canvas(10 * 10, 0x00FFFFFF);
    Presenter presenter;
    PresentedImage out;
    presenter.present(canvas.data(), 10, 10, 20, 30, 32, true, out);
    // 2x wide (19 columns), 3x high (29 rows): the frame is the window.
    EXPECT_EQ(out.width, 20);
    EXPECT_EQ(out.height, 30);
    EXPECT_EQ(word(out, 18, 28), 0x00FFFFFFu);
    EXPECT_EQ(word(out, 19, 0), 0u);
    EXPECT_EQ(word(out, 0, 29), 0u);

    presenter.present(canvas.data(), 10, 10, 20, 30, 32, false, out);
    EXPECT_EQ(out.width, 19);
    EXPECT_EQ(out.height, 29);
}

TEST(Presentation, AnImageTallerThanTheWindowIsCutAtTheBottom) {
    const std::vector<Pixel> canvas = numbered(4, 8);
    Presenter presenter;
    PresentedImage out;
    presenter.present(canvas.data(), 4, 8, 4, 5, 32, false, out);
    // Factor 160 (step 96) shrinks 8 rows to 6; the window takes 5.
    EXPECT_EQ(out.height, 5);
    EXPECT_EQ(word(out, 0, 0), 1u);
}

}  // namespace
}  // namespace tevaro::viz
