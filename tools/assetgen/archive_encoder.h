#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace tevaro::assetgen {

// How an entry is stored: 16-bit 5-5-5 run-length, 24-bit raw, or 24-bit run-length.
enum class EntryFormat : std::uint32_t { Rle16 = 0x16, Raw24 = 0x24, Rle24 = 0xC24 };

// A picture for an image archive: 0x00RRGGBB pixels, bottom row first.
struct ArchivePicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    EntryFormat format = EntryFormat::Rle24;
};

// The archive the visualizations decode: decoded size, count, entry offsets, then each entry's
// format, width, height and data (little-endian).
std::vector<std::uint8_t> encodeArchive(const std::vector<ArchivePicture>& pictures);

// A C++ source defining `name` (the bytes) and `name`Size in namespace tevaro::viz.
std::string archiveSource(const std::vector<std::uint8_t>& bytes, const std::string& name);

}  // namespace tevaro::assetgen
