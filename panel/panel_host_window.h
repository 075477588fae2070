#pragma once
// PanelHostWindow: the plug-in's own child window in the player's settings area. It tiles the
// background that says whether the player has the DSP enabled and hosts the panel dialog, which
// it places at (7, 7) on every paint.
#include <windows.h>

#include <memory>

struct IWMPCore;

namespace tevaro::panel {

class ControlPanel;

class PanelHostWindow {
public:
    explicit PanelHostWindow(IWMPCore* core);  // the owner's core, handed on to the panel
    ~PanelHostWindow();
    PanelHostWindow(const PanelHostWindow&) = delete;
    PanelHostWindow& operator=(const PanelHostWindow&) = delete;

    // A visible child of `parent` at (0, 0)-(100, 100); null when the window cannot be made.
    HWND create(HWND parent);
    HWND window() const { return window_; }
    ControlPanel* panel() const { return panel_.get(); }

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    void createPanel();
    void paint();
    // The tiled background; shared by the paint and by WM_PRINTCLIENT.
    void drawBackground(HDC dc) const;

    IWMPCore* core_;  // not counted here: the panel keeps its own reference
    HWND window_ = nullptr;
    std::unique_ptr<ControlPanel> panel_;
    HWND panelWindow_ = nullptr;
    bool dspEnabled_ = false;  // the last enable test, refreshed at every paint
};

}  // namespace tevaro::panel
