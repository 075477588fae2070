#include "tools/assetgen/pulse_pictures.h"

#include "tools/assetgen/colour_strips.h"

namespace tevaro::assetgen {

namespace {

// Yellow paling to white, lavender, blue, purple into dark magenta, red, pink and white again,
// cyan, green-cyan and back to yellow: a slow fire-and-ice cycle for bars read from their start.
ArchivePicture emberStrip() {
    return verticalStrip(3, 1024,
                         {{0, 1.00, 0.86, 0.10},
                          {100, 1.00, 0.95, 0.55},
                          {200, 1.00, 1.00, 1.00},
                          {256, 0.78, 0.70, 1.00},
                          {384, 0.18, 0.30, 1.00},
                          {450, 0.50, 0.15, 0.80},
                          {500, 0.45, 0.02, 0.38},
                          {576, 0.95, 0.08, 0.10},
                          {680, 1.00, 0.52, 0.70},
                          {768, 1.00, 0.97, 0.98},
                          {880, 0.15, 0.92, 1.00},
                          {960, 0.20, 0.90, 0.62},
                          {1023, 1.00, 0.86, 0.10},
                          {1024, 1.00, 0.86, 0.10}},
                         EntryFormat::Raw24);
}

}  // namespace

std::vector<ArchivePicture> pulsePictures() {
    std::vector<ArchivePicture> pictures;
    pictures.push_back(solidPicture(352, 320, 0, EntryFormat::Rle24));       // 1: the painting surface, one run
    pictures.push_back(emberStrip());                                        // 2
    pictures.push_back(solidPicture(1, 256, 0x0000FF, EntryFormat::Rle16));  // 3: brush
    pictures.push_back(solidPicture(1, 320, 0x0000FF, EntryFormat::Rle16));  // 4: brush
    // 5: the hue cycle of the other strips, three equal columns (each row a run of three).
    pictures.push_back(verticalStrip(3, 320, hueCycle(319, {53, 106, 160, 213, 266}, true), EntryFormat::Rle24));
    pictures.push_back(solidPicture(352, 320, 0, EntryFormat::Rle16));  // 6
    return pictures;
}

}  // namespace tevaro::assetgen
