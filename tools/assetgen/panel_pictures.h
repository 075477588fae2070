#pragma once
// Every picture of the control panel. Image numbers are the controls' image indexes: what the panel
// shows in each state of a control.
#include "tools/assetgen/panel_paint.h"

namespace tevaro::assetgen::panel {

Surface surroundSwitch(int image);            // 0 on, 1 off, 2 disabled
Surface presetButton(int preset, int image);  // 0 selected, 1 not selected, 2 disabled
Surface levelButton(int level, int image);    // 0 chosen by hand, 1 not chosen, 2 disabled, 3 chosen by Auto
Surface autoButton(int image);                // 0 on, 1 off, 2 disabled
Surface infoControl(int image);               // look × 3 + press state (see panel_info.cpp)
Surface statusDisplay(int image);             // 0 DSP disabled, 1 surround off, 2.. preset × 6 + quality
Surface panelBackground(bool dspEnabled);     // the tile behind the panel
Surface dialogEmblem();                       // the picture of the panel's two small dialogs, on white

// The product's headphones, centred on (cx, cy); `size` 1 is the info logo's. `lit` gives the ear
// cups their blue lamps.
void headphones(cairo_t* cr, double cx, double cy, double size, bool lit, bool dark);

// A control's picture before its own parts: the faceplate under its place in the panel.
Surface controlBase(int panelX, int panelY, int width, int height, bool dark);

}  // namespace tevaro::assetgen::panel
