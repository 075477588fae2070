#pragma once
#include <cstddef>
#include <cstdint>

#include "classic_viz/framework/presentation.h"
#include "classic_viz/framework/random_source.h"
#include "classic_viz/framework/scene_engine.h"
#include "classic_viz/framework/spectrum_analysis.h"

namespace tevaro::viz {

class EffectCore;

// What one effect adds to the shared engine: its scene for each preset and its per-frame animation.
class SceneScript {
public:
    virtual ~SceneScript() = default;
    // Runs in the frame sequence's preset check; sees sceneStarted clear on the first frame of a preset.
    virtual void run(EffectCore& effect) = 0;
    // The preset check of a frame whose preset did not change. The common form: when layer 0 has
    // pixels, clear it if the scene is built and composited, then run the script.
    virtual void continueScene(EffectCore& effect);
};

// The constants that tell the effects apart.
struct EffectDescription {
    int archiveSlot = 0;
    const std::uint8_t* archive = nullptr;
    std::size_t archiveLength = 0;
    DefaultPictures defaultPictures;
    bool mirrorsOrderNine = false;      // order mode 9 also mirrors the spectrum
    bool resetOnInvalidPreset = false;  // a bad preset index restarts the whole scene
};

struct RenderRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Everything of a frame that is not the player's interface: the audio update, the frame sequence
// and the presentation into pixels. The Windows face hands it the player's levels and rectangle and
// blits what comes back.
class EffectCore {
public:
    static constexpr int PresetCount = 3;

    EffectCore(const EffectDescription& description, SceneScript& script, RandomSource& random);

    // One frame. `frequency` is the first channel of the player's spectrum (1024 bytes), reduced in
    // place. Returns false when nothing is to be drawn this frame (a fault).
    bool render(std::uint8_t* frequency, const RenderRect& rect, int screenDepth, PresentedImage& out);

    // 0..2 is accepted; anything else is refused (and, where the effect says so, restarts the scene).
    bool setCurrentPreset(int index);
    int currentPreset() const { return currentPreset_; }
    void fullReset();

    // Shared with the scene scripts.
    SceneEngine scene;
    SpectrumAnalysis spectrum;
    RandomSource& random;
    int requestedPreset = 0;
    int windowWidth = 350, windowHeight = 320;
    int canvasScaleX = 256, canvasScaleY = 256;
    bool resized = true;
    bool initialised = false;
    bool fault = false;

    // The preset a scene builds: the active preset's index.
    int presetIndex() const { return scene.activePreset - 1; }
    void chooseCanvasSize(int width, int height);
    void defaultLayout() { scene.defaultLayout(description_.defaultPictures, spectrum); }
    // The common start of a preset's set-up: black clear colour, the painted layers 0 and 2 blacked
    // out when a scene was built, the default layout, and the scene-built flag set.
    void startPresetScene();
    const EffectDescription& description() const { return description_; }

private:
    void initialise();
    void trackRect(const RenderRect& rect);
    void frameSequence(int screenDepth, PresentedImage& out);

    const EffectDescription& description_;
    SceneScript& script_;
    Presenter presenter_;
    int currentPreset_ = 0;
    int resizeCounter_ = 0;
    int originX_ = 0, originY_ = 0;
};

}  // namespace tevaro::viz
