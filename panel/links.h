#pragma once
// The pages the panel opens and how: handed to the shell with the verb "open"; a shell result of
// 32 or less counts as failure and shows ConnectionFailedDialog, owned by the active window.
#include <windows.h>

#include <string>

#include "panel/model/hot_rules.h"

namespace tevaro::panel {

// The addresses are configuration: the string table of the DLL holds them together (one string
// block, IDS_LINK_FIRST + target), so a distributor changes them in one place.
std::wstring linkAddress(LinkTarget target);

// true when the shell took the page.
bool openLink(HWND owner, LinkTarget target);

}  // namespace tevaro::panel
