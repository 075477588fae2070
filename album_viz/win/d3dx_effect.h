#pragma once
#include <string>
#include <vector>

#include <windows.h>
#include <d3d8.h>

#include "album_viz/d3dx/effect_description.h"

namespace tevaro::album {

// Our stand-in for the D3DX 8 effect object over a parsed effect: parameters bound by name,
// one current technique, validation through the device, and Begin/Pass/End that set each pass's
// states and put back, at End, every state the technique touched.
class D3dxEffect {
public:
    D3dxEffect() = default;
    D3dxEffect(const D3dxEffect&) = delete;
    D3dxEffect& operator=(const D3dxEffect&) = delete;
    ~D3dxEffect();

    // Parses the text; E_FAIL for text our reader refuses.
    HRESULT create(IDirect3DDevice8* device, const char* text, std::size_t length);
    // The text of an RCDATA resource of the module, found by name.
    HRESULT createFromResource(IDirect3DDevice8* device, HMODULE module, const char* name);
    void release();
    bool created() const { return device_ != nullptr; }

    HRESULT setMatrix(const char* name, const D3DMATRIX& m);
    HRESULT setTexture(const char* name, IDirect3DBaseTexture8* texture);
    HRESULT setTechnique(int technique);
    int technique() const { return technique_; }
    int techniqueCount() const { return int(effect_.techniques.size()); }
    bool techniqueUses(int technique, const char* parameter) const;
    HRESULT validate(int technique);

    HRESULT begin(UINT* passes);
    HRESULT pass(UINT index);
    HRESULT end();

private:
    struct Saved {
        d3dx::StateAssignment assignment;
        DWORD value;
        D3DMATRIX matrix;
        IDirect3DBaseTexture8* texture;
    };
    void apply(const d3dx::StateAssignment& s);
    void save(const d3dx::StateAssignment& s);

    IDirect3DDevice8* device_ = nullptr;
    d3dx::EffectDescription effect_;
    std::vector<D3DMATRIX> matrices_;
    std::vector<IDirect3DBaseTexture8*> textures_;
    std::vector<Saved> saved_;
    int technique_ = 0;
    bool begun_ = false;
};

}  // namespace tevaro::album
