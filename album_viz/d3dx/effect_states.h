#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "album_viz/d3dx/effect_description.h"

namespace tevaro::album::d3dx {

// The platform's numbers for the states and values our effects name. They are Direct3D 8's own
// (d3d8types.h); the Windows face checks them against the header at compile time.
namespace d3d {
constexpr std::uint32_t RsZEnable = 7, RsFillMode = 8, RsShadeMode = 9, RsZWriteEnable = 14, RsSrcBlend = 19,
                        RsDestBlend = 20, RsCullMode = 22, RsZFunc = 23, RsAlphaBlendEnable = 27, RsSpecularEnable = 29,
                        RsLighting = 137;
constexpr std::uint32_t TssColorOp = 1, TssColorArg1 = 2, TssColorArg2 = 3, TssAlphaOp = 4, TssAlphaArg1 = 5,
                        TssAlphaArg2 = 6, TssTexCoordIndex = 11, TssAddressU = 13, TssAddressV = 14, TssMagFilter = 16,
                        TssMinFilter = 17, TssMipFilter = 18, TssTextureTransformFlags = 24;
constexpr std::uint32_t TopDisable = 1, TopSelectArg1 = 2, TopSelectArg2 = 3, TopModulate = 4, TopAdd = 7,
                        TopSubtract = 10;
constexpr std::uint32_t TaDiffuse = 0, TaCurrent = 1, TaTexture = 2, TaTFactor = 3, TaSpecular = 4;
constexpr std::uint32_t TexfNone = 0, TexfPoint = 1, TexfLinear = 2;
constexpr std::uint32_t BlendZero = 1, BlendOne = 2, BlendSrcAlpha = 5, BlendInvSrcAlpha = 6;
constexpr std::uint32_t FvfXyz = 0x002, FvfNormal = 0x010, FvfDiffuse = 0x040, FvfSpecular = 0x080, FvfTex1 = 0x100;
constexpr std::uint32_t TsTexture0 = 16;
}  // namespace d3d

// The value set a state's names are read from.
enum class ValueSet {
    Bool,
    TextureOp,
    TextureArg,
    Filter,
    TransformFlags,
    Blend,
    Compare,
    Cull,
    Shade,
    Fill,
    VertexFormat,
    Address,
    Number
};

struct StateInfo {
    StateTarget target;
    std::uint32_t state;
    ValueSet values;
    bool takesStage;
};

// The state an assignment names ("ColorOp", "Lighting", "Texture", …), without regard to case.
std::optional<StateInfo> findState(std::string_view name);
// A named value of a value set ("SelectArg1" for texture ops, "Linear" for filters, …).
std::optional<std::uint32_t> findValue(ValueSet set, std::string_view name);

}  // namespace tevaro::album::d3dx
