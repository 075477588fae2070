#pragma once
#include <cstdint>

#include <windows.h>
#include <d3d8.h>

#include "album_viz/scene/scene_element.h"
#include "album_viz/scene/sprite_grid.h"
#include "album_viz/win/atlas_font.h"
#include "album_viz/win/d3dx_effect.h"
#include "album_viz/win/scene_hooks.h"

namespace tevaro::album {

// The album-art scene drawn through the framework's hooks: every element a textured sprite grid
// through the scene effect, back to front (background, cloud pairs, cover), with the caustic map
// rendered first while the technique uses it.
class SceneRenderer : public SceneHooks {
public:
    // The module holding the effect text "DATATABLE_sha" and the TGA template "DATATABLE_tga".
    explicit SceneRenderer(HMODULE resources) : resources_(resources) {}
    ~SceneRenderer() override;

    SceneElements& elements() { return elements_; }
    const SceneElements& elements() const { return elements_; }
    void setRenderSize(int width, int height);
    void setDcMode(bool dc) { dcMode_ = dc; }
    void setPlayerVersion(double v) { playerVersion_ = v; }
    void setCoverShown(bool shown, bool linkHovered) {
        coverShown_ = shown;
        linkHovered_ = linkHovered;
    }
    // The bars' side of each frame: whether they are hidden, how long ago a peak last moved and
    // whether the frame rate gave up on them. They decide which background pixels are copied.
    void setBars(bool hidden, std::uint32_t msSinceActivity, bool lowRate) {
        barsHiddenByLayout_ = hidden;
        msSinceBarActivity_ = msSinceActivity;
        lowRate_ = lowRate;
    }
    // Makes the texture of an element from its image; false when none could be made.
    bool makeElementTexture(int slot);
    void releaseTextures();

    int technique() const { return effect_.technique(); }
    bool causticsEnabled() const { return causticsEnabled_; }
    float referenceDistance() const { return distance_; }
    float backgroundDistance() const { return backgroundDistance_; }
    int elementTextureSize() const { return textureSize_; }
    bool barsHidden() const { return barsHidden_; }
    int framesDrawn() const { return framesDrawn_; }
    int lostResets() const { return lostResets_; }
    bool faulted() const { return fault_; }
    // Seconds the last frame spent copying the background into the back buffer on the processor.
    double lastBackgroundCopySeconds() const { return backgroundCopySeconds_; }

    bool oneTimeInit() override;
    bool createDeviceResources(IDirect3DDevice8* device, const D3DCAPS8& caps) override;
    bool restoreDeviceResources(IDirect3DDevice8* device, const D3DSURFACE_DESC& backBuffer) override;
    void loseDeviceResources() override;
    void destroyDeviceResources() override;
    void setupCamera() override;
    bool causticPass() override;
    bool renderScene() override;
    void afterLostReset() override;
    void clearHeights() override { grid_.clearHeights(); }
    void setFault() override { fault_ = true; }
    bool sceneBuilt() const override { return sceneBuilt_; }
    void setSceneBuilt(bool built) { sceneBuilt_ = built; }
    void resetCamera() override;

private:
    void chooseTechnique();
    void drawElement(int slot, IDirect3DTexture8* texture, const D3DMATRIX& view, const D3DMATRIX& world);
    bool copyBackgroundByProcessor();
    bool copyBandRows();
    bool barsLive(std::uint32_t withinMs) const { return !barsHiddenByLayout_ && msSinceBarActivity_ < withinMs; }
    bool copyRows(const std::uint32_t* pixels, int firstRow, int rows);
    void updateDistances();

    HMODULE resources_;
    SceneElements elements_;
    SpriteGrid grid_;
    // The version message's font, and the smaller one kept beside it.
    AtlasFont messageFont_{L"Arial", 12, AtlasFont::Bold};
    AtlasFont smallFont_{L"Arial", 9, AtlasFont::Bold};
    D3dxEffect effect_;
    IDirect3DDevice8* device_ = nullptr;
    D3DSURFACE_DESC backBuffer_{};
    DWORD maxTextureWidth_ = 0;
    IDirect3DTexture8* textures_[slot::Count] = {};
    IDirect3DTexture8* causticTexture_ = nullptr;
    IDirect3DSurface8* causticSurface_ = nullptr;
    IDirect3DVertexBuffer8* gridVertices_ = nullptr;
    IDirect3DVertexBuffer8* causticVertices_ = nullptr;
    IDirect3DIndexBuffer8* indices_ = nullptr;
    int width_ = 350, height_ = 320;
    bool dcMode_ = false;
    double playerVersion_ = 10.0;
    bool coverShown_ = true, linkHovered_ = false;
    bool gridDirty_ = true, causticsEnabled_ = false, deviceObjects_ = false, barsHidden_ = false;
    bool fault_ = false;
    bool barsHiddenByLayout_ = false, lowRate_ = false;
    std::uint32_t msSinceBarActivity_ = 0xFFFFFFFFu;
    static constexpr int initialTextureSize = 512;
    int textureSize_ = initialTextureSize, backgroundTextureSize_ = initialTextureSize;
    bool sceneBuilt_ = false;
    float distance_ = 0, backgroundDistance_ = 0;
    int framesDrawn_ = 0, lostResets_ = 0;
    double backgroundCopySeconds_ = 0;
};

}  // namespace tevaro::album
