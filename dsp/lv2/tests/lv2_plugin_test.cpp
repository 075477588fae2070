// The built plug-in loaded as an LV2 host loads it (dlopen, lv2_descriptor), processing a
// programme in the block sizes hosts use.
#include <dlfcn.h>
#include <lv2/core/lv2.h>

#include <gtest/gtest.h>

#include <vector>

#include "dsp/engine/offline/offline_render.h"
#include "dsp/engine/offline/programmes.h"
#include "dsp/lv2/live_controls.h"
#include "dsp/lv2/sample_bridge.h"
#include "dsp/lv2/surround_ports.h"
#include "dsp/lv2/tests/allocation_counter.h"
#include "settings_link/settings_word.h"

namespace tevaro::dsp {
namespace {

using namespace tevaro::dsp::lv2;

const LV2_Descriptor* loadDescriptor() {
    static void* module = dlopen(TEVARO_LV2_MODULE, RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) return nullptr;
    auto entry = reinterpret_cast<LV2_Descriptor_Function>(dlsym(module, "lv2_descriptor"));
    return entry != nullptr ? entry(0) : nullptr;
}

struct PluginFixture : ::testing::Test {
    static constexpr std::size_t frames = 2 * 4096 + 300;
    const LV2_Descriptor* descriptor = loadDescriptor();
    Programme music = demoProgramme(frames);
    std::vector<float> inLeft, inRight, outLeft, outRight;
    float surround = 1, preset = 4, quality = 2, mute = 0, latency = -1;

    void SetUp() override {
        ASSERT_NE(descriptor, nullptr) << dlerror();
        for (std::size_t i = 0; i < frames; ++i) {
            inLeft.push_back(floatFromSample16(music[2 * i]));
            inRight.push_back(floatFromSample16(music[2 * i + 1]));
        }
        outLeft.assign(frames, 0);
        outRight.assign(frames, 0);
    }

    LV2_Handle instantiate(bool connectControls = true) {
        const LV2_Feature* none[] = {nullptr};
        LV2_Handle h = descriptor->instantiate(descriptor, 44100.0, "", none);
        descriptor->connect_port(h, InLeft, inLeft.data());
        descriptor->connect_port(h, InRight, inRight.data());
        descriptor->connect_port(h, OutLeft, outLeft.data());
        descriptor->connect_port(h, OutRight, outRight.data());
        if (connectControls) {
            descriptor->connect_port(h, SurroundOn, &surround);
            descriptor->connect_port(h, Preset, &preset);
            descriptor->connect_port(h, Quality, &quality);
            descriptor->connect_port(h, Mute, &mute);
        }
        descriptor->connect_port(h, Latency, &latency);
        return h;
    }

    // One pass over the programme in blocks, the ports moved along the buffers as hosts do.
    Programme process(LV2_Handle h, std::size_t block) {
        descriptor->activate(h);
        for (std::size_t done = 0; done < frames; done += block) {
            const std::size_t n = std::min(block, frames - done);
            descriptor->connect_port(h, InLeft, &inLeft[done]);
            descriptor->connect_port(h, InRight, &inRight[done]);
            descriptor->connect_port(h, OutLeft, &outLeft[done]);
            descriptor->connect_port(h, OutRight, &outRight[done]);
            descriptor->run(h, static_cast<uint32_t>(n));
        }
        descriptor->deactivate(h);
        Programme out(music.size());
        for (std::size_t i = 0; i < frames; ++i) {
            out[2 * i] = sample16FromFloat(outLeft[i]);
            out[2 * i + 1] = sample16FromFloat(outRight[i]);
        }
        return out;
    }

    Programme offline(std::uint32_t word) const {
        Programme out(music.size());
        renderProgramme({word, true, false}, music.data(), out.data(), frames);
        return out;
    }
};

TEST_F(PluginFixture, OneDescriptorWithTheBundlesUri) {
    EXPECT_STREQ(descriptor->URI, PluginUri);
    void* module = dlopen(TEVARO_LV2_MODULE, RTLD_NOW | RTLD_NOLOAD);
    auto entry = reinterpret_cast<LV2_Descriptor_Function>(dlsym(module, "lv2_descriptor"));
    EXPECT_EQ(entry(1), nullptr);
}

TEST_F(PluginFixture, EveryBlockSizeGivesTevaroDspsOutputAndReportsTheLatency) {
    preset = 0;  // Rock/Pop at Max: every stage runs
    const Programme want = offline(FlagRockPop | FlagQualityMax);
    LV2_Handle h = instantiate();
    for (std::size_t block : {1u, 7u, 64u, 4096u}) {
        latency = -1;
        EXPECT_EQ(process(h, block), want) << "block " << block;
        EXPECT_EQ(latency, 220.0f);
    }
    descriptor->cleanup(h);
}

TEST_F(PluginFixture, UnconnectedControlsMeanTheDefaultsNeutralAtMax) {
    LV2_Handle h = instantiate(false);
    EXPECT_EQ(process(h, 512), offline(FlagNeutral | FlagQualityMax));
    descriptor->cleanup(h);
}

TEST_F(PluginFixture, RunAllocatesNothingNotEvenWhenItCreatesTheChainOrControlsChange) {
    LV2_Handle h = instantiate();
    descriptor->activate(h);
    const long before = tevaro::testing::allocationsSoFar();
    for (std::size_t done = 0, k = 0; done + 256 <= frames; done += 256, ++k) {
        preset = static_cast<float>(k % 5);
        quality = static_cast<float>(k % 3);
        mute = (k % 7 == 6) ? 1.0f : 0.0f;
        descriptor->connect_port(h, InLeft, &inLeft[done]);
        descriptor->connect_port(h, OutLeft, &outLeft[done]);
        descriptor->run(h, 256);
    }
    EXPECT_EQ(testing::allocationsSoFar() - before, 0);
    // The counter does see the module's allocations: a second instance is one.
    LV2_Handle other = instantiate();
    EXPECT_GT(testing::allocationsSoFar() - before, 0);
    descriptor->cleanup(other);
    descriptor->cleanup(h);
}

}  // namespace
}  // namespace tevaro::dsp
