#pragma once
// The control panel's bitmap resources: every id the panel loads, what it shows and its picture.
#include <string>
#include <vector>

#include "tools/assetgen/panel_paint.h"

namespace tevaro::assetgen::panel {

struct PanelBitmap {
    int id;
    std::string caption;  // what the picture shows, for the contact sheet
    Surface picture;
};

// Every bitmap in increasing id order.
std::vector<PanelBitmap> drawPanelArt();

}  // namespace tevaro::assetgen::panel
