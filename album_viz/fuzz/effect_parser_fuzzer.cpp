// libFuzzer harness of the effect reader: any text must parse or be refused with a reason,
// without reading outside it, and what parses must hold only in-range references.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "album_viz/d3dx/effect_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tevaro::album::d3dx;
    const EffectParseResult r = parseEffect(reinterpret_cast<const char*>(data), size);
    if (!r.ok) {
        if (r.error.empty() || r.offset > size) std::abort();
        return 0;
    }
    const int parameters = static_cast<int>(r.effect.parameters.size());
    for (const EffectTechnique& t : r.effect.techniques)
        for (const EffectPass& p : t.passes)
            for (const StateAssignment& s : p.states)
                if (s.parameter >= parameters || s.stage < 0 || s.stage > EffectLimits::MaxStage) std::abort();
    return 0;
}
