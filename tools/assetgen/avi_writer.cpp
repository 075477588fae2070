#include "tools/assetgen/avi_writer.h"

#include <cstring>

namespace tevaro::assetgen {
namespace {

class Riff {
public:
    void fourcc(const char* code) { bytes_.insert(bytes_.end(), code, code + 4); }
    void u16(std::uint32_t v) {
        bytes_.push_back(static_cast<unsigned char>(v & 0xFF));
        bytes_.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
    }
    void u32(std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void raw(const unsigned char* data, std::size_t n) { bytes_.insert(bytes_.end(), data, data + n); }
    // A chunk or list header with its size patched when it closes; answers where its data starts.
    std::size_t open(const char* id, const char* listType = nullptr) {
        fourcc(id);
        const std::size_t sizeAt = bytes_.size();
        u32(0);
        if (listType != nullptr) fourcc(listType);
        opened_.push_back(sizeAt);
        return sizeAt + 4;
    }
    void close() {
        const std::size_t sizeAt = opened_.back();
        opened_.pop_back();
        const auto size = static_cast<std::uint32_t>(bytes_.size() - sizeAt - 4);
        for (int i = 0; i < 4; ++i) bytes_[sizeAt + i] = static_cast<unsigned char>((size >> (8 * i)) & 0xFF);
        if (size % 2 != 0) bytes_.push_back(0);  // chunks are word-aligned; the pad is not counted
    }
    std::size_t size() const { return bytes_.size(); }
    std::vector<unsigned char> take() { return std::move(bytes_); }

private:
    std::vector<unsigned char> bytes_;
    std::vector<std::size_t> opened_;
};

constexpr std::uint32_t AvifHasIndex = 0x10;
constexpr std::uint32_t AviifKeyframe = 0x10;

}  // namespace

std::vector<unsigned char> encodeAvi(const AviClip& clip) {
    if (clip.width <= 0 || clip.height <= 0 || clip.frames.empty()) return {};
    const auto w = static_cast<std::uint32_t>(clip.width), h = static_cast<std::uint32_t>(clip.height);
    for (const auto& f : clip.frames)
        if (f.size() != static_cast<std::size_t>(w) * h) return {};
    const std::uint32_t stride = (w + 3) & ~3u;  // DIB rows end on a 4-byte boundary
    const std::uint32_t frameBytes = stride * h;
    const auto count = static_cast<std::uint32_t>(clip.frames.size());

    Riff r;
    r.open("RIFF", "AVI ");
    r.open("LIST", "hdrl");
    r.open("avih");
    r.u32(clip.microsecondsPerFrame);
    r.u32(static_cast<std::uint32_t>(static_cast<std::uint64_t>(frameBytes) * 1000000u /
                                     (clip.microsecondsPerFrame == 0 ? 1u : clip.microsecondsPerFrame)));
    r.u32(0);  // padding granularity
    r.u32(AvifHasIndex);
    r.u32(count);
    r.u32(0);  // initial frames
    r.u32(1);  // streams
    r.u32(frameBytes);
    r.u32(w);
    r.u32(h);
    for (int i = 0; i < 4; ++i) r.u32(0);
    r.close();
    r.open("LIST", "strl");
    r.open("strh");
    r.fourcc("vids");
    r.fourcc("DIB ");
    r.u32(0);                          // flags
    r.u16(0);                          // priority
    r.u16(0);                          // language
    r.u32(0);                          // initial frames
    r.u32(clip.microsecondsPerFrame);  // scale / rate = seconds per frame
    r.u32(1000000);
    r.u32(0);  // start
    r.u32(count);
    r.u32(frameBytes);
    r.u32(0xFFFFFFFFu);  // quality: default
    r.u32(0);            // sample size: frames vary in principle
    r.u16(0);
    r.u16(0);
    r.u16(w);
    r.u16(h);
    r.close();
    r.open("strf");
    r.u32(40);
    r.u32(w);
    r.u32(h);  // positive: rows bottom-up
    r.u16(1);
    r.u16(8);
    r.u32(0);  // BI_RGB
    r.u32(frameBytes);
    r.u32(0);
    r.u32(0);
    r.u32(256);
    r.u32(0);
    for (std::uint32_t c : clip.palette) {
        const unsigned char quad[4] = {static_cast<unsigned char>(c & 0xFF),
                                       static_cast<unsigned char>((c >> 8) & 0xFF),
                                       static_cast<unsigned char>((c >> 16) & 0xFF), 0};
        r.raw(quad, 4);
    }
    r.close();
    r.close();  // strl
    r.close();  // hdrl

    // Index offsets count from the 'movi' list type, as most readers expect.
    const std::size_t moviType = r.open("LIST", "movi");
    std::vector<std::uint32_t> offsets;
    std::vector<unsigned char> row(stride, 0);
    for (const auto& f : clip.frames) {
        offsets.push_back(static_cast<std::uint32_t>(r.size() - moviType));
        r.open("00db");
        for (std::uint32_t y = 0; y < h; ++y) {
            std::memcpy(row.data(), f.data() + static_cast<std::size_t>(h - 1 - y) * w, w);
            r.raw(row.data(), row.size());
        }
        r.close();
    }
    r.close();
    r.open("idx1");
    for (std::uint32_t offset : offsets) {
        r.fourcc("00db");
        r.u32(AviifKeyframe);
        r.u32(offset);
        r.u32(frameBytes);
    }
    r.close();
    r.close();  // RIFF
    return r.take();
}

}  // namespace tevaro::assetgen
