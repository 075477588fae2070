#pragma once
// The help window's pictures, which carry the manual: the page header, the side strip and the
// section pictures by bitmap id. The overview's labels and the link buttons are drawn exactly
// over the hot rectangles the panel's rules give them.
#include "tools/assetgen/panel_paint.h"

namespace tevaro::assetgen::panel {

Surface helpHeader();             // 463, 480 x 61
Surface helpStrip();              // 464, 14 x 647, the same in every row so its copies may overlap
Surface helpPicture(int id);      // 465..485 but 475
const char* helpCaption(int id);  // what the picture explains, for the contact sheet

}  // namespace tevaro::assetgen::panel
