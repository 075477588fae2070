#include <gtest/gtest.h>

#include "classic_viz/framework/image_archive.h"
#include "tools/assetgen/archive_encoder.h"

namespace tevaro::assetgen {
namespace {

ArchivePicture mixedPicture(EntryFormat format) {
    // Runs, literals, white next to white (the run marker value) and a picture-long tail.
    ArchivePicture p;
    p.width = 7;
    p.height = 5;
    p.format = format;
    const std::uint32_t row[7] = {0xFFFFFF, 0xFFFFFF, 0x102030, 0x102030, 0x102030, 0xFFFFFF, 0x0000F8};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) p.pixels.push_back(y < 3 ? row[x] : 0x00F800);
    return p;
}

std::uint32_t quantised555(std::uint32_t p) { return p & 0xF8F8F8; }

TEST(ArchiveEncoder, EveryFormatRoundTripsThroughTheDecoder) {
    const EntryFormat formats[] = {EntryFormat::Rle24, EntryFormat::Raw24, EntryFormat::Rle16};
    std::vector<ArchivePicture> pictures;
    for (EntryFormat f : formats) pictures.push_back(mixedPicture(f));
    const std::vector<std::uint8_t> bytes = encodeArchive(pictures);

    viz::ImageArchive archive;
    ASSERT_TRUE(archive.decode(bytes.data(), bytes.size()));
    ASSERT_EQ(archive.count(), 3);
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const viz::ImageView v = archive.image(k + 1);
        ASSERT_TRUE(v);
        ASSERT_EQ(v.width, 7);
        ASSERT_EQ(v.height, 5);
        for (int i = 0; i < 35; ++i) {
            const std::uint32_t want = pictures[static_cast<std::size_t>(k)].pixels[static_cast<std::size_t>(i)];
            EXPECT_EQ(v.pixels[i], formats[k] == EntryFormat::Rle16 ? quantised555(want) : want) << i;
        }
    }
}

TEST(ArchiveEncoder, DeclaresTheDecodedSizeAndRefusesInconsistentPictures) {
    ArchivePicture p;
    p.width = 3;
    p.height = 2;
    p.pixels.assign(6, 0);
    const auto bytes = encodeArchive({p, p});
    const std::uint32_t declared = bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24;
    EXPECT_EQ(declared, 2u * (16 + 4 * 6));
    p.pixels.pop_back();
    EXPECT_THROW(encodeArchive({p}), std::invalid_argument);
}

TEST(ArchiveEncoder, SourceFormDefinesTheBytesAndTheirSize) {
    const std::string s = archiveSource({1, 2, 255}, "sample");
    EXPECT_NE(s.find("const unsigned char sample[] = {"), std::string::npos);
    EXPECT_NE(s.find("1,2,255,"), std::string::npos);
    EXPECT_NE(s.find("sampleSize = 3;"), std::string::npos);
}

}  // namespace
}  // namespace tevaro::assetgen
