#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "classic_viz/framework/effect_core.h"

namespace tevaro::viz {

// The four classic effects by name, for the tools that run an engine beside (or instead of) a DLL:
// each one's scene maker, its description around archive bytes and the archive's resource name.
struct CatalogueEntry {
    const char* name;                // as registered: "Glintora", "Tessaray", "Throbwave", "Emberlux"
    const wchar_t* archiveResource;  // the RCDATA name in the DLL
    std::unique_ptr<SceneScript> (*makeScript)();
    EffectDescription (*describe)(const std::uint8_t* archive, std::size_t length);
};

// The entry whose name matches, ignoring case; null for none.
const CatalogueEntry* findCatalogueEntry(const std::string& name);

}  // namespace tevaro::viz
