#include "panel/links.h"

#include <shellapi.h>

#include "com_support/com_module.h"
#include "panel/panel_dialogs.h"
#include "panel/resource.h"

namespace tevaro::panel {

std::wstring linkAddress(LinkTarget target) {
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadString answers a pointer into the resource itself, which is not
    // terminated: the length comes with it.
    const int length = LoadStringW(com_support::moduleInstance(), IDS_LINK_FIRST + static_cast<int>(target),
                                   reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

bool openLink(HWND owner, LinkTarget target) {
    const std::wstring address = linkAddress(target);
    const auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteW(owner, L"open", address.c_str(), nullptr, nullptr, SW_HIDE));
    if (result > 32) return true;
    showConnectionFailedDialog(GetActiveWindow());
    return false;
}

}  // namespace tevaro::panel
