#pragma once
// Finding a plug-in's windows the way a test player sees them: by control id anywhere below a
// window (the plug-in's own nesting is its business), and a dialog by its title.
#include <windows.h>

namespace host_sim {

// The first window below `root` (depth first) whose control id is `id`; null when there is none.
HWND findDescendant(HWND root, int id);

}  // namespace host_sim
