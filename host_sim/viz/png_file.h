#pragma once
// PNG files of captured frames, written without a compression library: stored deflate blocks,
// filter 0, 8-bit RGB. Bigger than compressed files, exact, and readable by every decoder.
#include <string>
#include <vector>

#include "host_sim/page_capture.h"

namespace host_sim {

bool writePng(const std::string& path, const Capture& picture);

// The frames as half-size thumbnails in rows of four on a dark ground.
Capture contactSheet(const std::vector<Capture>& frames);

}  // namespace host_sim
