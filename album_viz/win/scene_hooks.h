#pragma once
#include <windows.h>
#include <d3d8.h>

namespace tevaro::album {

// What the framework calls on the scene it runs. Every hook answers whether it succeeded.
class SceneHooks {
public:
    virtual ~SceneHooks() = default;
    virtual bool oneTimeInit() = 0;
    virtual bool createDeviceResources(IDirect3DDevice8* device, const D3DCAPS8& caps) = 0;
    virtual bool restoreDeviceResources(IDirect3DDevice8* device, const D3DSURFACE_DESC& backBuffer) = 0;
    virtual void loseDeviceResources() = 0;
    virtual void destroyDeviceResources() = 0;
    virtual void setupCamera() = 0;
    virtual bool causticPass() = 0;
    virtual bool renderScene() = 0;
    // After the reset that follows a lost device: still water, caustics on, the scene counts as built.
    virtual void afterLostReset() = 0;
    virtual void clearHeights() = 0;
    // Whether the elements have been built for the current render size; until they are, a new
    // device starts from the camera of the initial texture sizes.
    virtual bool sceneBuilt() const = 0;
    virtual void resetCamera() = 0;
    // The readback buffer could not be allocated.
    virtual void setFault() = 0;
};

}  // namespace tevaro::album
