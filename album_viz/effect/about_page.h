#pragma once
#include <windows.h>

namespace tevaro::album {

// The effect's information page (dialog 106), modal over its owner and centred on it. The edit
// box shows `text` and, on OK, writes what was typed back into it (at most 259 characters).
void runAboutPage(HINSTANCE module, HWND owner, wchar_t (&text)[260]);

}  // namespace tevaro::album
