#include "host_sim/viz/png_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

namespace host_sim {
namespace {

std::uint32_t crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

void putBigEndian(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void chunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data) {
    putBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBigEndian(out, crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored (uncompressed) deflate blocks.
std::vector<std::uint8_t> zlibStored(const std::vector<std::uint8_t>& raw) {
    std::vector<std::uint8_t> z = {0x78, 0x01};
    constexpr std::size_t MaxBlock = 65535;
    std::size_t at = 0;
    do {
        const std::size_t n = std::min(MaxBlock, raw.size() - at);
        z.push_back(at + n == raw.size() ? 1 : 0);
        z.push_back(static_cast<std::uint8_t>(n));
        z.push_back(static_cast<std::uint8_t>(n >> 8));
        z.push_back(static_cast<std::uint8_t>(~n));
        z.push_back(static_cast<std::uint8_t>(~n >> 8));
        z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                 raw.begin() + static_cast<std::ptrdiff_t>(at + n));
        at += n;
    } while (at < raw.size());
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    putBigEndian(z, b << 16 | a);
    return z;
}

}  // namespace

bool writePng(const std::string& path, const Capture& picture) {
    if (picture.width <= 0 || picture.height <= 0) return false;
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(picture.height) * (static_cast<std::size_t>(picture.width) * 3 + 1));
    for (int y = 0; y < picture.height; ++y) {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t p = picture.at(x, y);
            raw.push_back(static_cast<std::uint8_t>(p >> 16));
            raw.push_back(static_cast<std::uint8_t>(p >> 8));
            raw.push_back(static_cast<std::uint8_t>(p));
        }
    }
    std::vector<std::uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    putBigEndian(header, static_cast<std::uint32_t>(picture.width));
    putBigEndian(header, static_cast<std::uint32_t>(picture.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, deflate, no filter set, no interlace
    chunk(file, "IHDR", header);
    chunk(file, "IDAT", zlibStored(raw));
    chunk(file, "IEND", {});
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    return std::fclose(f) == 0 && ok;
}

Capture contactSheet(const std::vector<Capture>& frames) {
    Capture sheet;
    if (frames.empty()) return sheet;
    constexpr int Columns = 4, Gap = 6;
    constexpr std::uint32_t Ground = 0x202020;
    const int w = std::max(1, frames[0].width / 2), h = std::max(1, frames[0].height / 2);
    const int count = static_cast<int>(frames.size());
    const int columns = std::min(Columns, count), rows = (count + Columns - 1) / Columns;
    sheet.width = Gap + columns * (w + Gap);
    sheet.height = Gap + rows * (h + Gap);
    sheet.pixels.assign(static_cast<std::size_t>(sheet.width) * static_cast<std::size_t>(sheet.height), Ground);
    for (int i = 0; i < count; ++i) {
        const Capture& f = frames[static_cast<std::size_t>(i)];
        const int left = Gap + (i % Columns) * (w + Gap), top = Gap + (i / Columns) * (h + Gap);
        for (int y = 0; y < h && 2 * y < f.height; ++y)
            for (int x = 0; x < w && 2 * x < f.width; ++x)
                sheet.pixels[static_cast<std::size_t>(top + y) * static_cast<std::size_t>(sheet.width) +
                             static_cast<std::size_t>(left + x)] = f.at(2 * x, 2 * y);
    }
    return sheet;
}

}  // namespace host_sim
