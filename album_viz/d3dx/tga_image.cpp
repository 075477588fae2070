#include "album_viz/d3dx/tga_image.h"

#include <algorithm>

namespace tevaro::album::d3dx {
namespace {

int read16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

std::uint32_t read32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

// Rounded mean of up to four texels, channel by channel.
std::uint32_t average(const std::uint32_t* texels, int count) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        std::uint32_t sum = 0;
        for (int i = 0; i < count; ++i) sum += (texels[i] >> shift) & 0xFF;
        out |= ((sum + std::uint32_t(count) / 2) / std::uint32_t(count)) << shift;
    }
    return out;
}

ArgbImage halve(const ArgbImage& src) {
    ArgbImage dst;
    dst.width = std::max(1, src.width / 2);
    dst.height = std::max(1, src.height / 2);
    dst.pixels.resize(std::size_t(dst.width) * std::size_t(dst.height));
    for (int y = 0; y < dst.height; ++y)
        for (int x = 0; x < dst.width; ++x) {
            // A side that is already 1 (or odd) keeps its last texel inside the source.
            const int x0 = std::min(2 * x, src.width - 1), x1 = std::min(2 * x + 1, src.width - 1);
            const int y0 = std::min(2 * y, src.height - 1), y1 = std::min(2 * y + 1, src.height - 1);
            const std::uint32_t* r0 = &src.pixels[std::size_t(y0) * src.width];
            const std::uint32_t* r1 = &src.pixels[std::size_t(y1) * src.width];
            const std::uint32_t box[4] = {r0[x0], r0[x1], r1[x0], r1[x1]};
            dst.pixels[std::size_t(y) * dst.width + x] = average(box, 4);
        }
    return dst;
}

}  // namespace

bool decodeTga(const std::uint8_t* bytes, std::size_t length, ArgbImage& out) {
    if (bytes == nullptr || length < tga::HeaderSize) return false;
    if (bytes[tga::ImageType] != tga::TypeTrueColor || bytes[tga::ColorMapType] != 0) return false;
    if (bytes[tga::PixelDepth] != 32) return false;
    const int width = read16(bytes + tga::Width), height = read16(bytes + tga::Height);
    if (width <= 0 || height <= 0 || width > tga::MaxSide || height > tga::MaxSide) return false;
    const std::size_t start = tga::HeaderSize + bytes[tga::IdLength];
    const std::size_t pixelBytes = std::size_t(width) * std::size_t(height) * 4;
    if (length < start || length - start < pixelBytes) return false;

    const bool topOrigin = bytes[tga::Descriptor] & tga::DescriptorTopOrigin;
    const bool rightOrigin = bytes[tga::Descriptor] & tga::DescriptorRightOrigin;
    out.width = width;
    out.height = height;
    out.pixels.assign(std::size_t(width) * std::size_t(height), 0);
    const std::uint8_t* p = bytes + start;
    for (int fileRow = 0; fileRow < height; ++fileRow) {
        // Bottom-left origin: the first row of the file is the bottom row of the picture.
        const int y = topOrigin ? fileRow : height - 1 - fileRow;
        std::uint32_t* row = &out.pixels[std::size_t(y) * width];
        for (int i = 0; i < width; ++i, p += 4) row[rightOrigin ? width - 1 - i : i] = read32(p);
    }
    return true;
}

std::vector<ArgbImage> buildMipChain(ArgbImage level0) {
    std::vector<ArgbImage> chain;
    chain.push_back(std::move(level0));
    while (chain.back().width > 1 || chain.back().height > 1) chain.push_back(halve(chain.back()));
    return chain;
}

}  // namespace tevaro::album::d3dx
