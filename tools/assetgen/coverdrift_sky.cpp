// The sky behind the scene and the two clouds that drift through it. All three are fields computed
// per pixel: the sky a graded dome with a sun glow and faint high haze, each cloud a union of soft
// puffs frayed by noise, written white on pure blue so that the effect's red-to-opacity rule
// leaves exactly the cloud.
#include <vector>

#include "tools/assetgen/coverdrift_pictures.h"

namespace tevaro::assetgen::coverdrift {

namespace {

Rgb mix(Rgb a, Rgb b, double t) { return panel::mixed(a, b, clamp01(t)); }

// Zenith to horizon: a deep clear blue easing into a luminous pale haze.
Rgb skyGradient(double v) {
    const Rgb zenith{0.13, 0.36, 0.74}, high{0.27, 0.55, 0.90}, low{0.58, 0.79, 0.98}, horizon{0.86, 0.94, 1.0};
    if (v < 0.35) return mix(zenith, high, v / 0.35);
    if (v < 0.75) return mix(high, low, (v - 0.35) / 0.40);
    return mix(low, horizon, (v - 0.75) / 0.25);
}

struct Puff {
    double x, y, r;
};

// A cloud's shape as puffs: `base` big ones along the flat bottom, then smaller billows heaped on
// their upper halves, generation by generation.
std::vector<Puff> heapPuffs(const std::vector<Puff>& base, int generations, int perPuff, double shrink,
                            std::uint32_t seed) {
    std::vector<Puff> all = base, last = base;
    int k = 0;
    for (int g = 0; g < generations; ++g) {
        std::vector<Puff> next;
        for (const Puff& p : last)
            for (int i = 0; i < perPuff; ++i) {
                // Upper arc only: clouds billow upwards and sideways, their bases stay flat.
                const double angle = Pi * (1.05 + 0.9 * randomAt(seed, k++));
                const double r = p.r * shrink * (0.75 + 0.5 * randomAt(seed, k++));
                const double reach = p.r * (0.55 + 0.35 * randomAt(seed, k++));
                next.push_back({p.x + std::cos(angle) * reach, p.y + std::sin(angle) * reach, r});
            }
        all.insert(all.end(), next.begin(), next.end());
        last = std::move(next);
    }
    return all;
}

struct CloudShape {
    std::vector<Puff> puffs;
    double baseY;       // the flat bottom
    double softness;    // width of the soft edge, in field units
    double fray;        // how much fine noise eats into the edge
    double shadeDepth;  // how grey the base gets
    std::uint32_t seed;
};

double puffField(const std::vector<Puff>& puffs, double x, double y) {
    double sum = 0;
    for (const Puff& p : puffs) {
        const double dx = x - p.x, dy = y - p.y;
        const double d2 = (dx * dx + dy * dy) / (p.r * p.r);
        if (d2 < 4.0) sum += std::exp(-2.4 * d2);
    }
    return sum;
}

CloudShape towerCloud() {
    // A towering cumulus: a broad base narrowing through a heaped middle to a rounded crown.
    std::vector<Puff> base = {{120, 338, 48}, {180, 326, 60}, {250, 318, 68}, {320, 326, 60},
                              {380, 340, 46}, {195, 262, 56}, {262, 246, 64}, {322, 270, 48},
                              {228, 188, 50}, {282, 180, 48}, {252, 130, 42}};
    return {heapPuffs(base, 3, 3, 0.55, 0x1CE), 372, 0.55, 0.55, 0.10, 0xC10D1};
}

CloudShape driftCloud() {
    // A long, low drift of separate heaps that merge at the base, wispier at the ends.
    std::vector<Puff> base = {{95, 300, 40},  {150, 290, 52}, {215, 284, 58}, {285, 292, 50},
                              {345, 298, 46}, {400, 306, 36}, {190, 240, 44}, {300, 248, 38}};
    return {heapPuffs(base, 3, 3, 0.52, 0xD41F7), 332, 0.65, 0.70, 0.08, 0xC10D2};
}

}  // namespace

Surface sky() {
    Surface s = opaqueSurface(SkyWidth, SkyHeight);
    const double sunX = 610, sunY = 105;
    for (int y = 0; y < SkyHeight; ++y)
        for (int x = 0; x < SkyWidth; ++x) {
            const double v = static_cast<double>(y) / SkyHeight;
            Rgb c = skyGradient(v);
            // The sun stays out of the picture; only its glow spreads over the upper right.
            const double dx = (x - sunX) / SkyWidth, dy = (y - sunY) / SkyHeight;
            const double d = std::sqrt(dx * dx + dy * dy * 1.4);
            // Light adds to the sky (a screen blend), so the glow brightens without greying it.
            const double glow = 0.62 * std::exp(-d * d / 0.026) + 0.25 * std::exp(-d * d / 0.20);
            const Rgb warm{1.0, 0.97, 0.88};
            c = {1 - (1 - c.r) * (1 - glow * warm.r), 1 - (1 - c.g) * (1 - glow * warm.g),
                 1 - (1 - c.b) * (1 - glow * warm.b)};
            // High haze: long, faint streaks, strongest in the middle of the sky.
            const double streak = fractalNoise(x * 0.35, y * 2.6, 90, 5, 0x5C1);
            const double haze =
                smoothstep(0.52, 0.78, streak) * smoothstep(0.05, 0.35, v) * (1.0 - smoothstep(0.6, 0.9, v));
            c = mix(c, Rgb{0.95, 0.97, 1.0}, 0.28 * haze);
            // A trace of grain, so the gradient cannot band in the JPEG.
            const double grain = (randomAt(0x6A11, y * SkyWidth + x) - 0.5) * (1.6 / 255.0);
            putPixel(s.get(), x, y, {c.r + grain, c.g + grain, c.b + grain});
        }
    cairo_surface_mark_dirty(s.get());
    return s;
}

Surface cloud(int which) {
    const CloudShape shape = which == 1 ? towerCloud() : driftCloud();
    constexpr int N = CloudSize;
    auto index = [](int x, int y) { return static_cast<std::size_t>(y * N + x); };
    // First the opacity of every pixel: the puffs' field, frayed by two scales of noise (broad
    // lumps and fine wisps), cut flat at the base and kept clear of the picture's border.
    std::vector<double> field(static_cast<std::size_t>(N * N)), opacity(field.size());
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            const double lumps = fractalNoise(x, y, 46, 4, shape.seed);
            const double wisps = fractalNoise(x, y, 11, 3, shape.seed + 17);
            double density = puffField(shape.puffs, x, y) * (0.80 + 0.40 * lumps);
            field[index(x, y)] = density;
            density += (wisps - 0.5) * shape.fray * smoothstep(0.1, 0.5, density) * (1 - smoothstep(0.9, 1.6, density));
            density *= 1.0 - smoothstep(shape.baseY - 30, shape.baseY + 4 + 14 * (lumps - 0.5), y);
            const double border = std::min(std::min(x, N - 1 - x), std::min(y, N - 1 - y));
            density *= smoothstep(10, 44, border);
            opacity[index(x, y)] = smoothstep(0.5 - shape.softness / 2, 0.5 + shape.softness / 2, density);
        }
    auto fieldAt = [&](int x, int y) { return field[index(std::clamp(x, 0, N - 1), std::clamp(y, 0, N - 1))]; };
    // Then the light: sunlight from the upper right loses itself in the cloud, so a pixel deep
    // under much cloud towards the sun is shaded, one on the sunny surface stays white.
    Surface s = opaqueSurface(N, N);
    for (int y = 0; y < N; ++y)
        for (int x = 0; x < N; ++x) {
            const double a = opacity[index(x, y)];
            double depth = 0;
            for (int step = 1; step <= 24; ++step) {
                const int sx = x + step, sy = y - 3 * step;
                if (sx >= N || sy < 0) break;
                depth += opacity[index(sx, sy)] * 3.2;
            }
            // Each billow is rounded: the field's slope gives its surface a normal to light.
            const double gx = (fieldAt(x + 3, y) - fieldAt(x - 3, y)) * 2.2,
                         gy = (fieldAt(x, y + 3) - fieldAt(x, y - 3)) * 2.2;
            const double norm = std::sqrt(gx * gx + gy * gy + 1.0);
            const double facing = clamp01((-gx * 0.45 + gy * 0.80 + 0.40) / norm);  // towards (0.45, -0.8, 0.4)
            const double shade = clamp01(0.55 * (1.0 - std::exp(-depth / 55.0)) + 0.6 * (1.0 - facing));
            const double base = smoothstep(shape.baseY - 70, shape.baseY, y);
            // Red carries the opacity, so the shade lives in the slack the rule leaves: every red
            // from 0.926 up is fully opaque. Only the base greys further, and so turns a little
            // see-through, as real cloud bases do against the sky.
            const Rgb tint{1.0 - 0.072 * shade, 1.0 - 0.06 * shade, 1.0 - 0.02 * shade};
            const double alpha = a * (1.0 - shape.shadeDepth * base);
            const double red = redForCloudOpacity(alpha) / 255.0 + (tint.r - 1.0 / 1.08) * smoothstep(0.97, 1.0, alpha);
            // Green follows red and blue blends from the background's full blue, so the soft edge
            // runs from the cloud's colour to exactly the background.
            putPixel(s.get(), x, y, {red, red * tint.g / tint.r, 1.0 + (tint.b - 1.0) * red});
        }
    cairo_surface_mark_dirty(s.get());
    return s;
}

}  // namespace tevaro::assetgen::coverdrift
