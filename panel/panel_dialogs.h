#pragma once
// The panel's small modal dialogs. All three paint a white background with the product picture
// (bitmap 446) behind transparent texts.
#include <windows.h>

namespace tevaro::panel {

// "Tevaro Player SE DSP not activated": a setting was clicked while the player has the DSP off.
void showDspInactiveDialog(HWND owner);

// "Warning" before a higher quality is chosen by hand. Answers the show-again value: false once
// the user ticked "Don't show me this message again.", else `showAgain` as it came in.
bool showQualityWarningDialog(HWND owner, bool showAgain);

// "Connection failed", with the product homepage's address to type in by hand.
void showConnectionFailedDialog(HWND owner);

}  // namespace tevaro::panel
