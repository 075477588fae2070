#include "classic_viz/effect_catalogue.h"

#include <cctype>

#include "classic_viz/emberlux/emberlux_scene.h"
#include "classic_viz/glintora/glintora_scene.h"
#include "classic_viz/tessaray/tessaray_scene.h"
#include "classic_viz/throbwave/throbwave_scene.h"

namespace tevaro::viz {

namespace {

template <typename Script>
std::unique_ptr<SceneScript> make() {
    return std::make_unique<Script>();
}

const CatalogueEntry entries[] = {
    {"Glintora", L"DATATABLE_5", make<GlintoraScene>, glintoraDescription},
    {"Tessaray", L"DATATABLE_3", make<TessarayScene>, tessarayDescription},
    {"Throbwave", L"DATATABLE_2", make<ThrobwaveScene>, pulseDescription},
    {"Emberlux", L"DATATABLE_2", make<EmberluxScene>, pulseDescription},
};

bool sameIgnoringCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && b[i] == '\0';
}

}  // namespace

const CatalogueEntry* findCatalogueEntry(const std::string& name) {
    for (const CatalogueEntry& e : entries)
        if (sameIgnoringCase(name, e.name)) return &e;
    return nullptr;
}

}  // namespace tevaro::viz
