#pragma once
// The 16-bit processing chain the plug-in drives. Until the engine library is merged into this
// branch the plug-in builds against a copy-through chain with the same interface.
#if __has_include("dsp/engine/dsp_chain.h")
#include "dsp/engine/dsp_chain.h"
#define TEVARO_HAS_DSP_CHAIN 1
#else
#include <cstddef>
#include <cstdint>
#include <cstring>
namespace tevaro::dsp {
using SlotReader = std::int32_t (*)(void* context, int slot);
class DspChain {
public:
    void create(SlotReader, void*, std::uint32_t) {}
    void process16(const std::int16_t* in, std::int16_t* out, std::size_t samples, int, std::uint32_t) {
        std::memmove(out, in, samples * 2);
    }
};
}  // namespace tevaro::dsp
#endif
