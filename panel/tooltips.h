#pragma once
// The tooltips of the panel and the about box: one tooltip window per row, subclassing the window
// it belongs to, owned by that window's top-level ancestor.
#include <windows.h>

#include "panel/model/panel_layout.h"

namespace tevaro::panel {

// null when the common controls or the window cannot be had.
HWND addTooltip(HWND owner, const TooltipSpec& spec, UINT_PTR toolId);

}  // namespace tevaro::panel
