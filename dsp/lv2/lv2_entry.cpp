// The LV2 face of the live chain: instantiate allocates the one LiveChain, run hands it the
// port buffers and controls; nothing else happens on the audio thread.
#include <lv2/core/lv2.h>

#include <new>

#include "dsp/lv2/live_chain.h"
#include "dsp/lv2/surround_ports.h"

namespace tevaro::dsp::lv2 {
namespace {

struct Instance {
    LiveChain live;
    const float* in[2] = {};
    float* out[2] = {};
    const float* control[4] = {};  // surround, preset, quality, mute
    float* latency = nullptr;
};

// An unconnected control reads as its default.
float controlValue(const float* port, float fallback) { return port != nullptr ? *port : fallback; }

LV2_Handle instantiate(const LV2_Descriptor*, double, const char*, const LV2_Feature* const*) {
    return new (std::nothrow) Instance;
}

void connectPort(LV2_Handle handle, uint32_t port, void* data) {
    auto* self = static_cast<Instance*>(handle);
    switch (port) {
        case InLeft:
        case InRight:
            self->in[port - InLeft] = static_cast<const float*>(data);
            break;
        case OutLeft:
        case OutRight:
            self->out[port - OutLeft] = static_cast<float*>(data);
            break;
        case SurroundOn:
        case Preset:
        case Quality:
        case Mute:
            self->control[port - SurroundOn] = static_cast<const float*>(data);
            break;
        case Latency:
            self->latency = static_cast<float*>(data);
            break;
        default:
            break;
    }
}

void activate(LV2_Handle handle) { static_cast<Instance*>(handle)->live.activate(); }

void run(LV2_Handle handle, uint32_t frames) {
    auto* self = static_cast<Instance*>(handle);
    if (self->latency != nullptr) *self->latency = static_cast<float>(LiveChain::LatencyFrames);
    if (self->in[0] == nullptr || self->in[1] == nullptr || self->out[0] == nullptr || self->out[1] == nullptr) return;
    const LiveControls d = DefaultLiveControls;
    const LiveControls controls = controlsFromPorts(
        controlValue(self->control[0], d.surroundOn ? 1.0f : 0.0f), controlValue(self->control[1], float(d.preset)),
        controlValue(self->control[2], float(d.quality)), controlValue(self->control[3], d.mute ? 1.0f : 0.0f));
    self->live.run(self->in[0], self->in[1], self->out[0], self->out[1], frames, controls);
}

void deactivate(LV2_Handle) {}

void cleanup(LV2_Handle handle) { delete static_cast<Instance*>(handle); }

const void* extensionData(const char*) { return nullptr; }

const LV2_Descriptor descriptor = {PluginUri, instantiate, connectPort, activate,
                                   run,       deactivate,  cleanup,     extensionData};

}  // namespace
}  // namespace tevaro::dsp::lv2

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    return index == 0 ? &tevaro::dsp::lv2::descriptor : nullptr;
}
