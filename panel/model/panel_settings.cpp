#include "panel/model/panel_settings.h"

#include <optional>

#include "settings_link/settings_word.h"

namespace tevaro::panel {
namespace {

constexpr std::uint32_t WordBytes = 4;
constexpr std::uint32_t EnabledDataBytes = 5;  // four letters and the terminator

}  // namespace

std::uint32_t readSettingsWord(const ValueQuery& query) {
    std::optional<std::uint32_t> stored;
    if (query.keyOpened && query.valueRead && query.dataSize >= WordBytes && query.dataSize <= ValueBufferBytes) {
        const auto& d = query.data;
        stored = std::uint32_t{d[0]} | std::uint32_t{d[1]} << 8 | std::uint32_t{d[2]} << 16 | std::uint32_t{d[3]} << 24;
    }
    return settingsWordFromStore(stored);
}

bool dspEnabledFrom(const ValueQuery& query) {
    return query.keyOpened && query.valueRead && query.dataSize == EnabledDataBytes;
}

std::uint32_t composeSettingsWord(const PanelChoices& choices) {
    std::uint32_t word = 0;
    for (int p = 0; p < PresetCount; ++p) {
        if (choices.presetSelected[p]) word |= FlagRockPop << p;
    }
    for (int i = 0; i < LevelCount; ++i) {
        if (choices.levelSelected[i]) word |= FlagQualityMin << i;
    }
    if (choices.surroundOn) word |= FlagSurroundOn;
    if (choices.autoMode) word |= FlagAutoQuality;
    if (choices.showWarning) word |= FlagQualityWarning;
    return word;
}

}  // namespace tevaro::panel
