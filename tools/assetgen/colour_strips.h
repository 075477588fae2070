#pragma once
#include <vector>

#include "tools/assetgen/archive_encoder.h"

namespace tevaro::assetgen {

// A colour at a stored row of a strip (row 0 is the bottom row of the picture).
struct StripStop {
    double row;
    double r, g, b;  // 0..1
};

// A vertical gradient through the stops, drawn with cairo; every column the same.
ArchivePicture verticalStrip(int width, int height, const std::vector<StripStop>& stops, EntryFormat format);

// Stops of a fully saturated hue cycle from red over `rows` stored rows. Forward runs red, yellow,
// green, cyan, blue, magenta; backward runs red, magenta, blue, cyan, green, yellow. The key rows
// place the five turning points (blue, cyan, ... in the direction's order), and the cycle ends red.
std::vector<StripStop> hueCycle(double lastRow, const std::vector<double>& keyRows, bool forward);

// A solid rectangle (only its size matters where the scene recolours it).
ArchivePicture solidPicture(int width, int height, std::uint32_t colour, EntryFormat format);

}  // namespace tevaro::assetgen
