#include "dsp/engine/tests/golden_renders.h"

#include "dsp/engine/offline/offline_render.h"
#include "dsp/engine/offline/presets.h"

namespace tevaro::dsp {

std::vector<GoldenCase> goldenCases() {
    std::vector<GoldenCase> cases;
    for (const NamedFlag& preset : presetNames) {
        for (const NamedFlag& quality : qualityNames) {
            cases.push_back({std::string(preset.name), std::string(quality.name), preset.flag | quality.flag});
        }
    }
    return cases;
}

const Programme& goldenProgramme() {
    static const Programme programme = steeringWorkout(44100);
    return programme;
}

Programme renderGolden(const GoldenCase& c) {
    const Programme& in = goldenProgramme();
    Programme out(in.size());
    renderProgramme(ChainSettings{c.word, true, false}, in.data(), out.data(), in.size() / 2);
    return out;
}

std::uint64_t goldenChecksum(const Programme& samples) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::int16_t s : samples) {
        for (int shift : {0, 8}) {
            h ^= static_cast<std::uint8_t>(static_cast<std::uint16_t>(s) >> shift);
            h *= 1099511628211ull;
        }
    }
    return h;
}

}  // namespace tevaro::dsp
