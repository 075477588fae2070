#pragma once
// The control panel's rules without its windows: a plain state, the look every control shows for
// it, and one handler per event that changes the state and tells the Windows face what to carry
// out. The face turns messages into these calls and draws what look() says.
#include <array>
#include <cstdint>

#include "panel/model/control_ids.h"
#include "panel/model/hot_rules.h"
#include "panel/model/panel_layout.h"
#include "panel/model/panel_settings.h"
#include "panel/model/pixel_geometry.h"
#include "settings_link/settings_block.h"

namespace tevaro::panel {

struct PanelState : PanelChoices {
    bool dspEnabled = false;
    int autoLevel = LevelMin;        // the last processor rating; kept while Auto is off
    int presetImageBase = 0;         // 6p + 2 for the selected preset p
    int qualityImageOffset = 0;      // the auto level in Auto mode, 3 + the selected level by hand
    std::uint32_t settingsWord = 0;  // as read at start-up, then as last composed
};

// The image index of every control. The selected flags survive the dark and surround-off looks,
// so the user's choice comes back when the DSP is enabled or the switch is turned on again.
struct PanelLook {
    std::array<int, PresetCount> presets{};
    int surroundSwitch = 0;
    std::array<int, LevelCount> levels{};
    int autoMode = 0;
    int infoControl = 0;  // the look's first picture; the hot rule adds the press state
    int statusDisplay = 0;

    int imageOf(int controlId) const;  // -1 for an id that is not one of the panel's controls
    bool operator==(const PanelLook&) const = default;
};

PanelLook look(const PanelState& state);

// What the Windows face carries out, in the order the handlers call it. Two calls answer: the
// quality warning is modal (the level change waits for it and then proceeds), and the processor
// rating reads the system afresh on every call.
class PanelEffects {
public:
    virtual void publish(SettingsBlock::Slot slot, std::int32_t value) = 0;
    virtual void showDspInactiveDialog() = 0;
    // Shows QualityWarningDialog and answers its show-again value once the user has closed it.
    virtual bool askQualityWarning() = 0;
    virtual int processorRating() = 0;
    // Invalidates with erase and updates at once.
    virtual void repaint(PanelGroup group) = 0;
    virtual void repaintHostWindow() = 0;
    // Posted rather than painted: at start-up the host window is still being created.
    virtual void postHostPaint() = 0;
    virtual void openLink(LinkTarget target) = 0;
    virtual void openHelpWindow() = 0;
    virtual void openAboutBox() = 0;
    virtual void startTimer() = 0;
    virtual void killTimer() = 0;
    virtual void closeBlock() = 0;
    virtual void saveSettings(std::uint32_t word) = 0;

protected:
    ~PanelEffects() = default;
};

// settingsWord: what readSettingsWord gave; dspEnabled: the enable test. The settings block is
// already open. The rating runs only when the word has Auto on. `state` is complete before the
// first effect, so the face's repaints already draw the start-up look.
void startUp(PanelState& state, std::uint32_t settingsWord, bool dspEnabled, PanelEffects& effects);

// The 500 ms timer with a fresh enable test; the rating is never rerun here.
void timerTick(PanelState& state, bool dspEnabled, PanelEffects& effects);

// A button click (BN_CLICKED) of one of the panel's controls, with the pointer in that control's
// client coordinates. The status display acts on the press instead and ignores clicks.
void clickControl(PanelState& state, int controlId, PixelPoint pointer, PanelEffects& effects);

// The panel's window is going: the block closes first, then the composed word is saved, then the
// timer stops.
void shutDown(PanelState& state, PanelEffects& effects);

}  // namespace tevaro::panel
