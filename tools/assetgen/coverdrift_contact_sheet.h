#pragma once
#include <vector>

#include "tools/assetgen/coverdrift_pictures.h"

namespace tevaro::assetgen::coverdrift {

// A PNG for review: the scene as the effect composes it (sky, clouds through the opacity rule, the
// band with bars at rest and lit, the cover panel's frames around a cover), then every picture on
// its own, small ones enlarged, each with its name.
bool writeContactSheet(const char* path, const std::vector<Picture>& pictures);

}  // namespace tevaro::assetgen::coverdrift
