#pragma once
// Real pointer input on the virtual display: the pointer is moved with SetCursorPos and the left
// button pressed and released with SendInput, so the window system hit-tests it as a user's
// click (capture, pressed states, set-cursor requests and all).
#include <windows.h>

namespace host_sim {

POINT screenPointOf(HWND window, POINT client);
// The window's top-level ancestor is brought to the foreground first, as a user's click would.
bool movePointer(HWND window, POINT client);
bool pressLeftButton();
bool releaseLeftButton();
bool clickAt(HWND window, POINT client);

}  // namespace host_sim
