#include "panel/links.h"

#include <shellapi.h>

#include "panel/panel_dialogs.h"

namespace tevaro::panel {

const wchar_t* linkAddress(LinkTarget target) {
    switch (target) {
        case LinkTarget::productHomepage:
            return L"https://www.vardal-acoustics.example/tevaro-player/";
        case LinkTarget::spatioPage:
            return L"https://www.vardal-acoustics.example/spatio/";
        case LinkTarget::panorixPage:
            return L"https://www.vardal-acoustics.example/panorix/";
    }
    return L"https://www.vardal-acoustics.example/";
}

bool openLink(HWND owner, LinkTarget target) {
    const auto result =
        reinterpret_cast<INT_PTR>(ShellExecuteW(owner, L"open", linkAddress(target), nullptr, nullptr, SW_HIDE));
    if (result > 32) return true;
    showConnectionFailedDialog(GetActiveWindow());
    return false;
}

}  // namespace tevaro::panel
