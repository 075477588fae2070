#pragma once
// The scripts `host_sim panel --script` runs: what a user does with the settings-area plug-in, one
// step a line ('#' starts a comment).
//
//   move ID X Y             pointer to client point (X, Y) of the plug-in's control ID
//   press | release         left button down / up where the pointer is
//   click ID X Y            move, press, release
//   enable true|false|none  the player's Enabled value of the DSP (none: removed)
//   wait MS                 let the player run for MS milliseconds
//   capture NAME            the settings area with the plug-in, into the capture folder as NAME.bmp
//   capture-dialog NAME TITLE…  a dialog of that title (waited for up to 5 s), likewise
//   dialog TITLE…           wait up to 5 s for a dialog of that title; print its texts
//   dialog-click ID TITLE…  a real click at the centre of control ID of that dialog
//   dialog-point X Y TITLE… a real click at client point (X, Y) of that dialog (help, about)
//   dialog-close TITLE…     the close box's request (SC_CLOSE) to that dialog
//   responsive              how long the player's UI thread takes to answer
#include <string>
#include <vector>

namespace host_sim {

struct ScriptStep {
    enum class Verb {
        move,
        press,
        release,
        click,
        enable,
        wait,
        capture,
        captureDialog,
        dialog,
        dialogClick,
        dialogPoint,
        dialogClose,
        responsive
    };
    Verb verb{};
    int line = 0;
    int control = 0;
    int x = 0, y = 0;
    int ms = 0;
    std::string text;  // enable's value, capture's name, the dialog's title
    std::string name;  // capture-dialog's file name
};

// false and a message naming the line on an unknown verb or wrong arguments.
bool parsePanelScript(const std::string& script, std::vector<ScriptStep>& steps, std::string& error);

}  // namespace host_sim
