#pragma once
#include <vector>

#include "tools/assetgen/archive_encoder.h"

namespace tevaro::assetgen {

// The six pictures of the spectrum-bar visualizations' archive, entry 1 first.
std::vector<ArchivePicture> pulsePictures();

}  // namespace tevaro::assetgen
