#include "album_viz/win/scene_renderer.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <numbers>

#include "album_viz/d3dx/d3dx_math.h"
#include "album_viz/framework/frame_copy.h"
#include "album_viz/scene/camera.h"
#include "album_viz/scene/element_tga.h"
#include "album_viz/win/d3d_surface.h"
#include "album_viz/win/d3dx_texture.h"

namespace tevaro::album {
namespace {

constexpr float fieldOfView = std::numbers::pi_v<float> / 3;
constexpr DWORD gridFvf = D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_DIFFUSE | D3DFVF_TEX1;
constexpr DWORD causticFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE;
constexpr float cloudDistance = -61.0f;
// Cloud slots and the texture each draws with (A–D are made into slots 20–23).
constexpr int cloudTexture[8] = {20, 22, 22, 20, 21, 22, 23, 20};

D3DMATRIX toD3d(const d3dx::Matrix& m) {
    D3DMATRIX out;
    std::memcpy(&out, &m, sizeof out);
    return out;
}

d3dx::Matrix pitchMatrix(float pitch) {
    return d3dx::matrixRotationQuaternion(d3dx::quaternionRotationYawPitchRoll(0, pitch, 0));
}

d3dx::Matrix placed(const ElementMotion& m) {
    return d3dx::matrixMultiply(pitchMatrix(m.pitch), d3dx::matrixTranslation(m.x, m.y, m.z));
}

template <typename T>
void release(T*& p) {
    if (p) p->Release();
    p = nullptr;
}

}  // namespace

SceneRenderer::~SceneRenderer() {
    loseDeviceResources();
    destroyDeviceResources();
}

void SceneRenderer::setRenderSize(int width, int height) {
    width_ = width;
    height_ = height;
    gridDirty_ = true;
    updateDistances();
}

void SceneRenderer::updateDistances() {
    distance_ = cameraDistance(textureSize_, height_);
    backgroundDistance_ = cameraDistance(backgroundTextureSize_, height_);
}

bool SceneRenderer::oneTimeInit() {
    grid_ = SpriteGrid{};
    updateDistances();
    return true;
}

bool SceneRenderer::makeElementTexture(int slot) {
    if (device_ == nullptr || slot < 0 || slot >= slot::Count) return false;
    const SceneElement& e = elements_.elements[slot];
    if (!e.hasImage()) return false;
    const int t = album::elementTextureSize(e.width, e.height);
    if (maxTextureWidth_ < DWORD(t)) return false;
    DWORD headerSize = 0;
    const std::uint8_t* header = rcdataBytes(resources_, "DATATABLE_tga", headerSize);
    IDirect3DTexture8* texture = nullptr;
    try {
        const std::vector<std::uint8_t> file =
            buildElementTga(header, headerSize, t, e.image.data(), e.width, e.height, slot == slot::Background);
        if (file.empty() || FAILED(createTextureFromTga(device_, file.data(), file.size(), &texture))) return false;
    } catch (const std::bad_alloc&) {
        fault_ = true;
        return false;
    }
    release(textures_[slot]);
    textures_[slot] = texture;
    effect_.setTexture("tFLR", texture);
    if (slot == slot::Background) {
        backgroundTextureSize_ = t;
    } else {
        textureSize_ = t;
    }
    updateDistances();
    return true;
}

void SceneRenderer::releaseTextures() {
    for (IDirect3DTexture8*& t : textures_) release(t);
}

bool SceneRenderer::createDeviceResources(IDirect3DDevice8* device, const D3DCAPS8& caps) {
    device_ = device;
    maxTextureWidth_ = caps.MaxTextureWidth;
    if (FAILED(messageFont_.createDeviceResources(device, caps.MaxTextureWidth)) ||
        FAILED(smallFont_.createDeviceResources(device, caps.MaxTextureWidth)))
        return false;
    causticsEnabled_ = true;
    deviceObjects_ = true;
    return true;
}

bool SceneRenderer::restoreDeviceResources(IDirect3DDevice8* device, const D3DSURFACE_DESC& backBuffer) {
    device_ = device;
    backBuffer_ = backBuffer;
    messageFont_.restoreDeviceResources();
    smallFont_.restoreDeviceResources();
    D3DLIGHT8 light{};
    light.Type = D3DLIGHT_DIRECTIONAL;
    light.Diffuse = {1, 1, 1, 0};
    light.Direction = {0, -1, 0};
    device->SetLight(0, &light);
    device->LightEnable(0, FALSE);
    D3DMATERIAL8 material{};
    material.Diffuse = {0, 0, 0, 0.5f};
    material.Ambient = {0, 0, 0, 0.1f};
    material.Specular = {0.5f, 0.5f, 0.5f, 0};
    material.Power = 20;
    device->SetMaterial(&material);
    device->SetVertexShader(D3DFVF_XYZ);
    const D3DMATRIX identity = toD3d(d3dx::matrixIdentity());
    device->SetTransform(D3DTS_VIEW, &identity);
    device->SetTransform(D3DTS_WORLD, &identity);
    device->SetRenderState(D3DRS_LIGHTING, FALSE);
    device->SetRenderState(D3DRS_SPECULARENABLE, FALSE);
    device->SetRenderState(D3DRS_ZFUNC, D3DCMP_LESSEQUAL);
    device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_GOURAUD);
    device->SetRenderState(D3DRS_FILLMODE, D3DFILL_SOLID);
    for (DWORD stage = 0; stage < 2; ++stage) {
        device->SetTextureStageState(stage, D3DTSS_COLOROP, D3DTOP_DISABLE);
        device->SetTextureStageState(stage, D3DTSS_ALPHAOP, D3DTOP_DISABLE);
        device->SetTextureStageState(stage, D3DTSS_COLORARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(stage, D3DTSS_COLORARG2, D3DTA_CURRENT);
        device->SetTextureStageState(stage, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
        device->SetTextureStageState(stage, D3DTSS_ALPHAARG2, D3DTA_CURRENT);
        device->SetTextureStageState(stage, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
        device->SetTextureStageState(stage, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
        device->SetTextureStageState(stage, D3DTSS_MIPFILTER, D3DTEXF_POINT);
        device->SetTextureStageState(stage, D3DTSS_TEXCOORDINDEX, 0);
    }
    D3DDISPLAYMODE mode{};
    IDirect3D8* d3d = nullptr;
    D3DFORMAT display = backBuffer.Format;
    if (SUCCEEDED(device->GetDirect3D(&d3d))) {
        if (SUCCEEDED(d3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode))) display = mode.Format;
        d3d->Release();
    }
    if (FAILED(device->CreateTexture(128, 128, 1, D3DUSAGE_RENDERTARGET, display, D3DPOOL_DEFAULT, &causticTexture_)))
        device->CreateTexture(128, 128, 1, 0, display, D3DPOOL_DEFAULT, &causticTexture_);
    if (causticTexture_) causticTexture_->GetSurfaceLevel(0, &causticSurface_);

    if (FAILED(effect_.createFromResource(device, resources_, "DATATABLE_sha"))) return false;
    effect_.setTexture("tFLR", textures_[slot::Background]);
    effect_.setTexture("tCAU", causticTexture_);
    chooseTechnique();

    if (FAILED(device->CreateIndexBuffer(SpriteGrid::IndexCount * 2, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16,
                                         D3DPOOL_MANAGED, &indices_)))
        return false;
    BYTE* bytes = nullptr;
    if (FAILED(indices_->Lock(0, 0, &bytes, 0))) return false;
    std::memcpy(bytes, SpriteGrid::strip, sizeof SpriteGrid::strip);
    indices_->Unlock();
    if (FAILED(device->CreateVertexBuffer(SpriteGrid::VertexCount * sizeof(GridVertex),
                                          D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, gridFvf, D3DPOOL_DEFAULT,
                                          &gridVertices_)) ||
        FAILED(device->CreateVertexBuffer(SpriteGrid::VertexCount * sizeof(CausticVertex),
                                          D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY, causticFvf, D3DPOOL_DEFAULT,
                                          &causticVertices_)))
        return false;
    gridDirty_ = true;
    return true;
}

void SceneRenderer::loseDeviceResources() {
    messageFont_.loseDeviceResources();
    smallFont_.loseDeviceResources();
    release(indices_);
    release(gridVertices_);
    release(causticVertices_);
    effect_.release();
    release(causticSurface_);
    release(causticTexture_);
}

void SceneRenderer::destroyDeviceResources() {
    messageFont_.destroyDeviceResources();
    smallFont_.destroyDeviceResources();
    releaseTextures();
    device_ = nullptr;
    deviceObjects_ = false;
}

void SceneRenderer::afterLostReset() {
    grid_.clearHeights();
    causticsEnabled_ = true;
    ++lostResets_;
}

void SceneRenderer::resetCamera() {
    textureSize_ = backgroundTextureSize_ = initialTextureSize;
    updateDistances();
}

void SceneRenderer::chooseTechnique() {
    const int count = effect_.techniqueCount();
    for (int t = effect_.technique(); t < count; ++t) {
        if (!causticsEnabled_ && effect_.techniqueUses(t, "tCAU")) continue;
        if (t == count - 1 || SUCCEEDED(effect_.validate(t))) {
            effect_.setTechnique(t);
            return;
        }
    }
}

void SceneRenderer::setupCamera() {
    const float aspect = backBuffer_.Height ? float(backBuffer_.Width) / float(backBuffer_.Height) : 1.0f;
    const D3DMATRIX projection = toD3d(d3dx::matrixPerspectiveFovRH(fieldOfView, aspect, 0.1f, 2000.0f));
    device_->SetTransform(D3DTS_PROJECTION, &projection);
}

bool SceneRenderer::causticPass() {
    if (!deviceObjects_ || !causticsEnabled_) return true;
    if (gridDirty_) {
        if (effect_.techniqueUses(effect_.technique(), "tCAU") && causticVertices_) {
            BYTE* bytes = nullptr;
            if (SUCCEEDED(causticVertices_->Lock(0, 0, &bytes, D3DLOCK_DISCARD))) {
                grid_.fillCaustics(reinterpret_cast<CausticVertex*>(bytes));
                causticVertices_->Unlock();
            }
        }
        gridDirty_ = false;
    }
    if (!effect_.techniqueUses(effect_.technique(), "tCAU")) return true;
    IDirect3DSurface8* oldTarget = nullptr;
    IDirect3DSurface8* oldDepth = nullptr;
    device_->GetRenderTarget(&oldTarget);
    device_->GetDepthStencilSurface(&oldDepth);
    const bool begun = causticSurface_ && SUCCEEDED(device_->SetRenderTarget(causticSurface_, nullptr)) &&
                       SUCCEEDED(device_->BeginScene());
    if (!begun) {
        if (oldTarget) device_->SetRenderTarget(oldTarget, oldDepth);
        release(oldTarget);
        release(oldDepth);
        causticsEnabled_ = false;
        effect_.setTexture("tCAU", nullptr);
        chooseTechnique();
        return true;
    }
    const D3DMATRIX projection = toD3d(d3dx::matrixPerspectiveFovRH(fieldOfView, 1.0f, 0.1f, 2000.0f));
    const D3DMATRIX identity = toD3d(d3dx::matrixIdentity());
    const D3DMATRIX world =
        toD3d(d3dx::matrixMultiply(pitchMatrix(StandUpPitch), d3dx::matrixTranslation(0, 0, -54.0f)));
    device_->SetTransform(D3DTS_PROJECTION, &projection);
    device_->SetTransform(D3DTS_VIEW, &identity);
    device_->SetTransform(D3DTS_WORLD, &world);
    device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    device_->SetRenderState(D3DRS_ZENABLE, FALSE);
    device_->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ZERO);
    device_->SetVertexShader(causticFvf);
    device_->SetStreamSource(0, causticVertices_, sizeof(CausticVertex));
    device_->SetIndices(indices_, 0);
    device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, SpriteGrid::VertexCount, 0, SpriteGrid::TriangleCount);
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    device_->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device_->SetRenderState(D3DRS_ZENABLE, TRUE);
    device_->EndScene();
    device_->SetRenderTarget(oldTarget, oldDepth);
    release(oldTarget);
    release(oldDepth);
    setupCamera();
    return true;
}

void SceneRenderer::drawElement(int slot, IDirect3DTexture8* texture, const D3DMATRIX& view, const D3DMATRIX& world) {
    if (texture == nullptr || gridVertices_ == nullptr) return;
    device_->SetTransform(D3DTS_VIEW, &view);
    device_->SetTransform(D3DTS_WORLD, &world);
    BYTE* bytes = nullptr;
    if (FAILED(gridVertices_->Lock(0, 0, &bytes, D3DLOCK_DISCARD))) return;
    grid_.fillVertices(reinterpret_cast<GridVertex*>(bytes), elements_.elements[slot].fade);
    gridVertices_->Unlock();
    effect_.setTexture("tFLR", texture);
    UINT passes = 0;
    if (FAILED(effect_.begin(&passes))) return;
    device_->SetStreamSource(0, gridVertices_, sizeof(GridVertex));
    device_->SetIndices(indices_, 0);
    for (UINT p = 0; p < passes; ++p) {
        effect_.pass(p);
        device_->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, SpriteGrid::VertexCount, 0, SpriteGrid::TriangleCount);
    }
    effect_.end();
}

bool SceneRenderer::copyRows(const std::uint32_t* pixels, int firstRow, int rows) {
    IDirect3DSurface8* surface = nullptr;
    if (FAILED(device_->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &surface))) return false;
    const RECT area{0, firstRow, LONG(backBuffer_.Width), firstRow + rows};
    D3DLOCKED_RECT locked{};
    const bool ok = SUCCEEDED(surface->LockRect(&locked, &area, D3DLOCK_NOSYSLOCK));
    if (ok) {
        argbToSurface(pixels + std::size_t(firstRow) * backBuffer_.Width, int(backBuffer_.Width), rows,
                      static_cast<std::uint8_t*>(locked.pBits), std::size_t(locked.Pitch),
                      surfaceFormat(backBuffer_.Format));
        surface->UnlockRect();
    }
    surface->Release();
    return ok;
}

bool SceneRenderer::copyBackgroundByProcessor() {
    const SceneElement& bg = elements_.elements[slot::Background];
    if (!bg.hasImage() || bg.width != int(backBuffer_.Width) || bg.height != int(backBuffer_.Height)) return false;
    // Bars that have rested for 10 s (20 s when the rate gave up on them) are the clean picture.
    const bool live = barsLive(lowRate_ ? 20000 : 10000);
    const std::vector<std::uint32_t>& pixels =
        !live && bg.cleanCopy.size() == bg.image.size() ? bg.cleanCopy : bg.image;
    return copyRows(pixels.data(), 0, bg.height);
}

// Window mode draws the sky as a texture; the bars change too often for that, so their rows are
// copied over it by processor while they move.
bool SceneRenderer::copyBandRows() {
    const SceneElement& bg = elements_.elements[slot::Background];
    if (!bg.hasImage() || bg.width != int(backBuffer_.Width) || bg.height != int(backBuffer_.Height)) return false;
    if (!barsLive(10000)) {
        if (lowRate_) barsHidden_ = true;
        return false;
    }
    const int band = std::min(bg.width * 122 / 600, bg.height / 2);
    return copyRows(bg.image.data(), bg.height - band, band);
}

bool SceneRenderer::renderScene() {
    if (FAILED(device_->BeginScene())) return false;
    setupCamera();
    device_->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
    device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ZERO);
    device_->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    if (isCompactWindow(width_, height_)) barsHidden_ = true;

    if (!dcMode_ && textures_[slot::Background]) {
        device_->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
        const D3DMATRIX view = toD3d(d3dx::matrixTranslation(0, 0, backgroundDistance_));
        const D3DMATRIX world = toD3d(placed({0, 0, 1, StandUpPitch}));
        elements_.elements[slot::Background].fade = 0;
        drawElement(slot::Background, textures_[slot::Background], view, world);
        copyBandRows();
    } else {
        LARGE_INTEGER t0, t1, frequency;
        QueryPerformanceCounter(&t0);
        if (!copyBackgroundByProcessor()) device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0x00000000, 1.0f, 0);
        QueryPerformanceCounter(&t1);
        QueryPerformanceFrequency(&frequency);
        backgroundCopySeconds_ = double(t1.QuadPart - t0.QuadPart) / double(frequency.QuadPart);
    }

    device_->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    if (playerVersion_ >= 10.0) {
        const D3DMATRIX cloudView = toD3d(d3dx::matrixTranslation(0, 0, cloudDistance));
        for (int even = slot::FirstCloud; even < slot::LastCloud; even += 2) {
            device_->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
            const ElementMotion& lead = elements_.motion[even];
            for (int s : {even, even + 1}) {
                if (!elements_.elements[s].active) continue;
                const ElementMotion& own = elements_.motion[s];
                // The second cloud of a pair moves around the first: its own offset, its own
                // pitch, then the first's position.
                const d3dx::Matrix world =
                    s == even ? placed(own)
                              : d3dx::matrixMultiply(d3dx::matrixMultiply(d3dx::matrixTranslation(own.x, own.y, own.z),
                                                                          pitchMatrix(own.pitch)),
                                                     d3dx::matrixTranslation(lead.x, lead.y, lead.z));
                drawElement(s, textures_[cloudTexture[s - slot::FirstCloud]], cloudView, toD3d(world));
            }
        }
        device_->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
        IDirect3DTexture8* cover =
            linkHovered_ && textures_[slot::CoverLinkHover] ? textures_[slot::CoverLinkHover] : textures_[slot::Cover];
        if (coverShown_ && textures_[slot::Cover]) {
            const D3DMATRIX view = toD3d(d3dx::matrixTranslation(0, 0, distance_));
            drawElement(slot::Cover, cover, view, toD3d(placed(elements_.motion[slot::Cover])));
        }
    } else {
        // A shadow one pixel down and right, then the text.
        static const char message[] = "This Visualization requires Windows Media Player 10 or above.";
        messageFont_.printText(21.0f, 0.4f * float(height_) + 1.0f, 0xFF000032, message);
        messageFont_.printText(20.0f, 0.4f * float(height_), 0xFFFFFF32, message);
        barsHidden_ = true;
    }
    device_->EndScene();
    device_->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    ++framesDrawn_;
    return true;
}

}  // namespace tevaro::album
