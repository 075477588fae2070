#pragma once
// The panel's side of the settings block as host_sim plays it: the start-up writes in the panel's
// order, then single-slot changes. Holding the link keeps the block alive for the DSP.
#include <cstdint>

#include "settings_link/settings_link.h"

namespace host_sim {

class PanelWrites {
public:
    // mute 0 (or 1 for a muted run), panelReady 1, surroundOn from the word's switch bit, the word.
    bool start(std::uint32_t word, bool mute = false);
    bool write(int slot, std::int32_t value);

private:
    tevaro::SettingsLink link_;
};

}  // namespace host_sim
