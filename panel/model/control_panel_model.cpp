#include "panel/model/control_panel_model.h"

#include "settings_link/settings_word.h"

namespace tevaro::panel {
namespace {

// Image indices of the plain buttons (presets, switch, levels, Auto).
constexpr int ImageSelected = 0;  // lamp lit, switch on, Auto on, level chosen by hand
constexpr int ImageNotSelected = 1;
constexpr int ImageDark = 2;          // the DSP is disabled
constexpr int ImageChosenByAuto = 3;  // level buttons only

// The Info control's looks, three pictures each.
constexpr int InfoActive = 0;
constexpr int InfoSurroundOff = 3;
constexpr int InfoDark = 6;

// The status display's two fixed pictures; 2..31 are preset image base + quality image offset.
constexpr int StatusDark = 0;
constexpr int StatusEmpty = 1;

constexpr int HandLevelOffset = 3;  // quality image offset 3 + level by hand, the auto level itself below 3

constexpr int presetImageBaseOf(int preset) { return 6 * preset + 2; }

int lit(bool selected) { return selected ? ImageSelected : ImageNotSelected; }

// Load state takes the highest of several bits; a validated word has exactly one.
template <std::size_t N>
int highestSelected(const std::array<bool, N>& selected) {
    for (int i = static_cast<int>(N) - 1; i >= 0; --i) {
        if (selected[i]) return i;
    }
    return -1;
}

void repaintThreeGroups(PanelEffects& effects) {
    effects.repaint(PanelGroup::presets);
    effects.repaint(PanelGroup::levels);
    effects.repaint(PanelGroup::statusDisplay);
}

void composeAndPublish(PanelState& s, PanelEffects& effects) {
    s.settingsWord = composeSettingsWord(s);
    effects.publish(SettingsBlock::settingsWord, settingsSlotValue(s.settingsWord));
}

void selectOnlyLevel(PanelState& s, int level) {
    s.levelSelected = {};
    s.levelSelected[level] = true;
}

// The face's rating always answers a level; anything else is read as the cheapest one rather
// than used as an index.
int rateSafely(PanelEffects& effects) {
    const int level = effects.processorRating();
    return level >= 0 && level < LevelCount ? level : LevelMin;
}

void clickSwitch(PanelState& s, PixelPoint pointer, PanelEffects& effects) {
    if (!SwitchHotRect.contains(pointer)) return;
    if (!s.dspEnabled) {
        effects.showDspInactiveDialog();
        return;
    }
    s.surroundOn = !s.surroundOn;
    effects.publish(SettingsBlock::surroundOn, s.surroundOn ? 1 : 0);
    if (s.surroundOn && s.autoMode) s.qualityImageOffset = s.autoLevel;
    // The word is not republished: its surround bit reaches the registry at close.
    repaintThreeGroups(effects);
}

void clickPreset(PanelState& s, int preset, PanelEffects& effects) {
    if (!s.dspEnabled) {
        effects.showDspInactiveDialog();
        return;
    }
    if (!s.surroundOn || s.presetSelected[preset]) return;
    s.presetSelected = {};
    s.presetSelected[preset] = true;
    s.presetImageBase = presetImageBaseOf(preset);
    composeAndPublish(s, effects);
    effects.repaint(PanelGroup::presets);
    effects.repaint(PanelGroup::statusDisplay);
}

void clickAuto(PanelState& s, PanelEffects& effects) {
    if (!s.dspEnabled) {
        effects.showDspInactiveDialog();
        return;
    }
    if (!s.surroundOn) return;
    s.autoMode = !s.autoMode;
    if (s.autoMode) {
        s.autoLevel = rateSafely(effects);
        selectOnlyLevel(s, s.autoLevel);
        s.qualityImageOffset = s.autoLevel;
    } else {
        // The level Auto had chosen becomes the one selected by hand.
        const int level = highestSelected(s.levelSelected);
        if (level >= 0) s.qualityImageOffset = HandLevelOffset + level;
    }
    composeAndPublish(s, effects);
    effects.repaint(PanelGroup::levels);
    effects.repaint(PanelGroup::statusDisplay);
}

void clickLevel(PanelState& s, int level, PanelEffects& effects) {
    if (!s.dspEnabled) {
        effects.showDspInactiveDialog();
        return;
    }
    if (!s.surroundOn) return;
    s.autoMode = false;
    // Only a raise warns: to Max from anything but Max, to Mid from Min.
    const bool raises =
        (level == LevelMax && !s.levelSelected[LevelMax]) || (level == LevelMid && s.levelSelected[LevelMin]);
    // The dialog runs a nested message loop in which the timer may change the state; everything
    // after it reads the state afresh.
    if (raises && s.showWarning) s.showWarning = effects.askQualityWarning();
    selectOnlyLevel(s, level);
    s.qualityImageOffset = HandLevelOffset + level;
    effects.repaint(PanelGroup::levels);
    effects.repaint(PanelGroup::statusDisplay);
    composeAndPublish(s, effects);
}

void clickInfoControl(PixelPoint pointer, PanelEffects& effects) {
    switch (infoControlClick(pointer)) {
        case InfoClick::openAboutBox:
            effects.openAboutBox();
            break;
        case InfoClick::openHelpWindow:
            effects.openHelpWindow();
            break;
        case InfoClick::openProductHomepage:
            effects.openLink(LinkTarget::productHomepage);
            break;
        case InfoClick::nothing:
            break;
    }
}

}  // namespace

int PanelLook::imageOf(int controlId) const {
    if (controlId >= FirstPresetId && controlId < FirstPresetId + PresetCount)
        return presets[controlId - FirstPresetId];
    if (controlId >= FirstLevelId && controlId < FirstLevelId + LevelCount) return levels[controlId - FirstLevelId];
    switch (controlId) {
        case SwitchId:
            return surroundSwitch;
        case AutoId:
            return autoMode;
        case InfoControlId:
            return infoControl;
        case StatusDisplayId:
            return statusDisplay;
        default:
            return -1;
    }
}

PanelLook look(const PanelState& s) {
    PanelLook l;
    if (!s.dspEnabled) {
        l.presets.fill(ImageDark);
        l.levels.fill(ImageDark);
        l.surroundSwitch = l.autoMode = ImageDark;
        l.infoControl = InfoDark;
        l.statusDisplay = StatusDark;
        return l;
    }
    if (!s.surroundOn) {
        l.presets.fill(ImageNotSelected);
        l.levels.fill(ImageNotSelected);
        l.surroundSwitch = l.autoMode = ImageNotSelected;
        l.infoControl = InfoSurroundOff;
        l.statusDisplay = StatusEmpty;
        return l;
    }
    for (int p = 0; p < PresetCount; ++p) l.presets[p] = lit(s.presetSelected[p]);
    for (int i = 0; i < LevelCount; ++i) l.levels[i] = lit(s.levelSelected[i]);
    if (s.autoMode && s.autoLevel >= 0 && s.autoLevel < LevelCount) l.levels[s.autoLevel] = ImageChosenByAuto;
    l.surroundSwitch = ImageSelected;
    l.autoMode = lit(s.autoMode);
    l.infoControl = InfoActive;
    l.statusDisplay = s.presetImageBase + s.qualityImageOffset;
    return l;
}

void startUp(PanelState& s, std::uint32_t settingsWord, bool dspEnabled, PanelEffects& effects) {
    s = PanelState{};
    s.dspEnabled = dspEnabled;
    s.settingsWord = settingsWord;
    s.surroundOn = (settingsWord & FlagSurroundOn) != 0;
    s.autoMode = (settingsWord & FlagAutoQuality) != 0;
    s.showWarning = (settingsWord & FlagQualityWarning) != 0;
    if (s.autoMode) {
        s.autoLevel = rateSafely(effects);
        selectOnlyLevel(s, s.autoLevel);
        s.qualityImageOffset = s.autoLevel;
    } else {
        for (int i = 0; i < LevelCount; ++i) s.levelSelected[i] = (settingsWord & (FlagQualityMin << i)) != 0;
        const int level = highestSelected(s.levelSelected);
        if (level >= 0) s.qualityImageOffset = HandLevelOffset + level;
    }
    for (int p = 0; p < PresetCount; ++p) s.presetSelected[p] = (settingsWord & (FlagRockPop << p)) != 0;
    const int preset = highestSelected(s.presetSelected);
    if (preset >= 0) s.presetImageBase = presetImageBaseOf(preset);

    repaintThreeGroups(effects);
    effects.startTimer();

    effects.publish(SettingsBlock::mute, 0);
    effects.publish(SettingsBlock::panelReady, 1);
    if (s.surroundOn) effects.publish(SettingsBlock::surroundOn, 1);
    // The word as read, not recomposed: the default word goes out without a level bit.
    effects.publish(SettingsBlock::settingsWord, settingsSlotValue(s.settingsWord));

    effects.postHostPaint();
}

void timerTick(PanelState& s, bool dspEnabled, PanelEffects& effects) {
    if (dspEnabled == s.dspEnabled) return;
    s.dspEnabled = dspEnabled;
    repaintThreeGroups(effects);
    effects.repaintHostWindow();
}

void clickControl(PanelState& s, int controlId, PixelPoint pointer, PanelEffects& effects) {
    if (controlId >= FirstPresetId && controlId < FirstPresetId + PresetCount) {
        clickPreset(s, controlId - FirstPresetId, effects);
    } else if (controlId >= FirstLevelId && controlId < FirstLevelId + LevelCount) {
        clickLevel(s, controlId - FirstLevelId, effects);
    } else if (controlId == SwitchId) {
        clickSwitch(s, pointer, effects);
    } else if (controlId == AutoId) {
        clickAuto(s, effects);
    } else if (controlId == InfoControlId) {
        clickInfoControl(pointer, effects);
    }
}

void shutDown(PanelState& s, PanelEffects& effects) {
    effects.closeBlock();
    s.settingsWord = composeSettingsWord(s);
    effects.saveSettings(s.settingsWord);
    effects.killTimer();
}

}  // namespace tevaro::panel
