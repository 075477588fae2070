#include "classic_viz/framework/spectrum_painter.h"

#include <gtest/gtest.h>

#include <vector>

#include "classic_viz/tests/scene_fixture.h"

namespace tevaro::viz {
namespace {

using testing::SceneFixture;

constexpr Pixel T(int t) { return static_cast<Pixel>(t) << 24; }

// A hand-made strip whose pixel i has colour i + 1, so every copied index can be read back.
struct Images {
    std::vector<Pixel> strip, brush;
    ImageView stripView, brushView;
    Images(int stripWidth, int stripHeight, int brushHeight, Pixel brushFill = 0xAA) {
        strip.resize(static_cast<std::size_t>(stripWidth * stripHeight));
        for (std::size_t i = 0; i < strip.size(); ++i) strip[i] = static_cast<Pixel>(i + 1);
        brush.assign(static_cast<std::size_t>(brushHeight), brushFill);
        stripView = ImageView{strip.data(), stripWidth, stripHeight, nullptr};
        brushView = ImageView{brush.data(), 1, brushHeight, nullptr};
    }
};

TEST(BrushStyles, FillTheBrushFromTheStripAsEachStyleReadsIt) {
    struct Case {
        const char* what;
        int style, v, stripWidth, stripHeight, brushHeight;
        std::vector<Pixel> brush;
    };
    const Case cases[] = {
        {"bar: start of the strip, then its stored row 256", 2, 3, 1, 260, 6, {1, 2, 3, 257, 257, 257}},
        {"bar of a 3-wide strip: row 256 is index 768", 2, 2, 3, 260, 4, {1, 2, 769, 769}},
        {"faded bar: last three copied pixels gain 0x80, 0x40, 0x20",
         3,
         4,
         1,
         260,
         6,
         {1, 2 + T(0x20), 3 + T(0x40), 4 + T(0x80), 257, 257}},
        {"faded bar of two pixels is not faded", 3, 2, 1, 260, 4, {1, 2, 257, 257}},
        {"reversed from v + 1, the rest kept", 4, 3, 1, 8, 6, {5, 4, 3, 2, 0xAA, 0xAA}},
        {"reversed 3-wide strip from 3v + 1", 4, 2, 3, 8, 5, {8, 7, 6, 0xAA, 0xAA}},
        {"reversed stops at the strip's first pixel", 4, 0, 1, 8, 3, {2, 0xAA, 0xAA}},
        {"folded odd: forward three, back two, rest black", 5, 5, 1, 8, 7, {1, 2, 3, 4, 3, 0, 0}},
        {"folded even", 5, 4, 1, 8, 6, {1, 2, 3, 2, 0, 0}},
        {"folded silence leaves transparent black", 5, 0, 1, 8, 3, {0, 0, 0}},
        {"soft fold: graded T, then the two ramps",
         6,
         3,
         1,
         260,
         8,
         {1 + T(2), 2 + T(1), 3 + T(0), 1 + T(0), 1 + T(1), 1 + T(2), 201 + T(22), 201 + T(21)}},
        {"soft fold filling the brush", 6, 8, 1, 260, 8, {1 + T(4), 2 + T(3), 3 + T(2), 4 + T(1), 5 + T(1), 4, 3, 2}},
        {"style 1 leaves the brush", 1, 3, 1, 8, 3, {0xAA, 0xAA, 0xAA}},
        {"bar longer than the strip leaves the brush", 2, 9, 1, 8, 10, std::vector<Pixel>(10, 0xAA)},
        {"fold longer than the strip leaves the brush", 5, 9, 1, 8, 10, std::vector<Pixel>(10, 0xAA)},
        {"soft fold longer than the strip leaves the brush", 6, 9, 1, 8, 10, std::vector<Pixel>(10, 0xAA)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Images images(c.stripWidth, c.stripHeight, c.brushHeight);
        painter::fillBrush(c.style, images.stripView, images.brushView, c.v);
        EXPECT_EQ(images.brush, c.brush);
    }
}

TEST(BrushPosition, EachOrderModePlacesTheBrushOrSkipsTheColumn) {
    struct Case {
        int orderMode, v;
        int screenY;
        float scrollY;
        bool drawn;
    };
    constexpr int Unchanged = 1234;
    const Case cases[] = {
        {1, 100, -155, 0, true},       {0, 0, -255, 0, true},
        {2, 255, 0, 0, true},          {3, 100, 220, 0, true},
        {4, 100, 164, 0, true},        {5, 3, 3, 0, true},
        {5, 2, 2, 0, false},           {6, 100, -168, 0, true},
        {7, 200, 0, 0, true},          {8, 101, Unchanged, 110, true},
        {8, 255, Unchanged, 33, true}, {9, 50, Unchanged, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.orderMode);
        Layer brush;
        brush.screenY = Unchanged;
        LayerMotion motion;
        EXPECT_EQ(painter::positionBrush(c.orderMode, c.v, brush, motion), c.drawn);
        EXPECT_EQ(brush.screenY, c.screenY);
        EXPECT_EQ(motion.scrollY, c.scrollY);
    }
}

// A 6 x 8 surface, a 1 x 8 strip with colours 1..8 and a 1 x 8 brush, as the bar effects lay them out.
struct PainterFixture : SceneFixture {
    SpectrumAnalysis spectrum;
    PainterFixture() : SceneFixture({{6, 8, 0}, {1, 8, 0}, {1, 8, 0x0000FF}}, 6, 8) {
        show(painter::Surface, 1).keyColour = 0;
        show(painter::Strip, 2).composited = NotComposited;
        Layer& brush = show(painter::Brush, 3);
        brush.keyColour = 0;
        brush.composited = NotComposited;
        for (int i = 0; i < 8; ++i) scene.layers[painter::Strip].picture.pixels[i] = static_cast<Pixel>(i + 1);
    }
    Pixel surfaceAtCanvasRow(int column, int row) const {
        const ImageView& p = scene.layers[painter::Surface].picture;
        return p.pixels[(p.height - 1 - row) * p.width + column];
    }
};

TEST(SpectrumPainter, BrushRowZeroLandsOnTheTopRowAndColumnsBeyondTheSurfaceAreSkipped) {
    PainterFixture f;
    f.scene.brushStyle = painter::StyleBar;
    f.spectrum.settings.orderMode = 7;
    const int values[10] = {3, 0, 8, 5, 1, 2, 7, 7, 7, 7};  // columns 6..9 lie beyond the surface
    for (int c = 0; c < 10; ++c) f.spectrum.buffers[0][static_cast<std::size_t>(c)] = values[c];
    f.spectrum.binCount = 10;
    painter::paintSpectrum(f.scene, f.spectrum);

    for (int c = 0; c < 6; ++c)
        for (int row = 0; row < 8; ++row) {
            // Style 2 on a strip shorter than 257 rows fills below the bar with its last pixel.
            const Pixel want = row < values[c] ? static_cast<Pixel>(row + 1) : 8;
            EXPECT_EQ(f.surfaceAtCanvasRow(c, row) & ColourBits, want) << "column " << c << " row " << row;
        }
    // The brush still holds the fill of the last painted column (5), not of a skipped one.
    EXPECT_EQ(f.scene.layers[painter::Brush].picture.pixels[2], 8u);
    EXPECT_EQ(f.scene.layers[painter::Brush].picture.pixels[1], 2u);
    EXPECT_TRUE(f.scene.layers[painter::Brush].isComposited());
}

TEST(SpectrumPainter, OrderModeFiveLeavesQuietColumnsUnpainted) {
    PainterFixture f;
    f.scene.brushStyle = painter::StyleBar;
    f.spectrum.settings.orderMode = 5;
    const int values[6] = {2, 5, 0, 5, 1, 5};
    for (int c = 0; c < 6; ++c) f.spectrum.buffers[0][static_cast<std::size_t>(c)] = values[c];
    f.spectrum.binCount = 6;
    painter::paintSpectrum(f.scene, f.spectrum);
    for (int c = 0; c < 6; ++c) {
        // Drawn at row y = 5: the brush (8 rows) shows on canvas rows 8 - 5 - 8 .. 2, brush row k on row k - 5.
        const bool painted = values[c] > 2;
        EXPECT_EQ(f.surfaceAtCanvasRow(c, 0) & ColourBits, painted ? 8u : 0u) << c;  // brush row 5
        EXPECT_EQ(f.surfaceAtCanvasRow(c, 2) & ColourBits, painted ? 8u : 0u) << c;  // brush row 7
        EXPECT_EQ(f.surfaceAtCanvasRow(c, 3) & ColourBits, 0u) << c;
    }
}

}  // namespace
}  // namespace tevaro::viz
