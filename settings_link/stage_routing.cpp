#include "settings_link/stage_routing.h"

#include <bit>

#include "settings_link/settings_word.h"

namespace tevaro {

StageRouting routeStages(std::uint32_t word) {
    const std::uint32_t preset = word & PresetMask;
    const std::uint32_t quality = word & QualityMask;
    StageRouting r;
    if (std::popcount(preset) != 1 || (preset != FlagNeutral && quality == 0)) {
        r.passThrough = true;
        return r;
    }
    const bool neutral = preset == FlagNeutral;
    r.roomReverb = (word & FilteringOrNeutralMask) != 0 && (word & MidOrMaxMask) != 0;
    if ((word & MidOrMaxMask) != 0 || neutral) {
        r.engine = neutral ? EngineBranch::room : EngineBranch::virtualiser;
    }
    r.virtualiserStage = !neutral;
    r.addsEarlierStages = !neutral && (word & FlagQualityMin) == 0;
    return r;
}

}  // namespace tevaro
