#include "album_viz/scene/element_tga.h"

#include <cstring>

#include "album_viz/d3dx/tga_image.h"

namespace tevaro::album {

std::vector<std::uint8_t> buildElementTga(const std::uint8_t* header, std::size_t headerLength, int textureSize,
                                          const std::uint32_t* image, int width, int height, bool background) {
    namespace tga = d3dx::tga;
    const int t = textureSize;
    if (header == nullptr || headerLength < tga::HeaderSize || image == nullptr) return {};
    // The rows land at m + 1 … m + h, so the picture needs one spare row and must fit across.
    if (t <= 0 || t > tga::MaxSide || width <= 0 || height <= 0 || width > t || height >= t) return {};
    std::vector<std::uint8_t> file(tga::HeaderSize + std::size_t(t) * t * 4 + ElementTgaPadding, 0);
    std::memcpy(file.data(), header, tga::HeaderSize);
    file[tga::IdLength] = 0;  // the pixels follow the header directly
    for (std::size_t field : {tga::Width, tga::Height}) {
        file[field] = std::uint8_t(t);
        file[field + 1] = std::uint8_t(t >> 8);
    }
    const int m = ((t - height) / 2) & ~1;
    const int o = background ? ((t - width) / 2) & ~1 : (t - width) / 2;
    std::uint8_t* pixels = file.data() + tga::HeaderSize;
    for (int r = 0; r < height; ++r) {
        const int fileRow = background ? m + height - r : m + 1 + r;
        std::uint8_t* dst = pixels + (std::size_t(fileRow) * t + o) * 4;
        const std::uint32_t* src = image + std::size_t(r) * width;
        for (int i = 0; i < width; ++i, dst += 4) {
            dst[0] = std::uint8_t(src[i]);
            dst[1] = std::uint8_t(src[i] >> 8);
            dst[2] = std::uint8_t(src[i] >> 16);
            dst[3] = std::uint8_t(src[i] >> 24);
        }
    }
    return file;
}

}  // namespace tevaro::album
