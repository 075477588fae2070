#include "tools/assetgen/coverdrift_paint.h"

#include <cstring>

#include "tools/assetgen/repeatable_random.h"

namespace tevaro::assetgen::coverdrift {

namespace {

double valueNoise(double x, double y, std::uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const double tx = smoothstep(0.0, 1.0, x - fx), ty = smoothstep(0.0, 1.0, y - fy);
    const double top = hashed(seed, ix, iy) + (hashed(seed, ix + 1, iy) - hashed(seed, ix, iy)) * tx;
    const double bottom = hashed(seed, ix, iy + 1) + (hashed(seed, ix + 1, iy + 1) - hashed(seed, ix, iy + 1)) * tx;
    return top + (bottom - top) * ty;
}

std::uint8_t toByte(double v) { return static_cast<std::uint8_t>(std::lround(clamp01(v) * 255.0)); }

}  // namespace

Surface opaqueSurface(int width, int height) { return panel::newSurface(width, height); }

Surface alphaSurface(int width, int height) {
    return Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));  // starts transparent
}

void putPixel(cairo_surface_t* surface, int x, int y, Rgb colour, double alpha) {
    unsigned char* row = cairo_image_surface_get_data(surface) +
                         static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface);
    const bool hasAlpha = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32;
    const double a = hasAlpha ? clamp01(alpha) : 1.0;
    const std::uint32_t word = static_cast<std::uint32_t>(toByte(a)) << 24 |
                               static_cast<std::uint32_t>(toByte(colour.r * a)) << 16 |
                               static_cast<std::uint32_t>(toByte(colour.g * a)) << 8 | toByte(colour.b * a);
    std::memcpy(row + 4 * x, &word, 4);
}

void getPixel(cairo_surface_t* surface, int x, int y, Rgb& colour, double& alpha) {
    cairo_surface_flush(surface);
    const unsigned char* row = cairo_image_surface_get_data(surface) +
                               static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface);
    std::uint32_t word;
    std::memcpy(&word, row + 4 * x, 4);
    const bool hasAlpha = cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32;
    alpha = hasAlpha ? (word >> 24) / 255.0 : 1.0;
    const double unmultiply = alpha > 0 ? 1.0 / alpha : 0.0;
    colour = {((word >> 16) & 0xFF) / 255.0 * unmultiply, ((word >> 8) & 0xFF) / 255.0 * unmultiply,
              (word & 0xFF) / 255.0 * unmultiply};
}

double fractalNoise(double x, double y, double scale, int octaves, std::uint32_t seed) {
    double sum = 0, weight = 1, total = 0, f = 1.0 / scale;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * valueNoise(x * f, y * f, seed + static_cast<std::uint32_t>(o) * 7919u);
        total += weight;
        weight *= 0.5;
        f *= 2.0;
    }
    return sum / total;
}

double randomAt(std::uint32_t seed, int index) { return hashed(seed, index, 0x5EED); }

}  // namespace tevaro::assetgen::coverdrift
