// The water-surface grid every element is drawn on.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "album_viz/scene/sprite_grid.h"

namespace tevaro::album {
namespace {

TEST(SpriteGrid, VerticesSpanTheSurfaceWithPlanarTextureCoordinates) {
    SpriteGrid grid;
    GridVertex v[SpriteGrid::VertexCount];
    grid.fillVertices(v, 0x80);
    struct Case {
        int index;
        float x, z, u, v;
    };
    // Vertex 4 × row + column at −32 + column × 64/3, −32 + row × 64/3.
    const Case cases[] = {{0, -32, -32, 0, 0},
                          {3, 32, -32, 1, 0},
                          {12, -32, 32, 0, 1},
                          {15, 32, 32, 1, 1},
                          {6, 32.0f / 3, -32.0f / 3, 2.0f / 3, 1.0f / 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_NEAR(v[c.index].x, c.x, 1e-5f);
        EXPECT_EQ(v[c.index].y, 0.0f);
        EXPECT_NEAR(v[c.index].z, c.z, 1e-5f);
        EXPECT_NEAR(v[c.index].u, c.u, 1e-6f);
        EXPECT_NEAR(v[c.index].v, c.v, 1e-6f);
    }
    for (const GridVertex& g : v) {
        EXPECT_EQ(g.diffuse, 0x80000000u);
        EXPECT_EQ(g.ny, 1.0f);
    }
}

TEST(SpriteGrid, StripCoversEveryCellWithThirtyTriangles) {
    // Each of the 9 cells is two triangles of the strip; the rest are degenerate turns.
    std::set<std::set<int>> covered;
    int degenerate = 0;
    for (int t = 0; t < SpriteGrid::TriangleCount; ++t) {
        const int a = SpriteGrid::strip[t], b = SpriteGrid::strip[t + 1], c = SpriteGrid::strip[t + 2];
        if (a == b || b == c || a == c) {
            ++degenerate;
            continue;
        }
        covered.insert({a, b, c});
    }
    EXPECT_EQ(SpriteGrid::IndexCount, SpriteGrid::TriangleCount + 2);
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            const int i = 4 * row + col;
            // Either diagonal splits the cell; the four corners must be inside the covered triangles.
            int corners = 0;
            for (const std::set<int>& tri : covered)
                if (tri.count(i) + tri.count(i + 1) + tri.count(i + 4) + tri.count(i + 5) == 3) ++corners;
            SCOPED_TRACE(testing::Message() << "cell " << row << "," << col);
            EXPECT_GE(corners, 2);
        }
    for (std::uint16_t i : SpriteGrid::strip) EXPECT_LT(i, SpriteGrid::VertexCount);
}

TEST(SpriteGrid, CausticGreyFallsWithTheFocusedArea) {
    struct Case {
        float area;
        std::uint32_t grey;
    };
    const Case cases[] = {{0.0f, 64}, {0.49f, 64}, {0.5f, 32},  {0.75f, 21}, {1.0f, 12},
                          {1.4f, 8},  {1.42f, 0},  {455.1f, 0}, {NAN, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.area);
        const std::uint32_t got = SpriteGrid::causticGrey(c.area);
        EXPECT_EQ(got & 0xFF, c.grey);
        EXPECT_EQ((got >> 8) & 0xFF, c.grey);
    }
    SpriteGrid grid;
    CausticVertex v[SpriteGrid::VertexCount];
    grid.fillCaustics(v);
    for (const CausticVertex& c : v) EXPECT_EQ(c.diffuse & 0xFFFFFF, 0u);  // the flat grid focuses nothing
}

TEST(SpriteGrid, RefractionTableBendsRaysTowardsTheNormal) {
    SpriteGrid grid;
    EXPECT_EQ(grid.refraction(0), 0.0f);
    // Slope 64/64: 45° incidence, refracted at asin(sin 45° × 0.7501876) = 32.03°; shift tan(12.97°).
    EXPECT_NEAR(grid.refraction(64), 0.2303f, 1e-3f);
    for (int i = 1; i < SpriteGrid::RefractionEntries; ++i) EXPECT_GT(grid.refraction(i), grid.refraction(i - 1));
}

}  // namespace
}  // namespace tevaro::album
