#include "album_viz/win/d3d8_runtime.h"

namespace tevaro::album {

IDirect3D8* createDirect3D8() {
    // Kept loaded for the life of the process: devices made from it may outlive any one caller.
    static HMODULE module = LoadLibraryW(L"d3d8.dll");
    if (module == nullptr) return nullptr;
    using Create = IDirect3D8*(WINAPI*)(UINT);
    const auto create = reinterpret_cast<Create>(reinterpret_cast<void*>(GetProcAddress(module, "Direct3DCreate8")));
    return create ? create(D3D_SDK_VERSION) : nullptr;
}

}  // namespace tevaro::album
