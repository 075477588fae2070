// Tessaray.dll: the coloured blocks behind the shared visualization face.
#include "classic_viz/framework/win32/effect_face.h"
#include "classic_viz/tessaray/tessaray_scene.h"

namespace tevaro::viz::win32 {

const EffectFace& moduleEffect() {
    static const std::span<const std::uint8_t> archive = moduleArchive(L"DATATABLE_3");
    static const EffectFace face{
        {0x4e4c3be4, 0x46b9, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
        {0x4e4c3be2, 0x46b9, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
        {0x4e4c3be3, 0x46b9, 0x11d4, {0xa8, 0xaf, 0x00, 0x10, 0x5a, 0xc5, 0x82, 0xc2}},
        {L"клумбы огней", L"ритм квадратов  ", L"восхищение   "},  // trailing blanks belong to the titles
        tessarayDescription(archive.data(), archive.size()),
        [] { return std::unique_ptr<SceneScript>(new TessarayScene); },
        1251,  // the registry script's descriptions are Windows-1251
    };
    return face;
}

}  // namespace tevaro::viz::win32
