#include "tools/assetgen/tessaray_pictures.h"

#include "tools/assetgen/cairo_picture.h"
#include "tools/assetgen/colour_strips.h"

namespace tevaro::assetgen {

namespace {

struct Size {
    int width, height;
};
constexpr Size brickShapes[10] = {{16, 86}, {40, 80}, {42, 37}, {60, 80}, {72, 48},
                                  {80, 11}, {80, 32}, {80, 80}, {28, 51}, {56, 28}};
// The blocks are recoloured every frame; a colour per set only helps when the archive is inspected.
constexpr std::uint32_t setColours[5] = {0xC04030, 0x40A050, 0x3060C0, 0xC0A030, 0x9040B0};

// Bands of unrelated colours: deep and bright blues, greens, oranges, yellows and greys, in a
// deliberately restless order, each band a different height, with a thin dark seam between bands.
ArchivePicture bandedStrip() {
    static const std::uint32_t bands[] = {
        0x0B1E5C, 0x2F6FE0, 0x1E8C3A, 0xF08A1C, 0xF5D533, 0x8A8F99, 0x0E3A8C, 0x7FD14B, 0xD9561E,
        0x4A4F5A, 0x58B8F0, 0xF2B630, 0x14602B, 0xC9CED6, 0x173C9E, 0xE86A10, 0xB9E05C, 0x2A2E38,
        0x3D8DE8, 0xFFE066, 0x6E7480, 0x0A4D20, 0xF7A440, 0x1B2A78, 0x9FD8F5, 0x5BA833,
    };
    constexpr int Bands = sizeof bands / sizeof bands[0];
    constexpr int Height = 1024;
    CairoPicture picture(1, Height);
    cairo_t* cr = picture.cr();
    int top = 0;
    for (int k = 0; k < Bands && top < Height; ++k) {
        const int height = k == Bands - 1 ? Height - top : 24 + (k * 37) % 35;
        const std::uint32_t c = bands[k];
        cairo_set_source_rgb(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0);
        cairo_rectangle(cr, 0, top, 1, height);
        cairo_fill(cr);
        cairo_set_source_rgb(cr, 0.04, 0.04, 0.06);
        cairo_rectangle(cr, 0, top + height - 2, 1, 2);
        cairo_fill(cr);
        top += height;
    }
    return picture.picture(EntryFormat::Rle24);
}

// Red, pink, pale cyan, cyan (about row 60), pale green, white (about 160), pale yellow, red.
ArchivePicture pastelStrip() {
    return verticalStrip(1, 255,
                         {{0, 0.95, 0.25, 0.25},
                          {20, 1.0, 0.62, 0.78},
                          {42, 0.70, 0.95, 0.97},
                          {60, 0.25, 0.90, 0.95},
                          {110, 0.68, 0.96, 0.66},
                          {160, 1.0, 1.0, 1.0},
                          {205, 1.0, 0.96, 0.62},
                          {254, 0.95, 0.25, 0.25},
                          {255, 0.95, 0.25, 0.25}},
                         EntryFormat::Raw24);
}

}  // namespace

std::vector<ArchivePicture> tessarayPictures() {
    std::vector<ArchivePicture> pictures;
    for (int set = 0; set < 5; ++set)  // 1..50
        for (const Size& s : brickShapes)
            pictures.push_back(solidPicture(s.width, s.height, setColours[set], EntryFormat::Rle16));
    for (int k = 0; k < 20; ++k)  // 51..70
        pictures.push_back(
            solidPicture(80, 80, 0x808080 + static_cast<std::uint32_t>(k) * 0x020202, EntryFormat::Rle16));
    pictures.push_back(solidPicture(28, 51, 0xA0A0A0, EntryFormat::Rle16));  // 71
    pictures.push_back(solidPicture(56, 28, 0xA0A0A0, EntryFormat::Rle16));  // 72
    // 73: the hue cycle backwards, blue about row 80, cyan 140, green 175, yellow 220.
    pictures.push_back(verticalStrip(1, 255, hueCycle(254, {40, 80, 140, 175, 220}, false), EntryFormat::Raw24));
    pictures.push_back(bandedStrip());                                                                             // 74
    pictures.push_back(pastelStrip());                                                                             // 75
    pictures.push_back(verticalStrip(1, 320, hueCycle(319, {53, 106, 160, 213, 266}, true), EntryFormat::Raw24));  // 76
    pictures.push_back(solidPicture(352, 320, 0, EntryFormat::Rle24));                                             // 77
    pictures.push_back(solidPicture(200, 200, 0xFFFFFF, EntryFormat::Rle24));                                      // 78
    return pictures;
}

}  // namespace tevaro::assetgen
