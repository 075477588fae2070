#pragma once
#include <windows.h>
#include <d3d8.h>

namespace tevaro::album {

// Text drawn from a glyph atlas: characters 32..126 of a GDI face rendered once into an
// A4R4G4B4 texture, then drawn as alpha-blended screen-space quads.
class AtlasFont {
public:
    static constexpr DWORD Bold = 1, Italic = 2;
    static constexpr int FirstChar = 32, LastChar = 126;

    AtlasFont(const wchar_t* face, int points, DWORD flags) : face_(face), points_(points), flags_(flags) {}
    AtlasFont(const AtlasFont&) = delete;
    AtlasFont& operator=(const AtlasFont&) = delete;
    ~AtlasFont() { destroyDeviceResources(); }

    HRESULT createDeviceResources(IDirect3DDevice8* device, DWORD maxTextureWidth);
    HRESULT restoreDeviceResources() { return S_OK; }  // the atlas is managed: nothing to rebuild
    void loseDeviceResources() {}
    void destroyDeviceResources();
    // Draws at pixel (x, y), the top-left of the first glyph, in an ARGB colour.
    HRESULT printText(float x, float y, D3DCOLOR colour, const char* text);

private:
    const wchar_t* face_;
    int points_;
    DWORD flags_;
    IDirect3DDevice8* device_ = nullptr;
    IDirect3DTexture8* texture_ = nullptr;
    int size_ = 256;
    float scale_ = 1.0f;
    float coords_[LastChar - FirstChar + 1][4] = {};  // left, top, right, bottom as fractions of the atlas
};

}  // namespace tevaro::album
