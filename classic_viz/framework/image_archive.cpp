#include "classic_viz/framework/image_archive.h"

#include <algorithm>

namespace tevaro::viz {

namespace {

constexpr std::size_t HeaderWords = 4;
constexpr std::uint32_t Missing = 0;  // offset word of an entry that did not decode

std::uint32_t read32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint32_t read24(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16;
}
std::uint32_t read16(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8;
}

// 5-5-5 to 8-8-8: each field lands in the top bits of its channel.
Pixel expand555(std::uint32_t p) { return ((p << 9) & 0xF80000u) | ((p << 6) & 0xF800u) | ((p << 3) & 0xF8u); }

// Reads from [data, end) into out[0..total); runs are cut at the picture's end, as the shipped
// archives end many pictures with a run one pixel too long. Returns false when the data ends first.
bool decodeRle16(const std::uint8_t* data, const std::uint8_t* end, Pixel* out, std::uint64_t total) {
    std::uint64_t written = 0;
    while (written < total) {
        if (end - data < 2) return false;
        const std::uint32_t word = read16(data);
        data += 2;
        if (word != 0xFFFF) {
            out[written++] = expand555(word);
            continue;
        }
        if (end - data < 6) return false;
        const Pixel pixel = expand555(read16(data));
        const std::uint64_t run = std::min<std::uint64_t>(read32(data + 2), total - written);
        data += 6;
        std::fill_n(out + written, run, pixel);
        written += run;
    }
    return true;
}

bool decodeRle24(const std::uint8_t* data, const std::uint8_t* end, Pixel* out, std::uint64_t total) {
    std::uint64_t written = 0;
    while (written < total) {
        if (end - data < 3) return false;
        const std::uint32_t value = read24(data);
        data += 3;
        const bool runFollows = value == 0xFFFFFF && end - data >= 9 && read24(data) == 0xFFFFFF;
        if (!runFollows) {
            out[written++] = value;
            continue;
        }
        const Pixel pixel = read24(data + 3);
        const std::uint64_t run = std::min<std::uint64_t>(read24(data + 6), total - written);
        data += 9;
        std::fill_n(out + written, run, pixel);
        written += run;
    }
    return true;
}

bool decodeRaw24(const std::uint8_t* data, const std::uint8_t* end, Pixel* out, std::uint64_t total) {
    if (static_cast<std::uint64_t>(end - data) / 3 < total) return false;
    for (std::uint64_t i = 0; i < total; ++i, data += 3) out[i] = read24(data);
    return true;
}

}  // namespace

void ImageArchive::clear() {
    words_.clear();
    words_.shrink_to_fit();
    count_ = 0;
    loaded_ = false;
}

bool ImageArchive::decode(const std::uint8_t* bytes, std::size_t length) {
    clear();
    if (bytes == nullptr || length < 8) return false;
    const std::uint64_t declared = read32(bytes);
    const std::uint64_t count = read32(bytes + 4);
    if (count == 0 || count > (length - 8) / 4) return false;

    // The header's decoded size is the budget the entries must fit in, as the shipped decoder
    // allocates exactly that; it is itself capped so a lying header cannot claim the address space.
    const std::uint64_t budgetWords = 1 + count + std::min<std::uint64_t>(declared, MaxDecodedBytes) / 4;
    words_.reserve(static_cast<std::size_t>(1 + count));
    words_.assign(static_cast<std::size_t>(1 + count), Missing);
    words_[0] = static_cast<std::uint32_t>(count);
    count_ = static_cast<int>(count);

    for (std::uint64_t k = 0; k < count; ++k) {
        const std::uint64_t offset = read32(bytes + 8 + 4 * k);
        if (offset > length || length - offset < 12) continue;
        const std::uint64_t width = read32(bytes + offset + 4);
        const std::uint64_t height = read32(bytes + offset + 8);
        if (width == 0 || height == 0 || width > MaxPicturePixels || height > MaxPicturePixels) continue;
        const std::uint64_t pixels = width * height;
        if (pixels > MaxPicturePixels || words_.size() + HeaderWords + pixels > budgetWords) continue;
        std::size_t used = 0;
        if (decodeEntry(bytes, length, static_cast<std::size_t>(offset), used))
            words_[1 + k] = static_cast<std::uint32_t>(used);
    }
    loaded_ = true;
    return true;
}

bool ImageArchive::decodeEntry(const std::uint8_t* bytes, std::size_t length, std::size_t offset, std::size_t& at) {
    const std::uint8_t* entry = bytes + offset;
    const std::uint32_t format = read32(entry);
    const std::uint32_t width = read32(entry + 4);
    const std::uint32_t height = read32(entry + 8);
    const std::uint64_t total = static_cast<std::uint64_t>(width) * height;

    at = words_.size();
    words_.resize(at + HeaderWords + static_cast<std::size_t>(total));
    const bool sixteen = format == FormatRle16 || format == FormatRle16Alt;
    words_[at + 0] = sixteen ? FormatRle16 : FormatRaw24;
    words_[at + 1] = width;
    words_[at + 2] = height;
    words_[at + 3] = 0;  // edge-pass stamp: never run yet

    Pixel* out = words_.data() + at + HeaderWords;
    const std::uint8_t* data = entry + 12;
    const std::uint8_t* end = bytes + length;
    bool complete = false;
    if (sixteen)
        complete = decodeRle16(data, end, out, total);
    else if (format == FormatRaw24)
        complete = decodeRaw24(data, end, out, total);
    else
        complete = decodeRle24(data, end, out, total);
    if (!complete) words_.resize(at);
    return complete;
}

ImageView ImageArchive::image(int number) {
    if (!loaded_ || number < 1 || number > count_) return {};
    const std::uint32_t at = words_[static_cast<std::size_t>(number)];
    if (at == Missing) return {};
    std::uint32_t* header = words_.data() + at;
    return ImageView{header + HeaderWords, static_cast<int>(header[1]), static_cast<int>(header[2]),
                     reinterpret_cast<std::int32_t*>(header + 3)};
}

}  // namespace tevaro::viz
