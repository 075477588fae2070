#pragma once
#include <algorithm>
#include <initializer_list>
#include <vector>

#include "classic_viz/framework/scene_engine.h"
#include "classic_viz/tests/archive_bytes.h"

namespace tevaro::viz::testing {

// An engine with a flat camera, a 20 x 10 canvas and, in slot 0, an archive of solid pictures:
// entry k has the size and colour of pictures[k - 1].
struct SolidPicture {
    int width, height;
    std::uint32_t colour;
};

class SceneFixture {
public:
    explicit SceneFixture(const std::vector<SolidPicture>& pictures, int canvasWidth = 20, int canvasHeight = 10) {
        std::vector<RawEntry> entries;
        for (const SolidPicture& p : pictures)
            entries.push_back({0xC24, static_cast<std::uint32_t>(p.width), static_cast<std::uint32_t>(p.height),
                               run24(p.colour, static_cast<std::uint32_t>(p.width * p.height))});
        bytes = buildArchive(entries);
        scene.ensureArchive(0, bytes.data(), bytes.size());
        scene.camera.flatten();
        scene.chooseCanvasSize(canvasWidth, canvasHeight);
    }

    // A drawn, composited layer showing archive entry `image`.
    Layer& show(int n, int image, int layerClass = ClassAnimated) {
        Layer& layer = scene.layers[static_cast<std::size_t>(n)];
        layer.layerClass = layerClass;
        layer.state = StateDraw;
        layer.keyColour = NoKey;
        scene.setPicture(n, 0, image);
        return layer;
    }
    void hideAllBut(std::initializer_list<int> shown) {
        for (int n = 0; n < SceneEngine::LayerCapacity; ++n)
            if (std::find(shown.begin(), shown.end(), n) == shown.end())
                scene.layers[static_cast<std::size_t>(n)].layerClass = ClassFree;
    }
    Pixel canvasAt(int x, int y) const { return scene.canvasPixels()[y * scene.canvasWidth() + x]; }

    std::vector<std::uint8_t> bytes;
    SceneEngine scene;
};

}  // namespace tevaro::viz::testing
