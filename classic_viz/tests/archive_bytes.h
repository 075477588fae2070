#pragma once
#include <cstdint>
#include <vector>

namespace tevaro::viz::testing {

// Hand-built archives for the decoder tests: entries are raw byte strings after their 12-byte header.
struct RawEntry {
    std::uint32_t format;
    std::uint32_t width;
    std::uint32_t height;
    std::vector<std::uint8_t> data;
};

inline void put(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

inline std::vector<std::uint8_t> buildArchive(const std::vector<RawEntry>& entries, std::uint32_t decodedSize = 0) {
    std::vector<std::uint8_t> body;
    std::vector<std::uint32_t> offsets;
    std::uint32_t needed = 0;
    const std::uint32_t header = 8 + 4 * static_cast<std::uint32_t>(entries.size());
    for (const RawEntry& e : entries) {
        offsets.push_back(header + static_cast<std::uint32_t>(body.size()));
        put(body, e.format, 4);
        put(body, e.width, 4);
        put(body, e.height, 4);
        body.insert(body.end(), e.data.begin(), e.data.end());
        needed += 16 + 4 * e.width * e.height;
    }
    std::vector<std::uint8_t> out;
    put(out, decodedSize != 0 ? decodedSize : needed, 4);
    put(out, static_cast<std::uint32_t>(entries.size()), 4);
    for (std::uint32_t o : offsets) put(out, o, 4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// 24-bit run: marker, marker, pixel, count.
inline std::vector<std::uint8_t> run24(std::uint32_t pixel, std::uint32_t count) {
    std::vector<std::uint8_t> out;
    put(out, 0xFFFFFF, 3);
    put(out, 0xFFFFFF, 3);
    put(out, pixel, 3);
    put(out, count, 3);
    return out;
}

}  // namespace tevaro::viz::testing
