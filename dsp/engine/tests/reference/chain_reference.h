#pragma once
// The plug-in's three stages on a 16-bit buffer, written plainly: the reverberator, the surround
// engine and the virtualiser stage routed by the settings word, each frame of the virtualiser
// stage one DualFir::process per input channel. It takes the words the panel writes (one preset
// bit, one quality bit, or the default word); mute, the switch and the refresh clock are left to
// the caller, which calls refresh() where the plug-in's chain would read the settings block.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "dsp/engine/dual_fir.h"
#include "dsp/engine/tests/reference/reverb_reference.h"
#include "dsp/engine/tests/reference/surround_reference.h"

namespace tevaro::dsp::reference {

struct VirtualiserReference {
    DualFir left, right;

    void reset();
    void process(std::uint32_t word, const std::int16_t* in, std::int16_t* out, std::size_t frames);
};

class ChainReference {
public:
    // Created with `word` in the settings block and refreshed once before the first buffer.
    explicit ChainReference(std::uint32_t word);

    // A settings refresh that reads a new word.
    void refresh(std::uint32_t newWord);
    void process(const std::int16_t* in, std::int16_t* out, std::size_t frames);

    const SurroundReference& surround() const { return *engine; }

private:
    std::uint32_t word;
    std::unique_ptr<ReverbReference> reverb = std::make_unique<ReverbReference>();
    std::unique_ptr<SurroundReference> engine = std::make_unique<SurroundReference>();
    VirtualiserReference virtualiser;
};

}  // namespace tevaro::dsp::reference
