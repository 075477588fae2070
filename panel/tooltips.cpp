#include "panel/tooltips.h"

#include <commctrl.h>

#include <string>

#include "com_support/com_module.h"

namespace tevaro::panel {

HWND addTooltip(HWND owner, const TooltipSpec& spec, UINT_PTR toolId) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    if (!InitCommonControlsEx(&classes)) return nullptr;
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                               com_support::moduleInstance(), nullptr);
    if (tip == nullptr) return nullptr;
    wchar_t text[128];
    MultiByteToWideChar(CP_UTF8, 0, spec.text, -1, text, 128);
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // the size comctl32 version 5 accepts as well
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = toolId;
    tool.rect = {spec.rect.left, spec.rect.top, spec.rect.right, spec.rect.bottom};
    tool.hinst = com_support::moduleInstance();
    tool.lpszText = text;
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return tip;
}

}  // namespace tevaro::panel
