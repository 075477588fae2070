#include "host_sim/panel_writes.h"

#include "settings_link/settings_word.h"

namespace host_sim {

bool PanelWrites::start(std::uint32_t word, bool mute) {
    using S = tevaro::SettingsBlock;
    return write(S::mute, mute ? 1 : 0) && write(S::panelReady, 1) &&
           write(S::surroundOn, (word & tevaro::FlagSurroundOn) ? 1 : 0) &&
           write(S::settingsWord, static_cast<std::int32_t>(word & 0xFFFF));
}

bool PanelWrites::write(int slot, std::int32_t value) {
    if (!link_.available() && !link_.open()) return false;
    return link_.writeSlot(slot, value) == tevaro::SlotWriteResult::stored;
}

}  // namespace host_sim
