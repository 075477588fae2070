#include "host_sim/ui/pointer_input.h"

namespace host_sim {
namespace {

bool sendButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return SendInput(1, &input, sizeof input) == 1;
}

}  // namespace

POINT screenPointOf(HWND window, POINT client) {
    ClientToScreen(window, &client);
    return client;
}

bool movePointer(HWND window, POINT client) {
    HWND top = GetAncestor(window, GA_ROOT);
    if (top != nullptr && GetForegroundWindow() != top) SetForegroundWindow(top);
    const POINT p = screenPointOf(window, client);
    return SetCursorPos(p.x, p.y) != FALSE;
}

bool pressLeftButton() { return sendButton(MOUSEEVENTF_LEFTDOWN); }
bool releaseLeftButton() { return sendButton(MOUSEEVENTF_LEFTUP); }

bool clickAt(HWND window, POINT client) {
    return movePointer(window, client) && pressLeftButton() && releaseLeftButton();
}

}  // namespace host_sim
