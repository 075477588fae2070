// The AVI writer's files as a reader walks them: the headers' numbers, the palette's byte order,
// frames bottom-up with padded rows, and an index whose offsets land on the frames' chunks.
#include "tools/assetgen/avi_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace tevaro::assetgen {
namespace {

std::uint32_t le32(const std::vector<unsigned char>& f, std::size_t at) {
    return f[at] | f[at + 1] << 8 | f[at + 2] << 16 | static_cast<std::uint32_t>(f[at + 3]) << 24;
}
std::uint16_t le16(const std::vector<unsigned char>& f, std::size_t at) {
    return static_cast<std::uint16_t>(f[at] | f[at + 1] << 8);
}
std::string tag(const std::vector<unsigned char>& f, std::size_t at) {
    return std::string(reinterpret_cast<const char*>(f.data() + at), 4);
}

// Where the chunk `id` (or list of type `id`) starts inside [from, to): the offset of its id.
std::size_t find(const std::vector<unsigned char>& f, std::size_t from, std::size_t to, const std::string& id) {
    for (std::size_t at = from; at + 8 <= to;) {
        const std::uint32_t size = le32(f, at + 4);
        if (tag(f, at) == id || (tag(f, at) == "LIST" && tag(f, at + 8) == id)) return at;
        at += 8 + size + (size & 1);
    }
    return std::string::npos;
}

// A 3 x 2 clip of two frames: rows of 3 bytes are padded to 4 in the file.
AviClip smallClip() {
    AviClip clip;
    clip.width = 3;
    clip.height = 2;
    clip.microsecondsPerFrame = 50000;
    clip.palette[0] = 0x112233;
    clip.palette[255] = 0xAABBCC;
    clip.frames = {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}};
    return clip;
}

TEST(AviWriter, HeadersNameTheClipsSizeTimingAndFrameCount) {
    const std::vector<unsigned char> f = encodeAvi(smallClip());
    ASSERT_GT(f.size(), 12u);
    ASSERT_EQ(tag(f, 0), "RIFF");
    EXPECT_EQ(le32(f, 4), f.size() - 8);
    ASSERT_EQ(tag(f, 8), "AVI ");
    const std::size_t hdrl = find(f, 12, f.size(), "hdrl");
    ASSERT_NE(hdrl, std::string::npos);
    const std::size_t hdrlEnd = hdrl + 8 + le32(f, hdrl + 4);
    const std::size_t avih = find(f, hdrl + 12, hdrlEnd, "avih");
    ASSERT_NE(avih, std::string::npos);
    ASSERT_EQ(le32(f, avih + 4), 56u);
    EXPECT_EQ(le32(f, avih + 8), 50000u) << "microseconds per frame";
    EXPECT_EQ(le32(f, avih + 8 + 12) & 0x10, 0x10u) << "AVIF_HASINDEX";
    EXPECT_EQ(le32(f, avih + 8 + 16), 2u) << "total frames";
    EXPECT_EQ(le32(f, avih + 8 + 24), 1u) << "streams";
    EXPECT_EQ(le32(f, avih + 8 + 32), 3u);
    EXPECT_EQ(le32(f, avih + 8 + 36), 2u);

    const std::size_t strl = find(f, hdrl + 12, hdrlEnd, "strl");
    ASSERT_NE(strl, std::string::npos);
    const std::size_t strh = find(f, strl + 12, hdrlEnd, "strh");
    ASSERT_NE(strh, std::string::npos);
    EXPECT_EQ(tag(f, strh + 8), "vids");
    EXPECT_EQ(tag(f, strh + 12), "DIB ");
    EXPECT_EQ(le32(f, strh + 8 + 20), 50000u) << "scale";
    EXPECT_EQ(le32(f, strh + 8 + 24), 1000000u) << "rate: 20 frames a second";
    EXPECT_EQ(le32(f, strh + 8 + 32), 2u) << "length";
    const std::size_t strf = find(f, strl + 12, hdrlEnd, "strf");
    ASSERT_NE(strf, std::string::npos);
    EXPECT_EQ(le32(f, strf + 4), 40u + 256u * 4u) << "the header and the whole palette";
    EXPECT_EQ(le32(f, strf + 8 + 4), 3u);
    EXPECT_EQ(le32(f, strf + 8 + 8), 2u) << "positive height: rows bottom-up";
    EXPECT_EQ(le16(f, strf + 8 + 14), 8u) << "bits per pixel";
    EXPECT_EQ(le32(f, strf + 8 + 16), 0u) << "BI_RGB";
    EXPECT_EQ(le32(f, strf + 8 + 32), 256u) << "colours used";
    const std::size_t palette = strf + 8 + 40;
    EXPECT_EQ(f[palette + 0], 0x33);  // blue, green, red, reserved
    EXPECT_EQ(f[palette + 1], 0x22);
    EXPECT_EQ(f[palette + 2], 0x11);
    EXPECT_EQ(f[palette + 255 * 4 + 0], 0xCC);
    EXPECT_EQ(f[palette + 255 * 4 + 2], 0xAA);
}

TEST(AviWriter, FramesAreBottomUpRowsAndTheIndexFindsEach) {
    const std::vector<unsigned char> f = encodeAvi(smallClip());
    const std::size_t movi = find(f, 12, f.size(), "movi");
    ASSERT_NE(movi, std::string::npos);
    const std::size_t moviEnd = movi + 8 + le32(f, movi + 4);
    const std::size_t idx1 = find(f, 12, f.size(), "idx1");
    ASSERT_NE(idx1, std::string::npos);
    ASSERT_EQ(le32(f, idx1 + 4), 2u * 16u);
    const unsigned char expected[2][8] = {{4, 5, 6, 0, 1, 2, 3, 0}, {10, 11, 12, 0, 7, 8, 9, 0}};
    for (std::size_t frame = 0; frame < 2; ++frame) {
        SCOPED_TRACE(frame);
        const std::size_t entry = idx1 + 8 + 16 * frame;
        EXPECT_EQ(tag(f, entry), "00db");
        EXPECT_EQ(le32(f, entry + 4), 0x10u) << "key frame";
        const std::size_t chunk = movi + 8 + le32(f, entry + 8);  // offsets count from the list type
        ASSERT_LE(chunk + 16, moviEnd);
        EXPECT_EQ(tag(f, chunk), "00db");
        ASSERT_EQ(le32(f, chunk + 4), 8u);
        EXPECT_EQ(le32(f, entry + 12), 8u);
        EXPECT_EQ(std::memcmp(f.data() + chunk + 8, expected[frame], 8), 0);
    }
}

TEST(AviWriter, RefusesClipsItCannotWrite) {
    AviClip none = smallClip();
    none.frames.clear();
    EXPECT_TRUE(encodeAvi(none).empty());
    AviClip shortFrame = smallClip();
    shortFrame.frames[1].pop_back();
    EXPECT_TRUE(encodeAvi(shortFrame).empty());
    AviClip flat = smallClip();
    flat.height = 0;
    EXPECT_TRUE(encodeAvi(flat).empty());
}

}  // namespace
}  // namespace tevaro::assetgen
