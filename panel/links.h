#pragma once
// The pages the panel opens and how: handed to the shell with the verb "open"; a shell result of
// 32 or less counts as failure and shows ConnectionFailedDialog, owned by the active window.
#include <windows.h>

#include "panel/model/hot_rules.h"

namespace tevaro::panel {

// The addresses are configuration, kept here in one place.
const wchar_t* linkAddress(LinkTarget target);

// true when the shell took the page.
bool openLink(HWND owner, LinkTarget target);

}  // namespace tevaro::panel
