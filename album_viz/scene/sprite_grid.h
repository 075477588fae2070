#pragma once
#include <cstdint>

namespace tevaro::album {

// One grid vertex as the device reads it: D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1.
struct GridVertex {
    float x, y, z;
    float nx, ny, nz;
    std::uint32_t diffuse;
    float u, v;
};
static_assert(sizeof(GridVertex) == 36);

// A caustic vertex: D3DFVF_XYZ | D3DFVF_DIFFUSE.
struct CausticVertex {
    float x, y, z;
    std::uint32_t diffuse;
};
static_assert(sizeof(CausticVertex) == 16);

// The 4 × 4 water surface each element is drawn on: 64 units across, 20 deep. The scene never
// disturbs it, so it stays flat and its texture coordinates stay planar.
class SpriteGrid {
public:
    static constexpr int Side = 4;
    static constexpr int VertexCount = 16;
    static constexpr int IndexCount = 32;
    static constexpr int TriangleCount = 30;
    static constexpr float Size = 64.0f;
    static constexpr float Depth = 20.0f;
    static constexpr float RefractiveIndex = 1.0f / 0.7501876f;
    static constexpr int RefractionEntries = 256;

    // One strip of 30 triangles over the 3 × 3 cells (degenerate triangles turn the rows).
    static const std::uint16_t strip[IndexCount];

    SpriteGrid();
    void clearHeights();
    // Grid vertices with the element's fade in the alpha of their diffuse colour.
    void fillVertices(GridVertex* out, int fade) const;
    // Caustic vertices over the refracted cells; grey 64 / (k + 1) with k = trunc(4 × area²),
    // 0 beyond k = 7 (so every cell of the flat grid is black).
    void fillCaustics(CausticVertex* out) const;
    static std::uint32_t causticGrey(float area);
    float refraction(int slope) const { return refraction_[slope & (RefractionEntries - 1)]; }

private:
    float height_[VertexCount];
    float velocity_[VertexCount];
    // Sideways shift per unit depth of a ray refracted by a surface of slope i / 64.
    float refraction_[RefractionEntries];
};

}  // namespace tevaro::album
