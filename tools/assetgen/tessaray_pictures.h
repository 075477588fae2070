#pragma once
#include <vector>

#include "tools/assetgen/archive_encoder.h"

namespace tevaro::assetgen {

// The 78 pictures of the block visualization's archive, entry 1 first.
std::vector<ArchivePicture> tessarayPictures();

}  // namespace tevaro::assetgen
