#include "tools/assetgen/panel_art.h"

#include <algorithm>

#include "tools/assetgen/about_pictures.h"
#include "tools/assetgen/help_pictures.h"
#include "tools/assetgen/panel_layout.h"
#include "tools/assetgen/panel_pictures.h"

namespace tevaro::assetgen::panel {

namespace {

using namespace ids;

const char* const ButtonStates[] = {"selected", "not selected", "disabled"};
const char* const LevelStates[] = {"by hand", "not selected", "disabled", "by Auto"};
const char* const OnOff[] = {"on", "off", "disabled"};
const char* const InfoLooks[] = {"active", "surround off", "DSP disabled"};
const char* const InfoPresses[] = {"help pressed", "about pressed", "released"};
const char* const Qualities[] = {"Min (Auto)", "Max (Auto)", "Mid (Auto)", "Min", "Max", "Mid"};

std::string statusCaption(int image) {
    if (image == 0) return "status: DSP disabled";
    if (image == 1) return "status: surround off";
    return std::string("status: ") + PresetLabels[(image - 2) / 6] + ", " + Qualities[(image - 2) % 6];
}

}  // namespace

std::vector<PanelBitmap> drawPanelArt() {
    std::vector<PanelBitmap> art;
    for (int preset = 0; preset < PresetCount; ++preset)
        for (int image = 0; image < 3; ++image)
            art.push_back({PresetFirst + 3 * preset + image,
                           std::string(PresetLabels[preset]) + ": " + ButtonStates[image],
                           presetButton(preset, image)});
    for (int image = 0; image < 3; ++image)
        art.push_back({SwitchFirst + image, std::string("surround switch: ") + OnOff[image], surroundSwitch(image)});
    for (int level = 0; level < LevelCount; ++level)
        for (int image = 0; image < 4; ++image)
            art.push_back({LevelFirst[level] + image, std::string(LevelLabels[level]) + ": " + LevelStates[image],
                           levelButton(level, image)});
    for (int image = 0; image < 3; ++image)
        art.push_back({AutoFirst + image, std::string("Auto: ") + OnOff[image], autoButton(image)});
    art.push_back({EnabledBackground, "background, DSP enabled", panelBackground(true)});
    art.push_back({DisabledBackground, "background, DSP disabled", panelBackground(false)});
    for (int image = 0; image < 9; ++image)
        art.push_back({InfoFirst + image, std::string("info: ") + InfoLooks[image / 3] + ", " + InfoPresses[image % 3],
                       infoControl(image)});
    for (int image = 0; image < 32; ++image)
        art.push_back({StatusFirst + image, statusCaption(image), statusDisplay(image)});
    art.push_back({DialogEmblem, "dialog emblem", dialogEmblem()});
    art.push_back({AboutMakerLogo, "about: maker logo", makerLogo()});
    art.push_back({AboutSpatioLogo, "about: Spatio logo", spatioLogo()});
    art.push_back({AboutPanorixLogo, "about: Panorix logo", panorixLogo()});
    art.push_back({AboutBackground, "about: background", aboutBackground()});
    for (int id = AboutLabelFirst; id < AboutLabelFirst + 3; ++id)
        art.push_back({id, "about: link label", linkLabel(id)});
    art.push_back({HelpHeader, helpCaption(HelpHeader), helpHeader()});
    art.push_back({HelpStrip, helpCaption(HelpStrip), helpStrip()});
    for (int id = HelpPictureFirst; id <= HelpPictureLast; ++id)
        if (id != HelpPictureGap) art.push_back({id, helpCaption(id), helpPicture(id)});
    std::sort(art.begin(), art.end(), [](const PanelBitmap& a, const PanelBitmap& b) { return a.id < b.id; });
    return art;
}

}  // namespace tevaro::assetgen::panel
