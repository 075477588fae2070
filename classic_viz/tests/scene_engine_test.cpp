#include <gtest/gtest.h>

#include <vector>

#include "classic_viz/framework/scene_engine.h"
#include "classic_viz/tests/scene_fixture.h"

namespace tevaro::viz {
namespace {

using testing::SceneFixture;

std::vector<int> drawOrder(const SceneEngine& scene) {
    std::vector<int> order;
    for (int n : scene.drawList()) {
        if (n < 0) break;
        order.push_back(n);
    }
    return order;
}

TEST(Placement, FlatCaseStretchesWorldUnitsBy256Over255) {
    struct Case {
        int worldX, worldY, lift, width, height;
        int screenX, screenY;
    };
    const Case cases[] = {
        {62, 0, 0, 64, 64, 62, 0},    // (62 + 32) x 256/255 - 32 = 62.37; 64.25 - 65 = -0.75
        {62, 0, -10, 64, 64, 62, 9},  // a negative lift moves the picture down
        {-2, 0, 0, 350, 320, -1, 0},  // 173 x 256/255 - 175 = -1.32
        {175, 0, 0, 1, 320, 175, 0},  // the colour strip
        {0, 0, 20, 16, 16, 0, -20},   // 16.06 - 37 = -20.94
    };
    for (const Case& c : cases) {
        SceneFixture f({{c.width, c.height, 0x10}}, 400, 400);
        Layer& layer = f.show(3, 1);
        layer.worldX = c.worldX;
        layer.worldY = c.worldY;
        layer.lift = c.lift;
        f.scene.place(3);
        EXPECT_EQ(layer.screenX, c.screenX) << c.worldX;
        EXPECT_EQ(layer.screenY, c.screenY) << c.lift;
        EXPECT_EQ(layer.scale, 256);
        EXPECT_EQ(layer.depth, c.worldY + c.height);
    }
}

TEST(Placement, GeneralFormWithDefaultCameraGivesAFiniteScaledPosition) {
    SceneFixture f({{1, 1, 0x10}}, 350, 320);
    f.scene.camera = Camera{};
    Layer& layer = f.show(0, 1);
    layer.worldX = 1107;
    layer.worldY = -474;
    f.scene.place(0);
    // Y = -473, D = 1400 + 473, d1 = 400 + 1873, d2 = 400 - 318: (256 x 400 / 82) x 400 / 2273.
    EXPECT_EQ(layer.scale, 219);
    EXPECT_EQ(layer.depth, -474 + 1);
}

TEST(Sorting, BackgroundFirstThenForegroundByKeyWithTiesInLayerOrder) {
    SceneFixture f({{2, 2, 0x10}});
    f.hideAllBut({0, 1, 2, 3, 4, 5, 6});
    for (int n = 0; n <= 6; ++n) f.show(n, 1, n == 4 ? ClassBackground : ClassAnimated);
    auto& L = f.scene.layers;
    L[0].depth = 50;
    L[1].depth = 10;
    L[2].depth = 5;
    L[3].depth = 10;   // ties with layer 1: layer 1 first
    L[4].depth = 900;  // background: before every foreground layer
    L[5].depth = -20000;
    L[6].depth = -15000;  // both keys below 0 count as 0: tie, layer order
    L[0].layerClass = ClassForeground;
    f.scene.sortLayers();
    EXPECT_EQ(drawOrder(f.scene), (std::vector<int>{4, 5, 6, 2, 1, 3, 0}));

    L[3].state = StateHidden;
    L[1].layerClass = ClassFree;
    f.scene.sortLayers();
    EXPECT_EQ(drawOrder(f.scene), (std::vector<int>{4, 5, 6, 2, 0}));
}

TEST(Clipping, OffCanvasLayersGetStateZeroAndStayUndrawnUntilShownAgain) {
    SceneFixture f({{4, 4, 0x00FF00}});
    f.hideAllBut({9});
    Layer& layer = f.show(9, 1);
    layer.worldX = 40;  // right of the 20-pixel canvas
    f.scene.render();
    EXPECT_EQ(layer.state, StateHidden);

    layer.worldX = 2;
    f.scene.render();
    EXPECT_EQ(layer.state, StateHidden);
    EXPECT_TRUE(drawOrder(f.scene).empty());
    EXPECT_EQ(f.canvasAt(3, 1), 0u);

    layer.state = StateDraw;
    f.scene.render();
    EXPECT_EQ(layer.state, StateDrawn);
    EXPECT_EQ(f.canvasAt(3, 1), 0x00FF00u);
}

TEST(Clipping, EdgeCrossingLayersAreCutToTheVisiblePart) {
    struct Case {
        int screenX, screenY;
        int state, drawnWidth, drawnHeight, clipped;
    };
    const Case cases[] = {
        {2, 2, StateDraw, 4, 4, 0},    {-3, 2, StateDraw, 1, 4, 1},   {18, 8, StateDraw, 2, 2, 1},
        {20, 2, StateHidden, 4, 4, 0}, {-4, 2, StateHidden, 4, 4, 0}, {2, 10, StateHidden, 4, 4, 0},
        {2, -4, StateHidden, 4, 4, 0},
    };
    for (const Case& c : cases) {
        SceneFixture f({{4, 4, 0x10}});
        Layer& layer = f.show(3, 1);
        layer.scale = 256;
        layer.screenX = c.screenX;
        layer.screenY = c.screenY;
        f.scene.clip(3);
        EXPECT_EQ(layer.state, c.state) << c.screenX << "," << c.screenY;
        if (c.state != StateHidden) {
            EXPECT_EQ(layer.drawnWidth, c.drawnWidth);
            EXPECT_EQ(layer.drawnHeight, c.drawnHeight);
            EXPECT_EQ(layer.clipped, c.clipped);
        }
    }
    SceneFixture f({{4, 4, 0x10}});
    Layer& tiny = f.show(3, 1);
    tiny.scale = 6;
    f.scene.clip(3);
    EXPECT_EQ(tiny.state, StateHidden);
}

TEST(LoadPicture, AnImageNumberOneAboveTheCountFreesTheLayer) {
    SceneFixture f({{4, 4, 0x10}, {2, 2, 0x20}});
    Layer& layer = f.show(7, 2);
    EXPECT_TRUE(layer.picture);
    f.scene.setPicture(7, 0, 3);
    EXPECT_EQ(layer.layerClass, ClassFree);
    EXPECT_FALSE(layer.picture);
    f.show(8, 1);
    f.scene.setPicture(8, 5, 1);  // a slot holding no archive
    EXPECT_EQ(f.scene.layers[8].layerClass, ClassFree);
}

TEST(StampIntoLayerZero, RowsAreAddressedLikeCanvasRowsAndTheLayerStopsCompositing) {
    SceneFixture f({{2, 3, 0x0000FF}});
    f.scene.giveOwnBuffer(0, 8, 8, 0);
    Layer& brush = f.show(5, 1);
    brush.composited = NotComposited;  // stamping draws whatever the layer's own setting
    brush.screenX = 1;
    brush.screenY = 2;
    f.scene.stampIntoLayerZero(5);
    const Pixel* ground = f.scene.layers[0].picture.pixels;
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 8; ++col) {
            const bool inside = col >= 1 && col <= 2 && row >= 2 && row <= 4;
            EXPECT_EQ(ground[row * 8 + col], inside ? 0x0000FFu : 0u) << col << "," << row;
        }
    EXPECT_EQ(brush.composited, NotComposited);
    EXPECT_EQ(brush.state, StateDrawn);
}

TEST(FillFromPaletteRow, TakesColumnZeroOfTheRowAndKeepsEachPixelsTransparency) {
    SceneFixture f({{1, 4, 0x000000}, {2, 2, 0x000000}});
    Layer& strip = f.show(1, 1);
    for (int row = 0; row < 4; ++row) strip.picture.pixels[row] = 0x010101u * static_cast<Pixel>(row + 1);
    Layer& star = f.show(9, 2);
    star.picture.pixels[0] = 0x7F000000;
    star.picture.pixels[3] = 0xFF123456;
    f.scene.fillFromPaletteRow(9, 2);
    EXPECT_EQ(star.picture.pixels[0], 0x7F030303u);
    EXPECT_EQ(star.picture.pixels[1], 0x00030303u);
    EXPECT_EQ(star.picture.pixels[3], 0xFF030303u);
    EXPECT_EQ(star.state, StateDraw);
}

TEST(CopyPixels, NeedsTwoPicturesOfTheSameSize) {
    SceneFixture f({{2, 2, 0x11}, {2, 2, 0x22}, {3, 1, 0x33}});
    Layer& a = f.show(5, 1);
    Layer& b = f.show(9, 2);
    Layer& c = f.show(10, 3);
    f.scene.copyPixels(5, 9);
    EXPECT_EQ(b.picture.pixels[3], 0x11u);
    f.scene.copyPixels(10, 5);
    EXPECT_EQ(a.picture.pixels[0], 0x11u);
    EXPECT_EQ(c.picture.pixels[0], 0x33u);
}

TEST(Animation, AnglesWrapTransparencyClampsAndMovedLayersRedraw) {
    SceneFixture f({{2, 2, 0x11}});
    f.show(6, 1, ClassBackground);
    LayerMotion& m = f.scene.motion[6];
    m.freeAngle1 = 350;
    m.freeAngle1Speed = 20;
    m.transparency = 250;
    m.transparencySpeed = 10;
    f.scene.animate();
    EXPECT_FLOAT_EQ(m.freeAngle1, 11.0f);
    EXPECT_FLOAT_EQ(m.transparency, 255.0f);
    EXPECT_EQ(f.scene.layers[6].layerClass, ClassAnimated);
    EXPECT_EQ(f.scene.layers[6].state, StateRedraw);

    f.show(7, 1, ClassBackground);
    f.scene.animate();
    EXPECT_EQ(f.scene.layers[7].layerClass, ClassBackground);  // nothing moves: untouched
}

TEST(LayerCount, LayersAtOrAboveTheCountAreNeitherAnimatedNorDrawn) {
    for (int count : {5, 23}) {
        SCOPED_TRACE(count);
        SceneFixture f({{4, 4, 0x11}, {4, 4, 0x22}});
        f.hideAllBut({count - 1, count});
        Layer& last = f.show(count - 1, 1);
        Layer& beyond = f.show(count, 2);
        last.worldX = 0;
        beyond.worldX = 8;
        f.scene.motion[static_cast<std::size_t>(count)].scrollSpeedX = 1.0f;
        f.scene.layerCount = count;
        f.scene.animate();
        f.scene.render();
        EXPECT_FLOAT_EQ(f.scene.motion[static_cast<std::size_t>(count)].scrollX, 0.0f);
        EXPECT_EQ(f.canvasAt(1, 1) & ColourBits, 0x11u);  // the last counted layer is drawn
        EXPECT_EQ(f.canvasAt(9, 1) & ColourBits, 0u);     // the next one is ignored
        f.scene.layerCount = count + 1;
        f.scene.render();
        EXPECT_EQ(f.canvasAt(9, 1) & ColourBits, 0x22u);
    }
}

TEST(DefaultLayout, GivesLayersZeroToFiveTheirTable) {
    SceneFixture f({{1, 1, 0}});
    SpectrumAnalysis spectrum;
    spectrum.settings.gain = 9;
    spectrum.previous[4] = 3;
    f.scene.defaultLayout(DefaultPictures{4, {5, 5, 5, 5, 5, 5}}, spectrum);
    const auto& L = f.scene.layers;
    EXPECT_EQ(L[0].blendMode, 1);
    EXPECT_EQ(L[1].keyColour, -1);
    EXPECT_EQ(L[3].composited, NotComposited);
    EXPECT_EQ(L[5].worldX, 1269);
    EXPECT_EQ(L[5].worldY, 53);
    EXPECT_EQ(L[5].lift, -46);
    EXPECT_EQ(L[2].scrollWrapMode, 2);
    EXPECT_FLOAT_EQ(f.scene.motion[2].scrollSpeedX, 1.0f);
    EXPECT_FLOAT_EQ(f.scene.motion[2].scrollSpeedY, 0.5f);
    EXPECT_EQ(L[4].archiveSlot, 4);
    EXPECT_EQ(L[4].imageNumber, 5);
    EXPECT_EQ(L[6].layerClass, 0);
    EXPECT_EQ(L[6].state, StateHidden);
    EXPECT_EQ(f.scene.camera.viewX, 6104);
    EXPECT_EQ(f.scene.camera.viewY, 6537);
    EXPECT_EQ(f.scene.camera.nearOffset, -318);
    EXPECT_EQ(f.scene.camera.tilt, 90);
    EXPECT_EQ(spectrum.settings.gain, 0);
    EXPECT_EQ(spectrum.settings.resampleFactor, 255);
    EXPECT_EQ(spectrum.previous[4], 0);
}

TEST(EdgePassStamp, RunsAgainOnlyWhenItsParametersChangeOrARefreshForcesIt) {
    // A 6 x 1 bar, distances 1..6 from the left (scan bit 8 only).
    SceneFixture f({{6, 1, 0x808080}});
    f.hideAllBut({3});
    Layer& bar = f.show(3, 1);
    bar.distanceScans = 8;
    bar.edgeWidth = 4;
    bar.edgeTransparency = 200;
    auto transparencies = [&bar]() {
        std::vector<int> t;
        for (int i = 0; i < 6; ++i) t.push_back(transparencyOf(bar.picture.pixels[i]));
        return t;
    };
    f.scene.render();
    // 200 - d x 200 / 4 for d <= 4.
    EXPECT_EQ(transparencies(), (std::vector<int>{150, 100, 50, 0, 0, 0}));

    bar.picture.pixels[0] = withTransparency(bar.picture.pixels[0], 7);
    f.scene.render();
    EXPECT_EQ(transparencies()[0], 7);  // unchanged parameters: skipped

    bar.edgeWidth = 2;
    f.scene.render();
    // d <= 2 rewritten; pixels further in keep what the previous run gave them.
    EXPECT_EQ(transparencies(), (std::vector<int>{100, 0, 50, 0, 0, 0}));

    bar.picture.pixels[0] = withTransparency(bar.picture.pixels[0], 9);
    f.scene.refresh(3);
    f.scene.render();
    EXPECT_EQ(transparencies()[0], 100);
}

}  // namespace
}  // namespace tevaro::viz
