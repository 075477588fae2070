// Glintora.dll: the star field behind the shared visualization face.
#include "classic_viz/framework/win32/effect_face.h"
#include "classic_viz/glintora/glintora_scene.h"

namespace tevaro::viz::win32 {

const EffectFace& moduleEffect() {
    static const std::span<const std::uint8_t> archive = moduleArchive(L"DATATABLE_5");
    static const EffectFace face{
        {0xa50dc524, 0x938a, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
        {0xa50dc522, 0x938a, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
        {0xa50dc523, 0x938a, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
        {L"Starlight", L"Star Clouds", L"Star Glow"},
        glintoraDescription(archive.data(), archive.size()),
        [] { return std::unique_ptr<SceneScript>(new GlintoraScene); },
        CP_UTF8,
    };
    return face;
}

}  // namespace tevaro::viz::win32
