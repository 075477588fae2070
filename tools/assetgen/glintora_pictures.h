#pragma once
#include <vector>

#include "tools/assetgen/archive_encoder.h"

namespace tevaro::assetgen {

// The 72 pictures of the star-field visualization's archive, entry 1 first.
std::vector<ArchivePicture> glintoraPictures();

}  // namespace tevaro::assetgen
