#include "album_viz/win/atlas_font.h"

#include <cstdint>
#include <cstring>

#include "com_support/dib_section.h"

namespace tevaro::album {
namespace {

struct GlyphVertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
    float u, v;
};
constexpr DWORD glyphFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

}  // namespace

HRESULT AtlasFont::createDeviceResources(IDirect3DDevice8* device, DWORD maxTextureWidth) {
    destroyDeviceResources();
    device_ = device;
    size_ = points_ > 40 ? 1024 : points_ > 20 ? 512 : 256;
    scale_ = 1.0f;
    if (maxTextureWidth > 0 && DWORD(size_) > maxTextureWidth) {
        scale_ = float(maxTextureWidth) / float(size_);
        size_ = int(maxTextureWidth);
    }
    HRESULT hr = device->CreateTexture(size_, size_, 1, 0, D3DFMT_A4R4G4B4, D3DPOOL_MANAGED, &texture_);
    if (FAILED(hr)) return hr;

    com_support::DibSection atlas(size_, size_);
    HDC dc = atlas.dc();
    const int height = -MulDiv(points_, int(float(GetDeviceCaps(dc, LOGPIXELSY)) * scale_), 72);
    HFONT font = atlas.valid()
                     ? CreateFontW(height, 0, 0, 0, (flags_ & Bold) ? FW_BOLD : FW_NORMAL,
                                   (flags_ & Italic) ? TRUE : FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, VARIABLE_PITCH, face_)
                     : nullptr;
    if (font == nullptr) {
        destroyDeviceResources();
        return E_FAIL;
    }
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_TOP);
    int x = 0, y = 0;
    for (int c = FirstChar; c <= LastChar; ++c) {
        const char ch = char(c);
        SIZE extent{};
        GetTextExtentPoint32A(dc, &ch, 1, &extent);
        if (x + extent.cx + 1 > size_) {
            x = 0;
            y += extent.cy + 1;
        }
        ExtTextOutA(dc, x, y, ETO_OPAQUE, nullptr, &ch, 1, nullptr);
        float* t = coords_[c - FirstChar];
        t[0] = float(x) / float(size_);
        t[1] = float(y) / float(size_);
        t[2] = float(x + extent.cx) / float(size_);
        t[3] = float(y + extent.cy) / float(size_);
        x += extent.cx + 1;
    }
    GdiFlush();
    D3DLOCKED_RECT locked{};
    if (SUCCEEDED(hr = texture_->LockRect(0, &locked, nullptr, 0))) {
        const std::uint32_t* src = atlas.pixels();
        for (int row = 0; row < size_; ++row) {
            auto* dst = reinterpret_cast<std::uint16_t*>(static_cast<std::uint8_t*>(locked.pBits) + row * locked.Pitch);
            for (int col = 0; col < size_; ++col) {
                // White glyphs on black: the blue byte's high nibble is the coverage.
                const std::uint16_t a = std::uint16_t((src[row * size_ + col] & 0xFF) >> 4);
                dst[col] = a ? std::uint16_t((a << 12) | 0x0FFF) : 0;
            }
        }
        texture_->UnlockRect(0);
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
    if (FAILED(hr)) destroyDeviceResources();
    return hr;
}

void AtlasFont::destroyDeviceResources() {
    if (texture_) texture_->Release();
    texture_ = nullptr;
    device_ = nullptr;
}

HRESULT AtlasFont::printText(float x, float y, D3DCOLOR colour, const char* text) {
    if (device_ == nullptr || texture_ == nullptr || text == nullptr) return E_FAIL;
    device_->SetTexture(0, texture_);
    device_->SetVertexShader(glyphFvf);
    device_->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device_->SetRenderState(D3DRS_ZENABLE, FALSE);
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);  // the scene culls clockwise, as the glyph quads wind
    device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    device_->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device_->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    device_->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    device_->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    device_->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_POINT);
    device_->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_POINT);
    device_->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
    device_->SetTextureStageState(1, D3DTSS_COLOROP, D3DTOP_DISABLE);
    device_->SetTextureStageState(1, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
    GlyphVertex quads[6 * 16];
    int used = 0;
    float penX = x;
    auto flush = [&] {
        if (used) device_->DrawPrimitiveUP(D3DPT_TRIANGLELIST, used / 3, quads, sizeof(GlyphVertex));
        used = 0;
    };
    for (const char* p = text; *p; ++p) {
        const int c = static_cast<unsigned char>(*p);
        if (c < FirstChar || c > LastChar) continue;
        const float* t = coords_[c - FirstChar];
        const float w = (t[2] - t[0]) * float(size_) / scale_, h = (t[3] - t[1]) * float(size_) / scale_;
        // Pixel centres sit half a pixel in from the corners of screen-space quads.
        const float l = penX - 0.5f, r = penX + w - 0.5f, top = y - 0.5f, bottom = y + h - 0.5f;
        const GlyphVertex v[6] = {{l, bottom, 0, 1, colour, t[0], t[3]}, {l, top, 0, 1, colour, t[0], t[1]},
                                  {r, bottom, 0, 1, colour, t[2], t[3]}, {r, top, 0, 1, colour, t[2], t[1]},
                                  {r, bottom, 0, 1, colour, t[2], t[3]}, {l, top, 0, 1, colour, t[0], t[1]}};
        std::memcpy(quads + used, v, sizeof v);
        used += 6;
        if (used == int(sizeof quads / sizeof quads[0])) flush();
        penX += w;
    }
    flush();
    device_->SetRenderState(D3DRS_ZENABLE, TRUE);
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    device_->SetTexture(0, nullptr);
    return S_OK;
}

}  // namespace tevaro::album
