#pragma once
#include <string>
#include <vector>

#include "classic_viz/framework/pixels.h"

namespace tevaro::vizrender {

// A window-sized picture as the player's device context would hold it.
struct Screen {
    int width = 0, height = 0;
    std::vector<viz::Pixel> pixels;  // 0x00RRGGBB, top row first
};

bool writePng(const Screen& screen, const std::string& path);

// Thumbnails of the chosen frames in a grid, each labelled with its frame number.
bool writeContactSheet(const std::vector<Screen>& frames, const std::vector<int>& numbers, const std::string& title,
                       const std::string& path);

}  // namespace tevaro::vizrender
