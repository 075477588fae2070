#pragma once
#include <vector>

#include "tools/assetgen/panel_art.h"

namespace tevaro::assetgen::panel {

// A PNG for review: the panel assembled from its bitmaps on its background in its looks (active,
// surround off, DSP disabled) and then every bitmap with its id and what it shows.
bool writeContactSheet(const char* path, const std::vector<PanelBitmap>& art);

}  // namespace tevaro::assetgen::panel
