#pragma once
// The about box's pictures: the three logos on its lilac band, the three link labels, the pale
// background picture behind the credits, and the animation: the product's headphones with sound
// waves breathing out and in, fifteen seconds in 299 frames of 50 ms.
#include "tools/assetgen/avi_writer.h"
#include "tools/assetgen/panel_paint.h"

namespace tevaro::assetgen::panel {

Surface makerLogo();        // 183, 79 x 72
Surface spatioLogo();       // 143, 106 x 43
Surface panorixLogo();      // 172, 40 x 44
Surface linkLabel(int id);  // 487 maker 73 x 13, 488 licensor 88 x 13, 489 developer 120 x 13
Surface aboutBackground();  // 462, 211 x 192

// One frame of the animation, 80 x 60; `t` runs 0..1 over the clip.
Surface aboutAnimationFrame(double t);
// Every frame quantised to one palette of at most 256 colours.
AviClip aboutAnimation();

}  // namespace tevaro::assetgen::panel
