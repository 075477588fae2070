#pragma once
#include <cstddef>

namespace tevaro::viz {

// The image archive the two spectrum-bar visualizations ship (the same bytes in both), as generated
// by tools/assetgen (linked from target pulse_archive in native builds).
extern const unsigned char pulseArchive[];
extern const std::size_t pulseArchiveSize;

}  // namespace tevaro::viz
