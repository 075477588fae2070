#include "album_viz/win/d3dx_texture.h"

#include <cstring>
#include <new>

#include "album_viz/d3dx/tga_image.h"

namespace tevaro::album {

HRESULT createTextureFromTga(IDirect3DDevice8* device, const std::uint8_t* bytes, std::size_t length,
                             IDirect3DTexture8** texture) {
    if (device == nullptr || texture == nullptr) return E_POINTER;
    *texture = nullptr;
    try {
        d3dx::ArgbImage image;
        if (!d3dx::decodeTga(bytes, length, image)) return E_INVALIDARG;
        const std::vector<d3dx::ArgbImage> chain = d3dx::buildMipChain(std::move(image));
        IDirect3DTexture8* t = nullptr;
        HRESULT hr = device->CreateTexture(chain[0].width, chain[0].height, UINT(chain.size()), 0, D3DFMT_A8R8G8B8,
                                           D3DPOOL_MANAGED, &t);
        if (FAILED(hr)) return hr;
        for (UINT level = 0; level < t->GetLevelCount() && level < chain.size(); ++level) {
            D3DLOCKED_RECT locked{};
            if (FAILED(hr = t->LockRect(level, &locked, nullptr, 0))) {
                t->Release();
                return hr;
            }
            const d3dx::ArgbImage& l = chain[level];
            for (int y = 0; y < l.height; ++y)
                std::memcpy(static_cast<std::uint8_t*>(locked.pBits) + std::size_t(y) * locked.Pitch,
                            &l.pixels[std::size_t(y) * l.width], std::size_t(l.width) * 4);
            t->UnlockRect(level);
        }
        *texture = t;
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace tevaro::album
