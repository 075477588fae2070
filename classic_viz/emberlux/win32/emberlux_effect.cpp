// Emberlux.dll: the spectrum bars standing on an edge behind the shared visualization face.
#include "classic_viz/framework/win32/effect_face.h"
#include "classic_viz/emberlux/emberlux_scene.h"
#include "classic_viz/throbwave/throbwave_scene.h"

namespace tevaro::viz::win32 {

const EffectFace& moduleEffect() {
    static const std::span<const std::uint8_t> archive = moduleArchive(L"DATATABLE_2");
    static const EffectFace face{
        {0x43d2e184, 0x46ac, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
        {0x43d2e182, 0x46ac, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
        {0x43d2e183, 0x46ac, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
        {L"танец пламени", L"краски огня ", L"заливка  "},  // trailing blanks belong to the titles
        pulseDescription(archive.data(), archive.size()),
        [] { return std::unique_ptr<SceneScript>(new EmberluxScene); },
        1251,  // the registry script's descriptions are Windows-1251
    };
    return face;
}

}  // namespace tevaro::viz::win32
