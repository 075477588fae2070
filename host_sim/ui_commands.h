#pragma once
// host_sim's user-interface plug-in commands.

namespace host_sim {

// host_sim panel [--enable true|false|none] [--settings WORD|none] [--script FILE] [--capture DIR]:
// the settings-area plug-in in a player window, driven by a script of user actions (see
// ui/panel_script.h); prints the slots it wrote and, after Destroy, the registry word.
int runPanel(int argc, char** argv);

}  // namespace host_sim
