#include "album_viz/win/d3dx_effect.h"

#include <new>

#include "album_viz/d3dx/effect_parser.h"
#include "album_viz/d3dx/effect_states.h"
#include "album_viz/win/d3d_surface.h"

namespace tevaro::album {
namespace {

namespace d3d = d3dx::d3d;
// The effect text names states by Direct3D's own numbers.
static_assert(d3d::RsLighting == D3DRS_LIGHTING && d3d::RsSpecularEnable == D3DRS_SPECULARENABLE &&
              d3d::RsDestBlend == D3DRS_DESTBLEND && d3d::RsSrcBlend == D3DRS_SRCBLEND && d3d::RsZFunc == D3DRS_ZFUNC &&
              d3d::RsCullMode == D3DRS_CULLMODE && d3d::RsAlphaBlendEnable == D3DRS_ALPHABLENDENABLE &&
              d3d::RsZEnable == D3DRS_ZENABLE);
static_assert(d3d::TssColorOp == D3DTSS_COLOROP && d3d::TssAlphaArg2 == D3DTSS_ALPHAARG2 &&
              d3d::TssMipFilter == D3DTSS_MIPFILTER && d3d::TssTextureTransformFlags == D3DTSS_TEXTURETRANSFORMFLAGS &&
              d3d::TssTexCoordIndex == D3DTSS_TEXCOORDINDEX);
static_assert(d3d::TopSubtract == D3DTOP_SUBTRACT && d3d::TopAdd == D3DTOP_ADD && d3d::TaTexture == D3DTA_TEXTURE &&
              d3d::TaCurrent == D3DTA_CURRENT && d3d::TexfLinear == D3DTEXF_LINEAR && d3d::BlendOne == D3DBLEND_ONE);
static_assert(d3d::FvfTex1 == D3DFVF_TEX1 && d3d::FvfNormal == D3DFVF_NORMAL && d3d::TsTexture0 == D3DTS_TEXTURE0);

D3DMATRIX identity() {
    D3DMATRIX m{};
    m._11 = m._22 = m._33 = m._44 = 1.0f;
    return m;
}

}  // namespace

D3dxEffect::~D3dxEffect() { release(); }

void D3dxEffect::release() {
    for (IDirect3DBaseTexture8*& t : textures_)
        if (t) t->Release(), t = nullptr;
    textures_.clear();
    for (Saved& s : saved_)
        if (s.texture) s.texture->Release();
    saved_.clear();
    effect_ = {};
    matrices_.clear();
    device_ = nullptr;
    begun_ = false;
    technique_ = 0;
}

HRESULT D3dxEffect::create(IDirect3DDevice8* device, const char* text, std::size_t length) {
    release();
    if (device == nullptr) return E_POINTER;
    try {
        d3dx::EffectParseResult parsed = d3dx::parseEffect(text, length);
        if (!parsed.ok) return E_FAIL;
        effect_ = std::move(parsed.effect);
        // A matrix never set leaves coordinates as they are.
        matrices_.assign(effect_.parameters.size(), identity());
        textures_.assign(effect_.parameters.size(), nullptr);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    device_ = device;
    return S_OK;
}

HRESULT D3dxEffect::createFromResource(IDirect3DDevice8* device, HMODULE module, const char* name) {
    DWORD size = 0;
    const std::uint8_t* bytes = rcdataBytes(module, name, size);
    if (bytes == nullptr) return E_FAIL;
    return create(device, reinterpret_cast<const char*>(bytes), size);
}

HRESULT D3dxEffect::setMatrix(const char* name, const D3DMATRIX& m) {
    const int i = effect_.parameterIndex(name);
    if (i < 0 || effect_.parameters[i].type != d3dx::ParameterType::Matrix) return E_INVALIDARG;
    matrices_[i] = m;
    return S_OK;
}

HRESULT D3dxEffect::setTexture(const char* name, IDirect3DBaseTexture8* texture) {
    const int i = effect_.parameterIndex(name);
    if (i < 0 || effect_.parameters[i].type != d3dx::ParameterType::Texture) return E_INVALIDARG;
    if (texture) texture->AddRef();
    if (textures_[i]) textures_[i]->Release();
    textures_[i] = texture;
    return S_OK;
}

HRESULT D3dxEffect::setTechnique(int technique) {
    if (technique < 0 || technique >= techniqueCount()) return E_INVALIDARG;
    technique_ = technique;
    return S_OK;
}

bool D3dxEffect::techniqueUses(int technique, const char* parameter) const {
    return effect_.techniqueUses(technique, effect_.parameterIndex(parameter));
}

void D3dxEffect::apply(const d3dx::StateAssignment& s) {
    switch (s.target) {
        case d3dx::StateTarget::RenderState:
            device_->SetRenderState(D3DRENDERSTATETYPE(s.state), s.value);
            break;
        case d3dx::StateTarget::StageState:
            device_->SetTextureStageState(s.stage, D3DTEXTURESTAGESTATETYPE(s.state), s.value);
            break;
        case d3dx::StateTarget::StageTexture:
            device_->SetTexture(s.stage, textures_[s.parameter]);
            break;
        case d3dx::StateTarget::TextureTransform:
            device_->SetTransform(D3DTRANSFORMSTATETYPE(D3DTS_TEXTURE0 + s.stage), &matrices_[s.parameter]);
            break;
        case d3dx::StateTarget::VertexShader:
            device_->SetVertexShader(s.value);
            break;
    }
}

void D3dxEffect::save(const d3dx::StateAssignment& s) {
    Saved saved{s, 0, identity(), nullptr};
    switch (s.target) {
        case d3dx::StateTarget::RenderState:
            device_->GetRenderState(D3DRENDERSTATETYPE(s.state), &saved.value);
            break;
        case d3dx::StateTarget::StageState:
            device_->GetTextureStageState(s.stage, D3DTEXTURESTAGESTATETYPE(s.state), &saved.value);
            break;
        case d3dx::StateTarget::StageTexture:
            device_->GetTexture(s.stage, &saved.texture);  // holds a reference until End
            break;
        case d3dx::StateTarget::TextureTransform:
            device_->GetTransform(D3DTRANSFORMSTATETYPE(D3DTS_TEXTURE0 + s.stage), &saved.matrix);
            break;
        case d3dx::StateTarget::VertexShader:
            device_->GetVertexShader(&saved.value);
            break;
    }
    saved_.push_back(saved);
}

HRESULT D3dxEffect::validate(int technique) {
    if (!created() || technique < 0 || technique >= techniqueCount()) return E_INVALIDARG;
    for (const d3dx::EffectPass& p : effect_.techniques[technique].passes) {
        for (const d3dx::StateAssignment& s : p.states) apply(s);
        DWORD passes = 0;
        const HRESULT hr = device_->ValidateDevice(&passes);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

HRESULT D3dxEffect::begin(UINT* passes) {
    if (!created() || begun_) return E_FAIL;
    try {
        saved_.clear();
        for (const d3dx::EffectPass& p : effect_.techniques[technique_].passes)
            for (const d3dx::StateAssignment& s : p.states) save(s);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    begun_ = true;
    if (passes) *passes = UINT(effect_.techniques[technique_].passes.size());
    return S_OK;
}

HRESULT D3dxEffect::pass(UINT index) {
    if (!begun_ || index >= effect_.techniques[technique_].passes.size()) return E_INVALIDARG;
    for (const d3dx::StateAssignment& s : effect_.techniques[technique_].passes[index].states) apply(s);
    return S_OK;
}

HRESULT D3dxEffect::end() {
    if (!begun_) return E_FAIL;
    // Put back in reverse, so a state set twice gets its value from before the first.
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        const d3dx::StateAssignment& s = it->assignment;
        switch (s.target) {
            case d3dx::StateTarget::RenderState:
                device_->SetRenderState(D3DRENDERSTATETYPE(s.state), it->value);
                break;
            case d3dx::StateTarget::StageState:
                device_->SetTextureStageState(s.stage, D3DTEXTURESTAGESTATETYPE(s.state), it->value);
                break;
            case d3dx::StateTarget::StageTexture:
                device_->SetTexture(s.stage, it->texture);
                if (it->texture) it->texture->Release();
                it->texture = nullptr;
                break;
            case d3dx::StateTarget::TextureTransform:
                device_->SetTransform(D3DTRANSFORMSTATETYPE(D3DTS_TEXTURE0 + s.stage), &it->matrix);
                break;
            case d3dx::StateTarget::VertexShader:
                device_->SetVertexShader(it->value);
                break;
        }
    }
    saved_.clear();
    begun_ = false;
    return S_OK;
}

}  // namespace tevaro::album
