#pragma once
// ControlPanel: the panel dialog (template 106) inside the host window. It turns messages into
// the portable model's events, carries out the effects the model asks for (publishing slots,
// dialogs, repaints, links, the timer, the registry) and shows what the model's look says.
#include <windows.h>
#include <commctrl.h>

#include <array>

#include "panel/about_box.h"
#include "panel/help_window.h"
#include "panel/model/control_panel_model.h"
#include "panel/skin_button.h"
#include "settings_link/settings_link.h"

struct IWMPCore;

namespace tevaro::panel {

class ControlPanel final : public PanelEffects {
public:
    explicit ControlPanel(IWMPCore* core);  // keeps a counted reference, never calls it
    ~ControlPanel();
    ControlPanel(const ControlPanel&) = delete;
    ControlPanel& operator=(const ControlPanel&) = delete;

    // The modeless child dialog of `host`; null when it cannot be created.
    HWND create(HWND host);
    HWND window() const { return window_; }
    const PanelState& state() const { return state_; }

    // PanelEffects
    void publish(SettingsBlock::Slot slot, std::int32_t value) override;
    void showDspInactiveDialog() override;
    bool askQualityWarning() override;
    int processorRating() override;
    void repaint(PanelGroup group) override;
    void repaintHostWindow() override;
    void postHostPaint() override;
    void openLink(LinkTarget target) override;
    void openHelpWindow() override;
    void openAboutBox() override;
    void startTimer() override;
    void killTimer() override;
    void closeBlock() override;
    void saveSettings(std::uint32_t word) override;

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM w, LPARAM l);
    INT_PTR handle(UINT message, WPARAM w, LPARAM l);
    void startUp();
    void createTooltips();
    void destroyTooltips();
    SkinButton* button(int controlId);
    // The buttons of one group take the images and selected flags of the current look.
    void showLook(PanelGroup group);

    HWND window_ = nullptr;
    IWMPCore* core_ = nullptr;
    PanelState state_;
    std::array<SkinButton, ControlCount> buttons_;  // in the order of the control table
    std::array<HWND, PanelTooltips.size()> tooltips_{};
    SettingsLink link_;
    HelpWindow helpWindow_;
    AboutBox aboutBox_;
};

}  // namespace tevaro::panel
