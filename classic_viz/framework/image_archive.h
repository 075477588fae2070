#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "classic_viz/framework/pixels.h"

namespace tevaro::viz {

// Entry formats of an archive; any other value is read as 24-bit run-length.
enum ArchiveFormat : std::uint32_t {
    FormatRle16 = 0x16,
    FormatRle16Alt = 0xC16,
    FormatRaw24 = 0x24,
    FormatRle24 = 0xC24,
};

// A decoded image archive: the count, the entry offsets and per entry a 16-byte header (format 0x16
// or 0x24, width, height, the edge-pass stamp) followed by 32-bit opaque pixels, bottom row first.
// The archive bytes are shipped with the module but read as untrusted: every count, offset, size
// and run is checked against the input, and an entry that fails is kept as missing.
class ImageArchive {
public:
    // Largest decoded archive accepted, whatever its header claims.
    static constexpr std::size_t MaxDecodedBytes = 64u << 20;
    // Largest single picture, in pixels.
    static constexpr std::uint64_t MaxPicturePixels = 4096u * 4096u;

    // Decodes; returns false (and holds nothing) when the header itself is unusable. Throws
    // std::bad_alloc when memory runs out.
    bool decode(const std::uint8_t* bytes, std::size_t length);
    void clear();

    bool loaded() const { return loaded_; }
    int count() const { return count_; }
    // Image numbers start at 1; a missing, malformed or out-of-range entry gives an empty view.
    ImageView image(int number);

private:
    bool decodeEntry(const std::uint8_t* bytes, std::size_t length, std::size_t offset, std::size_t& used);

    std::vector<std::uint32_t> words_;  // count, offsets (in words), entries
    int count_ = 0;
    bool loaded_ = false;
};

}  // namespace tevaro::viz
