#pragma once
// The hot rules of the skin buttons, by control id: which picture a hot button draws for its
// pressed state and pointer, what a press over a link spot opens, and where the pointer becomes
// the hand. All rectangles are inclusive ranges in the control's own client coordinates.
#include <optional>
#include <span>

#include "panel/model/control_ids.h"
#include "panel/model/pixel_geometry.h"

namespace tevaro::panel {

// Pages handed to the shell; their addresses are configuration of the Windows face.
enum class LinkTarget { productHomepage, spatioPage, panorixPage, makerHomepage, licensorHomepage, developerHomepage };
inline constexpr int LinkTargetCount = 6;

// A spot that changes the picture while the button is held over it, and may open a page or
// scroll the help page on the press (while the button is drawn pushed, not on release).
struct PressSpot {
    InclusiveRect rect;
    int pictureOffset;  // added to the image index
    std::optional<LinkTarget> opens;
    std::optional<int> scrollsToRow = std::nullopt;  // a row of the help page, brought to the top
};

struct HotRule {
    int controlId;
    int releasedOffset;                // picture = image index + this while the button is not pressed
    int pressedOffset;                 // pressed with the pointer over none of the spots
    std::span<const PressSpot> spots;  // the first spot holding the pointer wins
    std::span<const InclusiveRect> handRects;
};

// nullptr for a control without rules: it draws its image index and keeps the pointer as it is.
const HotRule* findHotRule(int controlId);

struct HotPicture {
    int picture = 0;  // index into the button's bitmap list
    std::optional<LinkTarget> opens;
    std::optional<int> scrollsToRow;
};

HotPicture hotPicture(int controlId, int imageIndex, bool pressed, PixelPoint pointer);
bool showsHandPointer(int controlId, PixelPoint pointer);

// The Info control's spots, shared by its picture rule and its click rule.
inline constexpr InclusiveRect InfoHelpButtonRect = {6, 22, 81, 97};
inline constexpr InclusiveRect InfoAboutButtonRect = {71, 87, 81, 97};
inline constexpr InclusiveRect InfoLogoRect = {18, 74, 16, 74};

inline constexpr InclusiveRect StatusUpperLogoRect = {21, 54, 11, 29};  // the Spatio page
inline constexpr InclusiveRect StatusLowerLogoRect = {21, 54, 41, 69};  // the Panorix page

// Only a click inside it toggles the switch; the pointer keeps its shape there.
inline constexpr InclusiveRect SwitchHotRect = {41, 69, 9, 37};

// The Info control acts on release (button click), unlike the link pictures.
enum class InfoClick { nothing, openAboutBox, openHelpWindow, openProductHomepage };
InfoClick infoControlClick(PixelPoint pointer);

}  // namespace tevaro::panel
