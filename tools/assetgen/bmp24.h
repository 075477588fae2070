#pragma once
// 24-bit BMP files for the resource compiler: a BITMAPFILEHEADER, a BITMAPINFOHEADER with a positive
// height (rows bottom-up) and no compression, rows padded to four bytes. Header-only so that the
// single-file host tools compiled by hand in the Windows trees can use it too.
#include <cairo.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace tevaro::assetgen {

// `pixels` holds `height` rows top-down, `stride` bytes apart, of 0x00RRGGBB words in native (little)
// endian order, which is cairo's RGB24 layout: B, G, R, X in memory.
inline std::vector<unsigned char> encodeBmp24(const unsigned char* pixels, int stride, int width, int height) {
    const int rowBytes = (width * 3 + 3) & ~3;
    const std::uint32_t imageBytes = static_cast<std::uint32_t>(rowBytes) * static_cast<std::uint32_t>(height);
    std::vector<unsigned char> file(54 + imageBytes, 0);
    auto put16 = [&](int at, std::uint32_t v) {
        file[static_cast<std::size_t>(at)] = v & 0xFF;
        file[static_cast<std::size_t>(at) + 1] = (v >> 8) & 0xFF;
    };
    auto put32 = [&](int at, std::uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    file[0] = 'B';
    file[1] = 'M';
    put32(2, static_cast<std::uint32_t>(file.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));  // positive: rows bottom-up
    put16(26, 1);
    put16(28, 24);
    put32(34, imageBytes);
    put32(38, 2835);  // 72 dpi
    put32(42, 2835);
    for (int y = 0; y < height; ++y) {
        const unsigned char* src = pixels + static_cast<std::size_t>(height - 1 - y) * static_cast<std::size_t>(stride);
        unsigned char* dst = file.data() + 54 + static_cast<std::size_t>(y) * static_cast<std::size_t>(rowBytes);
        for (int x = 0; x < width; ++x) {
            dst[3 * x + 0] = src[4 * x + 0];
            dst[3 * x + 1] = src[4 * x + 1];
            dst[3 * x + 2] = src[4 * x + 2];
        }
    }
    return file;
}

// Writes an RGB24 (or ARGB32, whose alpha is dropped) image surface as a BMP file.
inline bool writeBmp24(const char* path, cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    const std::vector<unsigned char> file =
        encodeBmp24(cairo_image_surface_get_data(surface), cairo_image_surface_get_stride(surface),
                    cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface));
    std::FILE* f = std::fopen(path, "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace tevaro::assetgen
