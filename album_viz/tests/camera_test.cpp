// Camera distances, texture sizes and placement of elements on screen.
#include <gtest/gtest.h>

#include "album_viz/scene/camera.h"

namespace tevaro::album {
namespace {

TEST(Camera, DistanceTableByTextureSize) {
    struct Case {
        int size, height;
        float d;
    };
    const Case cases[] = {
        {512, 284, -30.66f},
        {256, 284, -61.32f},
        {1024, 284, -15.475f},
        {2048, 284, -7.7375f},
        {4096, 284, -3.86875f},
        // H = 320: c = 0.107 × 36 = 3.852.
        {512, 320, -34.512f},
        {256, 320, -69.024f},
        {1024, 320, -17.401f},
        {2048, 320, -8.7005f},
        {8192, 320, -4.35025f},
        // Below 284 c is negative: H = 184 gives c = −10.7.
        {512, 184, -19.96f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.size << " at H " << c.height);
        EXPECT_NEAR(cameraDistance(c.size, c.height), c.d, 1e-4f);
    }
}

TEST(Camera, TextureSizesAreSquarePowersOfTwoAboveTheLargerSide) {
    struct Case {
        int w, h, t;
    };
    const Case cases[] = {{350, 320, 512}, {800, 600, 1024}, {1024, 768, 2048}, {1100, 600, 2048}, {255, 10, 256},
                          {1, 1, 256},     {256, 100, 512},  {510, 300, 512},   {100, 512, 1024},  {2048, 5, 4096}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h);
        EXPECT_EQ(elementTextureSize(c.w, c.h), c.t);
    }
}

TEST(Camera, PlacementScalesByDistanceAndOffsetsByWorldPerPixel) {
    const float d = cameraDistance(512, 284);
    // At z = 0 a picture shows at its own size, centred.
    Placement p = placeElement(d, 512, 350, 284, 100, 50, 0, 0, 0);
    EXPECT_FLOAT_EQ(p.scale, 1.0f);
    EXPECT_NEAR(p.worldPerPixel, 0.1244f, 1e-6f);
    EXPECT_EQ(p.drawWidth, 100);
    EXPECT_EQ(p.drawHeight, 50);
    EXPECT_EQ(p.screenX, 125);
    EXPECT_EQ(p.screenY, 117);
    // 50.5 pixels' worth of world units right and up (+y is up the screen), truncated to 50.
    p = placeElement(d, 512, 350, 284, 100, 50, 0.1244f * 50.5f, 0.1244f * 50.5f, 0);
    EXPECT_EQ(p.screenX, 175);
    EXPECT_EQ(p.screenY, 66);
    // Pushed back by half the distance it shows at 2/3 and each pixel spans 1.5 times the world.
    p = placeElement(d, 512, 350, 284, 100, 50, 0, 0, d / 2);
    EXPECT_NEAR(p.scale, 2.0f / 3.0f, 1e-6f);
    EXPECT_NEAR(p.worldPerPixel, 0.1866f, 1e-6f);
    EXPECT_EQ(p.drawWidth, 66);
    EXPECT_EQ(p.screenX, 142);
    // Brought halfway to the camera it doubles.
    p = placeElement(d, 512, 350, 284, 100, 50, 0, 0, -d / 2);
    EXPECT_NEAR(p.scale, 2.0f, 1e-6f);
    EXPECT_EQ(p.drawWidth, 200);
    EXPECT_EQ(p.screenX, 75);
}

TEST(Camera, CoverLayoutPutsThePanelCornerOnItsMargins) {
    struct Case {
        int w, h;
        int texture;
        int imageHeight;
        bool art;
        int marginX, marginY;
        bool barsHidden;
    };
    const Case cases[] = {
        {350, 320, 512, 510, false, 20, 20, false}, {800, 600, 512, 300, true, 20, 20, false},
        {1100, 600, 512, 510, true, 20, 20, false}, {300, 200, 512, 200, false, 14, 14, false},
        {166, 125, 512, 311, false, 26, 3, true},   {162, 121, 512, 265, true, 32, 10, true},
        {350, 320, 256, 510, false, 20, 20, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << " x " << c.h << " texture " << c.texture);
        const float d = cameraDistance(c.texture, c.h);
        const CoverLayout l = layoutCover({c.w, c.h, 1.0f, 1, d, c.texture, 510, c.imageHeight, c.art, 0});
        EXPECT_EQ(l.marginX, c.marginX);
        EXPECT_EQ(l.marginY, c.marginY);
        EXPECT_EQ(l.barsHidden, c.barsHidden);
        const Placement p = placeElement(d, c.texture, c.w, c.h, 510, c.imageHeight, l.x, l.y, l.z);
        EXPECT_EQ(p.screenX, c.marginX);
        EXPECT_EQ(p.screenY, c.marginY);
    }
}

TEST(Camera, CoverLayoutSizesThePanelToTheWindow) {
    const float d = cameraDistance(512, 600);
    // Wide enough: the panel keeps its 510 pixels, z = 0.
    CoverLayout l = layoutCover({1100, 600, 1.0f, 1, d, 512, 510, 510, true, 0});
    EXPECT_FLOAT_EQ(l.z, 0.0f);
    // 350 × 320: a = 192, b = 576 → P = 192, so the panel shows at 192 / 510 of its size.
    const float d320 = cameraDistance(512, 320);
    l = layoutCover({350, 320, 1.0f, 1, d320, 512, 510, 510, false, 0});
    EXPECT_EQ(placeElement(d320, 512, 350, 320, 510, 510, l.x, l.y, l.z).drawWidth, 192);
    // At the zoom's start (σ 0.6, margins tripled) it is trunc(192 × 0.6) = 115 wide at (60, 60).
    l = layoutCover({350, 320, 0.6f, 3, d320, 512, 510, 510, false, 0});
    const Placement p = placeElement(d320, 512, 350, 320, 510, 510, l.x, l.y, l.z);
    EXPECT_EQ(p.drawWidth, 115);
    EXPECT_EQ(p.screenX, 60);
    EXPECT_EQ(p.screenY, 60);
    // A cover drawn taller than 1.28 H widens the allowance to 0.85 W and hides the bars.
    l = layoutCover({350, 320, 1.0f, 1, d320, 512, 510, 510, false, 410});
    EXPECT_TRUE(l.barsHidden);
    EXPECT_EQ(placeElement(d320, 512, 350, 320, 510, 510, l.x, l.y, l.z).drawWidth, 297);
}

}  // namespace
}  // namespace tevaro::album
