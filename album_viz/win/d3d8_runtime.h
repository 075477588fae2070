#pragma once
#include <windows.h>
#include <d3d8.h>

namespace tevaro::album {

// Direct3DCreate8 from the system's d3d8.dll, loaded at run time (mingw-w64 has no import library
// for it). Null when the DLL or the entry is missing or the runtime refuses (no display).
IDirect3D8* createDirect3D8();

}  // namespace tevaro::album
