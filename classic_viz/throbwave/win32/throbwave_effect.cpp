// Throbwave.dll: the centred spectrum bars behind the shared visualization face.
#include "classic_viz/framework/win32/effect_face.h"
#include "classic_viz/throbwave/throbwave_scene.h"

namespace tevaro::viz::win32 {

const EffectFace& moduleEffect() {
    static const std::span<const std::uint8_t> archive = moduleArchive(L"DATATABLE_2");
    static const EffectFace face{
        {0xefa4bfc4, 0x46ba, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
        {0xefa4bfc2, 0x46ba, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
        {0xefa4bfc3, 0x46ba, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
        {L"эти губы", L"остров музыки ", L"ритм стали  "},  // trailing blanks belong to the titles
        pulseDescription(archive.data(), archive.size()),
        [] { return std::unique_ptr<SceneScript>(new ThrobwaveScene); },
        1251,  // the registry script's descriptions are Windows-1251
    };
    return face;
}

}  // namespace tevaro::viz::win32
