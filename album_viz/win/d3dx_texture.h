#pragma once
#include <cstddef>
#include <cstdint>

#include <windows.h>
#include <d3d8.h>

namespace tevaro::album {

// Our stand-in for the D3DX texture-from-memory loader, for the uncompressed 32-bit TGA files the
// scene builds: an A8R8G8B8 texture in the managed pool with the full box-filtered mip chain.
// E_INVALIDARG for bytes our reader refuses; the device's own failures otherwise.
HRESULT createTextureFromTga(IDirect3DDevice8* device, const std::uint8_t* bytes, std::size_t length,
                             IDirect3DTexture8** texture);

}  // namespace tevaro::album
