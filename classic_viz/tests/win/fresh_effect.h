#pragma once
// A visualization DLL loaded afresh for one test, its object made through the DLL's own class
// factory, and the same effect's engine run directly in this process beside it. A fresh load
// starts the module's random source at 1, as the reference engine's own source starts, so both
// draw the same frames from the same levels.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "classic_viz/framework/effect_core.h"
#include "classic_viz/emberlux/emberlux_scene.h"
#include "classic_viz/glintora/glintora_scene.h"
#include "classic_viz/tessaray/tessaray_scene.h"
#include "classic_viz/throbwave/throbwave_scene.h"
#include "com_support/wmp_effects.h"
#include "effect_test_support.h"

namespace tevaro::viz::test {

struct EngineRow {
    const EffectRow* effect;
    const wchar_t* archiveResource;
    EffectDescription (*describe)(const std::uint8_t* archive, std::size_t length);
    std::unique_ptr<SceneScript> (*makeScript)();
};

inline void PrintTo(const EngineRow& row, std::ostream* out) { *out << row.effect->name; }

// Each DLL of EffectDlls beside its engine: the archive it carries and its scene.
inline const EngineRow EngineRows[] = {
    {&EffectDlls[0], L"DATATABLE_5", &glintoraDescription,
     [] { return std::unique_ptr<SceneScript>(new GlintoraScene); }},
    {&EffectDlls[1], L"DATATABLE_3", &tessarayDescription,
     [] { return std::unique_ptr<SceneScript>(new TessarayScene); }},
    {&EffectDlls[2], L"DATATABLE_2", &pulseDescription,
     [] { return std::unique_ptr<SceneScript>(new ThrobwaveScene); }},
    {&EffectDlls[3], L"DATATABLE_2", &pulseDescription, [] { return std::unique_ptr<SceneScript>(new EmberluxScene); }},
};

inline std::string engineRowName(const testing::TestParamInfo<EngineRow>& info) { return info.param.effect->name; }

// The DLL loaded by path for the test's lifetime; asserts that no earlier load is still alive.
class FreshEffect {
public:
    explicit FreshEffect(const EffectRow& row);
    ~FreshEffect();
    FreshEffect(const FreshEffect&) = delete;
    FreshEffect& operator=(const FreshEffect&) = delete;

    IWMPEffects* effect() const { return effect_; }
    HMODULE module() const { return module_; }
    // The DLL's own archive resource, as its engine reads it.
    std::span<const std::uint8_t> resource(const wchar_t* name) const;

private:
    HMODULE module_ = nullptr;
    IWMPEffects* effect_ = nullptr;
};

// The engine called directly, and what its frames leave on a 32-bit screen of the given size.
class ReferenceEngine {
public:
    ReferenceEngine(const EngineRow& row, std::span<const std::uint8_t> archive, int screenWidth, int screenHeight);
    // One frame with a copy of the player's levels; the picture lands on the screen at the rect's origin.
    void render(const TimedLevel& levels, const RECT& rect, int depth = 32);
    bool setCurrentPreset(int index) { return core_->setCurrentPreset(index); }
    const PresentedImage& image() const { return image_; }
    bool drew() const { return drew_; }
    // 0x00RRGGBB, top row first.
    const std::vector<std::uint32_t>& screen() const { return screen_; }

private:
    EffectDescription description_;
    std::unique_ptr<SceneScript> script_;
    RandomSource random_;
    std::unique_ptr<EffectCore> core_;
    PresentedImage image_;
    bool drew_ = false;
    int width_, height_;
    std::vector<std::uint32_t> screen_;
};

// Levels that move from frame to frame: a rising ramp with a moving peak, both channels.
void syntheticLevels(int frame, TimedLevel& levels);

}  // namespace tevaro::viz::test
