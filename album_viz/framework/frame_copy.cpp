#include "album_viz/framework/frame_copy.h"

#include <cstring>

namespace tevaro::album {
namespace {

std::uint32_t readArgb(const std::uint8_t* row, int x, SurfaceFormat format) {
    switch (format) {
        case SurfaceFormat::Argb32: {
            std::uint32_t v;
            std::memcpy(&v, row + 4 * x, 4);
            return v;
        }
        case SurfaceFormat::Rgb24:
            return 0xFF000000u | (std::uint32_t(row[3 * x + 2]) << 16) | (std::uint32_t(row[3 * x + 1]) << 8) |
                   row[3 * x];
        case SurfaceFormat::Rgb565:
        case SurfaceFormat::Xrgb1555: {
            const std::uint32_t v = row[2 * x] | (row[2 * x + 1] << 8);
            const bool six = format == SurfaceFormat::Rgb565;
            // Widen each field by repeating its top bits, so full intensity stays 255.
            const std::uint32_t r5 = six ? v >> 11 : (v >> 10) & 0x1F;
            const std::uint32_t g = six ? ((v >> 5) & 0x3F) : ((v >> 5) & 0x1F);
            const std::uint32_t b5 = v & 0x1F;
            const std::uint32_t g8 = six ? (g << 2 | g >> 4) : (g << 3 | g >> 2);
            return 0xFF000000u | ((r5 << 3 | r5 >> 2) << 16) | (g8 << 8) | (b5 << 3 | b5 >> 2);
        }
    }
    return 0;
}

std::uint16_t to1555(std::uint32_t argb) {
    return std::uint16_t(((argb >> 9) & 0x7C00) | ((argb >> 6) & 0x03E0) | ((argb >> 3) & 0x001F));
}

std::uint16_t to565(std::uint32_t argb) {
    return std::uint16_t(((argb >> 8) & 0xF800) | ((argb >> 5) & 0x07E0) | ((argb >> 3) & 0x001F));
}

void put16(std::uint8_t* p, std::uint16_t v) {
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
}

}  // namespace

std::size_t dibRowBytes(int width, int bitsPerPixel) {
    const std::size_t w = bitsPerPixel == 16 ? std::size_t((width + 1) & ~1) : std::size_t(width);
    return (w * std::size_t(bitsPerPixel) / 8 + 3) & ~std::size_t(3);
}

bool backBufferToDib(const std::uint8_t* surface, std::size_t pitch, SurfaceFormat format, int width, int height,
                     int bitsPerPixel, std::uint8_t* dib) {
    if (bitsPerPixel != 32 && bitsPerPixel != 24 && bitsPerPixel != 16) return false;
    const std::size_t rowBytes = dibRowBytes(width, bitsPerPixel);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = surface + std::size_t(y) * pitch;
        std::uint8_t* dst = dib + std::size_t(y) * rowBytes;
        if (bitsPerPixel == 32 && format == SurfaceFormat::Argb32) {
            std::memcpy(dst, src, std::size_t(width) * 4);
        } else if (bitsPerPixel == 16 && format == SurfaceFormat::Rgb565) {
            // The 5-6-5 to 5-5-5 step of the 16-bit path: drop green's lowest bit.
            for (int x = 0; x < width; ++x) {
                const std::uint16_t v = std::uint16_t(src[2 * x] | (src[2 * x + 1] << 8));
                put16(dst + 2 * x, std::uint16_t(((v >> 1) & 0x7FE0) | (v & 0x1F)));
            }
        } else {
            for (int x = 0; x < width; ++x) {
                const std::uint32_t p = readArgb(src, x, format);
                if (bitsPerPixel == 32) {
                    std::memcpy(dst + 4 * x, &p, 4);
                } else if (bitsPerPixel == 24) {
                    dst[3 * x] = std::uint8_t(p);
                    dst[3 * x + 1] = std::uint8_t(p >> 8);
                    dst[3 * x + 2] = std::uint8_t(p >> 16);
                } else {
                    put16(dst + 2 * x, to1555(p));
                }
            }
        }
        if (bitsPerPixel == 16 && (width & 1)) std::memcpy(dst + 2 * width, dst + 2 * (width - 1), 2);
    }
    return true;
}

void argbToSurface(const std::uint32_t* image, int width, int height, std::uint8_t* surface, std::size_t pitch,
                   SurfaceFormat format) {
    for (int y = 0; y < height; ++y) {
        const std::uint32_t* src = image + std::size_t(y) * width;
        std::uint8_t* dst = surface + std::size_t(y) * pitch;
        switch (format) {
            case SurfaceFormat::Argb32:
                std::memcpy(dst, src, std::size_t(width) * 4);
                break;
            case SurfaceFormat::Rgb565:
                for (int x = 0; x < width; ++x) put16(dst + 2 * x, to565(src[x]));
                break;
            case SurfaceFormat::Xrgb1555:
                for (int x = 0; x < width; ++x) put16(dst + 2 * x, to1555(src[x]));
                break;
            case SurfaceFormat::Rgb24:
                for (int x = 0; x < width; ++x) {
                    dst[3 * x] = std::uint8_t(src[x]);
                    dst[3 * x + 1] = std::uint8_t(src[x] >> 8);
                    dst[3 * x + 2] = std::uint8_t(src[x] >> 16);
                }
                break;
        }
    }
}

}  // namespace tevaro::album
