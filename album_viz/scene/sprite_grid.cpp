#include "album_viz/scene/sprite_grid.h"

#include <cmath>

namespace tevaro::album {

const std::uint16_t SpriteGrid::strip[IndexCount] = {0,  4, 1,  5, 2, 6, 3, 7, 7, 6, 11, 10, 15, 14, 14, 10,
                                                     13, 9, 12, 8, 8, 9, 4, 5, 5, 9, 6,  10, 10, 9,  9,  5};

SpriteGrid::SpriteGrid() {
    clearHeights();
    for (int i = 0; i < RefractionEntries; ++i) {
        // Snell: a vertical ray meets a surface tilted by atan(slope) and bends towards the normal.
        const float incidence = std::atan(float(i) / 64.0f);
        const float refracted = std::asin(std::sin(incidence) / RefractiveIndex);
        refraction_[i] = std::tan(incidence - refracted);
    }
}

void SpriteGrid::clearHeights() {
    for (int i = 0; i < VertexCount; ++i) height_[i] = velocity_[i] = 0.0f;
}

void SpriteGrid::fillVertices(GridVertex* out, int fade) const {
    const std::uint32_t diffuse = std::uint32_t(fade & 0xFF) << 24;
    for (int row = 0; row < Side; ++row)
        for (int col = 0; col < Side; ++col) {
            const int i = Side * row + col;
            const float x = -Size / 2 + float(col) * Size / 3, z = -Size / 2 + float(row) * Size / 3;
            out[i] = {x, height_[i], z, 0.0f, 1.0f, 0.0f, diffuse, x / Size + 0.5f, z / Size + 0.5f};
        }
}

std::uint32_t SpriteGrid::causticGrey(float area) {
    const float k = std::trunc(4.0f * area * area);
    if (!(k <= 7.0f)) return 0;  // beyond 7 (or not a number): no light focused there
    const std::uint32_t g = 64u / (std::uint32_t(k) + 1u);
    return 0xFF000000u | (g << 16) | (g << 8) | g;
}

void SpriteGrid::fillCaustics(CausticVertex* out) const {
    for (int row = 0; row < Side; ++row)
        for (int col = 0; col < Side; ++col) {
            const int i = Side * row + col;
            const float x = -Size / 2 + float(col) * Size / 3, z = -Size / 2 + float(row) * Size / 3;
            // A ray through a vertex lands shifted by the surface slope there; on the flat grid it
            // lands straight below, and the cells keep their full area.
            const int c1 = col < Side - 1 ? col + 1 : col, r1 = row < Side - 1 ? row + 1 : row;
            const float slopeX = (height_[Side * row + c1] - height_[i]) * 64.0f;
            const float slopeZ = (height_[Side * r1 + col] - height_[i]) * 64.0f;
            const float dx = refraction(int(std::fabs(slopeX))) * Depth,
                        dz = refraction(int(std::fabs(slopeZ))) * Depth;
            const float cell = Size / 3 + dx + dz;
            out[i] = {x + dx, -Depth, z + dz, causticGrey(cell * cell)};
        }
}

}  // namespace tevaro::album
