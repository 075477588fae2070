#pragma once
// The control panel's bitmap resources: every id the panel loads, what it shows and its picture.
#include <string>
#include <vector>

#include "tools/assetgen/panel_paint.h"

namespace tevaro::assetgen::panel {

// Each control's images are consecutive resource ids from its first, in image-index order.
namespace ids {
inline constexpr int PresetFirst = 116;  // three per preset, presets in their order
inline constexpr int SwitchFirst = 131;
inline constexpr int LevelFirst[3] = {148, 152, 156};  // four each: Min, Max, Mid
inline constexpr int AutoFirst = 160;
inline constexpr int EnabledBackground = 264;
inline constexpr int DisabledBackground = 265;
inline constexpr int InfoFirst = 267;
inline constexpr int StatusFirst = 332;
inline constexpr int DialogEmblem = 446;
inline constexpr int AboutSpatioLogo = 143;
inline constexpr int AboutPanorixLogo = 172;
inline constexpr int AboutMakerLogo = 183;
inline constexpr int AboutBackground = 462;
inline constexpr int HelpHeader = 463;
inline constexpr int HelpStrip = 464;
inline constexpr int HelpPictureFirst = 465;
inline constexpr int HelpPictureLast = 485;
inline constexpr int HelpPictureGap = 475;   // no picture has it
inline constexpr int AboutLabelFirst = 487;  // maker, licensor, developer
inline constexpr int AboutAnimation = 490;   // the AVI, not a bitmap
}  // namespace ids

struct PanelBitmap {
    int id;
    std::string caption;  // what the picture shows, for the contact sheet
    Surface picture;
};

// Every bitmap in increasing id order.
std::vector<PanelBitmap> drawPanelArt();

}  // namespace tevaro::assetgen::panel
