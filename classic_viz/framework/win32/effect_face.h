#pragma once
// What one classic visualization DLL tells the shared face: its identifiers, its preset names, the
// engine's description of the effect and a maker of its scene script. Each DLL defines
// moduleEffect() once; the face, the exports and the registration take everything from it.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>

#include "classic_viz/framework/effect_core.h"
#include "classic_viz/framework/random_source.h"

namespace tevaro::viz::win32 {

struct EffectFace {
    CLSID clsid;
    IID colourInterface;  // the effect's own dual interface (IGlintora …)
    GUID typeLibrary;
    const wchar_t* presetTitles[EffectCore::PresetCount];  // exactly as shown, trailing blanks included
    EffectDescription engine;
    std::unique_ptr<SceneScript> (*makeScript)();
    UINT registryCodePage;  // encoding of the REGISTRY script's text
};

// Resource ids every classic visualization DLL carries.
inline constexpr UINT TitleStringId = 101;
inline constexpr UINT RegistryScriptId = 104;

const EffectFace& moduleEffect();

// An RCDATA resource of this module (an image archive), mapped for the module's whole life; empty
// when missing, which the engine treats as an archive that failed to load.
std::span<const std::uint8_t> moduleArchive(const wchar_t* resourceName);

// The module's one random source: state 1 when the DLL is loaded, shared by all its objects.
RandomSource& moduleRandom();

}  // namespace tevaro::viz::win32
