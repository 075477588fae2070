#pragma once
// The block the control panel and the DSP share: 256 little-endian 32-bit slots in a named
// shared-memory object, written one slot at a time under a named mutex and read without it.
#include <cstddef>
#include <cstdint>

namespace tevaro {

struct SettingsBlock {
    static constexpr int slotCount = 256;
    static constexpr std::size_t byteSize = 1024;

    enum Slot : int {
        panelReady = 0,    // panel: nonzero once slots 2..4 hold valid settings
        dspAlive = 1,      // DSP: 1 when its plug-in object exists (nobody reads it)
        surroundOn = 2,    // panel: 1 process, 0 pass through
        settingsWord = 3,  // panel: preset and quality bits (settings_word.h)
        mute = 4,          // panel: nonzero silences 16-bit audio
    };

    // The kernel-object names both deliverables agree on, used without a namespace prefix.
    static constexpr const char* mappingName = "TarnwiseMappingObject";
    static constexpr const char* mutexName = "TarnwiseMutex";

    // A writer waits at most this long for the mutex, then drops its value.
    static constexpr std::uint32_t writeWaitMs = 5000;
};

static_assert(SettingsBlock::slotCount * sizeof(std::int32_t) == SettingsBlock::byteSize);

}  // namespace tevaro
