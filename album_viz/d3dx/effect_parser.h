#pragma once
#include <cstddef>
#include <string>

#include "album_viz/d3dx/effect_description.h"

namespace tevaro::album::d3dx {

// Limits of what a parsed effect may hold; text beyond them is refused, not cut.
struct EffectLimits {
    static constexpr std::size_t MaxTextBytes = 64 * 1024;
    static constexpr std::size_t MaxParameters = 32;
    static constexpr std::size_t MaxTechniques = 16;
    static constexpr std::size_t MaxPasses = 8;
    static constexpr std::size_t MaxStatesPerPass = 96;
    static constexpr std::size_t MaxIdentifier = 64;
    static constexpr int MaxStage = 7;
};

struct EffectParseResult {
    bool ok = false;
    std::string error;       // what was wrong, empty on success
    std::size_t offset = 0;  // byte offset of the offending text
    EffectDescription effect;
};

// Reads effect text in the D3DX 8 syntax subset the scene uses: `matrix`, `texture` and `dword`
// parameter declarations, and `technique NAME { pass NAME { State[stage] = value; … } … }`, with
// // and /* */ comments. Values are numbers, names of the state's own value set (case does not
// matter), `|`-joined vertex-format flags, or `<parameter>`. The text is untrusted: any input
// gives either a description or a clear failure, never a read outside it.
EffectParseResult parseEffect(const char* text, std::size_t length);

}  // namespace tevaro::album::d3dx
