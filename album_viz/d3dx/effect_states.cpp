#include "album_viz/d3dx/effect_states.h"

#include <cctype>

namespace tevaro::album::d3dx {
namespace {

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

struct NamedState {
    std::string_view name;
    StateInfo info;
};

using T = StateTarget;
using V = ValueSet;
constexpr NamedState states[] = {
    {"ZEnable", {T::RenderState, d3d::RsZEnable, V::Bool, false}},
    {"FillMode", {T::RenderState, d3d::RsFillMode, V::Fill, false}},
    {"ShadeMode", {T::RenderState, d3d::RsShadeMode, V::Shade, false}},
    {"ZWriteEnable", {T::RenderState, d3d::RsZWriteEnable, V::Bool, false}},
    {"SrcBlend", {T::RenderState, d3d::RsSrcBlend, V::Blend, false}},
    {"DestBlend", {T::RenderState, d3d::RsDestBlend, V::Blend, false}},
    {"CullMode", {T::RenderState, d3d::RsCullMode, V::Cull, false}},
    {"ZFunc", {T::RenderState, d3d::RsZFunc, V::Compare, false}},
    {"AlphaBlendEnable", {T::RenderState, d3d::RsAlphaBlendEnable, V::Bool, false}},
    {"SpecularEnable", {T::RenderState, d3d::RsSpecularEnable, V::Bool, false}},
    {"Lighting", {T::RenderState, d3d::RsLighting, V::Bool, false}},
    {"ColorOp", {T::StageState, d3d::TssColorOp, V::TextureOp, true}},
    {"ColorArg1", {T::StageState, d3d::TssColorArg1, V::TextureArg, true}},
    {"ColorArg2", {T::StageState, d3d::TssColorArg2, V::TextureArg, true}},
    {"AlphaOp", {T::StageState, d3d::TssAlphaOp, V::TextureOp, true}},
    {"AlphaArg1", {T::StageState, d3d::TssAlphaArg1, V::TextureArg, true}},
    {"AlphaArg2", {T::StageState, d3d::TssAlphaArg2, V::TextureArg, true}},
    {"TexCoordIndex", {T::StageState, d3d::TssTexCoordIndex, V::Number, true}},
    {"AddressU", {T::StageState, d3d::TssAddressU, V::Address, true}},
    {"AddressV", {T::StageState, d3d::TssAddressV, V::Address, true}},
    {"MagFilter", {T::StageState, d3d::TssMagFilter, V::Filter, true}},
    {"MinFilter", {T::StageState, d3d::TssMinFilter, V::Filter, true}},
    {"MipFilter", {T::StageState, d3d::TssMipFilter, V::Filter, true}},
    {"TextureTransformFlags", {T::StageState, d3d::TssTextureTransformFlags, V::TransformFlags, true}},
    {"Texture", {T::StageTexture, 0, V::Number, true}},
    {"TextureTransform", {T::TextureTransform, 0, V::Number, true}},
    {"VertexShader", {T::VertexShader, 0, V::VertexFormat, false}},
};

struct NamedValue {
    ValueSet set;
    std::string_view name;
    std::uint32_t value;
};

constexpr NamedValue values[] = {
    {V::Bool, "True", 1},
    {V::Bool, "False", 0},
    {V::TextureOp, "Disable", d3d::TopDisable},
    {V::TextureOp, "SelectArg1", d3d::TopSelectArg1},
    {V::TextureOp, "SelectArg2", d3d::TopSelectArg2},
    {V::TextureOp, "Modulate", d3d::TopModulate},
    {V::TextureOp, "Add", d3d::TopAdd},
    {V::TextureOp, "Subtract", d3d::TopSubtract},
    {V::TextureArg, "Diffuse", d3d::TaDiffuse},
    {V::TextureArg, "Current", d3d::TaCurrent},
    {V::TextureArg, "Texture", d3d::TaTexture},
    {V::TextureArg, "TFactor", d3d::TaTFactor},
    {V::TextureArg, "Specular", d3d::TaSpecular},
    {V::Filter, "None", d3d::TexfNone},
    {V::Filter, "Point", d3d::TexfPoint},
    {V::Filter, "Linear", d3d::TexfLinear},
    {V::TransformFlags, "Disable", 0},
    {V::TransformFlags, "Count1", 1},
    {V::TransformFlags, "Count2", 2},
    {V::TransformFlags, "Count3", 3},
    {V::TransformFlags, "Count4", 4},
    {V::Blend, "Zero", d3d::BlendZero},
    {V::Blend, "One", d3d::BlendOne},
    {V::Blend, "SrcAlpha", d3d::BlendSrcAlpha},
    {V::Blend, "InvSrcAlpha", d3d::BlendInvSrcAlpha},
    {V::Compare, "Never", 1},
    {V::Compare, "Less", 2},
    {V::Compare, "Equal", 3},
    {V::Compare, "LessEqual", 4},
    {V::Compare, "Greater", 5},
    {V::Compare, "NotEqual", 6},
    {V::Compare, "GreaterEqual", 7},
    {V::Compare, "Always", 8},
    {V::Cull, "None", 1},
    {V::Cull, "CW", 2},
    {V::Cull, "CCW", 3},
    {V::Shade, "Flat", 1},
    {V::Shade, "Gouraud", 2},
    {V::Fill, "Point", 1},
    {V::Fill, "Wireframe", 2},
    {V::Fill, "Solid", 3},
    {V::Address, "Wrap", 1},
    {V::Address, "Mirror", 2},
    {V::Address, "Clamp", 3},
    {V::VertexFormat, "XYZ", d3d::FvfXyz},
    {V::VertexFormat, "Normal", d3d::FvfNormal},
    {V::VertexFormat, "Diffuse", d3d::FvfDiffuse},
    {V::VertexFormat, "Specular", d3d::FvfSpecular},
    {V::VertexFormat, "Tex1", d3d::FvfTex1},
};

}  // namespace

std::optional<StateInfo> findState(std::string_view name) {
    for (const NamedState& s : states)
        if (sameName(s.name, name)) return s.info;
    return std::nullopt;
}

std::optional<std::uint32_t> findValue(ValueSet set, std::string_view name) {
    for (const NamedValue& v : values)
        if (v.set == set && sameName(v.name, name)) return v.value;
    return std::nullopt;
}

}  // namespace tevaro::album::d3dx
