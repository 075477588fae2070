#pragma once
#include <cstdint>

#include <windows.h>
#include <d3d8.h>

#include "album_viz/framework/frame_copy.h"

namespace tevaro::album {

// How the frame copies read or write a locked surface of a Direct3D format.
inline SurfaceFormat surfaceFormat(D3DFORMAT f) {
    switch (f) {
        case D3DFMT_R5G6B5:
            return SurfaceFormat::Rgb565;
        case D3DFMT_X1R5G5B5:
        case D3DFMT_A1R5G5B5:
            return SurfaceFormat::Xrgb1555;
        case D3DFMT_R8G8B8:
            return SurfaceFormat::Rgb24;
        default:
            return SurfaceFormat::Argb32;
    }
}

// The bytes of a module's RCDATA resource, found by name (without regard to case); null if absent.
inline const std::uint8_t* rcdataBytes(HMODULE module, const char* name, DWORD& size) {
    HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    size = found ? SizeofResource(module, found) : 0;
    return loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
}

}  // namespace tevaro::album
