// Prints a checksum of every second of a long synthetic programme run through the chain for each
// preset and quality. Built twice, optimised and at -O0 with the scalar filter kernel; the test
// that compares the two outputs guards against the optimiser or the vector kernels changing a
// single rounding.
#include <cstdint>
#include <cstdio>
#include <string>

#include "dsp/engine/offline/offline_render.h"
#include "dsp/engine/offline/presets.h"
#include "dsp/engine/offline/programmes.h"

int main() {
    using namespace tevaro::dsp;
    constexpr std::size_t secondFrames = 44100;
    const Programme in = steeringWorkout(4 * secondFrames);
    const std::size_t frames = in.size() / 2;
    for (const NamedFlag& preset : presetNames) {
        for (const NamedFlag& quality : qualityNames) {
            Programme out(in.size());
            renderProgramme(ChainSettings{preset.flag | quality.flag, true, false}, in.data(), out.data(), frames);
            for (std::size_t start = 0; start < frames; start += secondFrames) {
                std::uint64_t h = 1469598103934665603ull;
                for (std::size_t i = 2 * start; i < 2 * std::min(frames, start + secondFrames); ++i) {
                    h = (h ^ static_cast<std::uint16_t>(out[i])) * 1099511628211ull;
                }
                std::printf("%s %s %zu %016llx\n", std::string(preset.name).c_str(), std::string(quality.name).c_str(),
                            start / secondFrames, static_cast<unsigned long long>(h));
            }
        }
    }
    return 0;
}
