// Run by the scene tests with no X display: the framework must come up without a device and keep
// rendering frames harmlessly. Exit 0 for that, 1 when a device appeared, 2 when a window did.
#include <windows.h>

#include "album_viz/win/d3d8_runtime.h"
#include "album_viz/win/device_window.h"
#include "album_viz/win/scene_app.h"
#include "album_viz/win/scene_renderer.h"

int main() {
    using namespace tevaro::album;
    if (IDirect3D8* d3d = createDirect3D8()) {
        d3d->Release();
        return 1;
    }
    SceneRenderer renderer(GetModuleHandleW(nullptr));
    SceneApp app(renderer);
    DeviceWindow window;
    const bool windowMade = window.create(350, 320);
    app.setWindow(window.handle(), true);
    for (int frame = 0; frame < 3; ++frame) {
        app.create();
        app.renderFrame();
    }
    if (app.device() != nullptr || renderer.framesDrawn() != 0) return 1;
    return windowMade ? 2 : 0;
}
