#include "dsp/engine/tests/reference/chain_reference.h"

#include <cmath>

#include "dsp/engine/coefficient_sets.h"

namespace tevaro::dsp::reference {
namespace {

std::int16_t toOutput(double v) {
    const double whole = std::trunc(v);
    if (whole < -32768.0) return -32768;
    if (whole > 32767.0) return 32767;
    return static_cast<std::int16_t>(whole);
}

struct FrontChoice {
    const CoefficientSet* set;
    int taps;
    double gain;
};

// Preset bits in the order 0x1, 0x2, 0x4, 0x8; within a preset Max (0x400), Mid (0x800), else Min.
bool chooseFront(std::uint32_t w, FrontChoice& c) {
    const bool max = (w & 0x400) != 0;
    const bool mid = !max && (w & 0x800) != 0;
    if (w & 0x1) {
        c = max ? FrontChoice{&frontRockPop128, 128, 2.5}
                : (mid ? FrontChoice{&frontRockPop96, 96, 2.1} : FrontChoice{&frontRockPop72, 72, 2.0});
    } else if (w & 0x2) {
        c = max ? FrontChoice{&frontClassic, 127, 2.0}
                : (mid ? FrontChoice{&frontClassic, 72, 2.0} : FrontChoice{&frontClassic, 72, 1.5});
    } else if (w & 0x4) {
        c = max ? FrontChoice{&frontJazz128, 128, 2.5}
                : (mid ? FrontChoice{&frontJazz96, 96, 2.1} : FrontChoice{&frontJazz72, 72, 2.0});
    } else if (w & 0x8) {
        c = max ? FrontChoice{&frontMovie, 127, 2.5}
                : (mid ? FrontChoice{&frontMovie, 72, 2.5} : FrontChoice{&frontMovie, 72, 2.0});
    } else {
        return false;
    }
    return true;
}

}  // namespace

void VirtualiserReference::reset() {
    left.reset();
    right.reset();
}

void VirtualiserReference::process(std::uint32_t w, const std::int16_t* in, std::int16_t* out, std::size_t frames) {
    for (std::size_t i = 0; i < frames; ++i) {
        std::int16_t* o = out + 2 * i;
        double d = o[0];
        double e = o[1];
        const double xL = in[2 * i];
        const double xR = in[2 * i + 1];
        double ll, lr, rl, rr;
        FrontChoice c;
        if (chooseFront(w, c)) {
            left.process(c.gain * xL, c.taps, c.set->filter(0), c.set->filter(1), ll, lr);
            right.process(c.gain * xR, c.taps, c.set->filter(2), c.set->filter(3), rl, rr);
            if (w & 0x200) d = e = 0.0;
        } else if (w & 0x10) {
            continue;  // the output is what the engine wrote
        } else {
            ll = xL;
            lr = xR;
            rl = rr = 0.0;
            d = e = 0.0;
        }
        o[0] = toOutput(ll + rl + d);
        o[1] = toOutput(lr + rr + e);
    }
}

ChainReference::ChainReference(std::uint32_t initialWord) : word(initialWord) {
    engine->reset();
    engine->setFlags(word);
    reverb->initialise();
    virtualiser.reset();
    refresh(word);
}

void ChainReference::refresh(std::uint32_t newWord) {
    word = newWord;
    engine->setFlags(word);
    reverb->configure(word);
}

void ChainReference::process(const std::int16_t* in, std::int16_t* out, std::size_t frames) {
    if ((word & 0x1D) && (word & 0xC00)) reverb->process(2 * frames, in, out);
    if ((word & 0xC00) || (word & 0x10)) engine->process(2 * frames, in, out);
    virtualiser.process(word, in, out, frames);
}

}  // namespace tevaro::dsp::reference
