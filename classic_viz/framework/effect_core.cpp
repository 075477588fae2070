#include "classic_viz/framework/effect_core.h"

#include <new>

namespace tevaro::viz {

void SceneScript::continueScene(EffectCore& effect) {
    SceneEngine& scene = effect.scene;
    if (!scene.layers[0].picture) return;
    if (scene.sceneBuilt && scene.layers[0].isComposited()) scene.clearLayerZero();
    run(effect);
}

EffectCore::EffectCore(const EffectDescription& description, SceneScript& script, RandomSource& random)
    : spectrum(description.mirrorsOrderNine), random(random), description_(description), script_(script) {}

bool EffectCore::setCurrentPreset(int index) {
    if (index < 0 || index >= PresetCount) {
        if (description_.resetOnInvalidPreset) fullReset();
        return false;
    }
    currentPreset_ = index;
    requestedPreset = index + 1;
    return true;
}

void EffectCore::fullReset() {
    scene.releaseAll();
    initialised = false;
}

void EffectCore::chooseCanvasSize(int width, int height) {
    scene.chooseCanvasSize(width, height);
    canvasScaleX = windowWidth * 256 / scene.canvasWidth();
    canvasScaleY = windowHeight * 256 / scene.canvasHeight();
}

void EffectCore::startPresetScene() {
    scene.clearColour = 0;
    if (scene.sceneBuilt) {
        scene.clearToBlack(0);
        scene.clearToBlack(2);
    }
    defaultLayout();
    scene.sceneBuilt = true;
}

void EffectCore::initialise() {
    scene.resetScene();
    initialised = true;
    windowWidth = 350;
    windowHeight = 320;
    scene.chooseCanvasSize(350, 320);
    canvasScaleX = canvasScaleY = 256;
    scene.convergenceCentreX = 175.0f;
    scene.ensureArchive(description_.archiveSlot, description_.archive, description_.archiveLength);
    defaultLayout();
    scene.fillTrigTables();
}

void EffectCore::trackRect(const RenderRect& rect) {
    originX_ = rect.left;
    originY_ = rect.top;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width != windowWidth || height != windowHeight) {
        windowWidth = width;
        windowHeight = height;
        resized = true;
        resizeCounter_ = 0;
    } else {
        resized = false;
    }
    // Stale borders are repainted on every 17th frame too, not only on size changes.
    if (resizeCounter_ < 16) {
        ++resizeCounter_;
    } else {
        resizeCounter_ = 0;
        resized = true;
    }
}

bool EffectCore::render(std::uint8_t* frequency, const RenderRect& rect, int screenDepth, PresentedImage& out) {
    fault = false;
    try {
        if (!initialised) initialise();
        if (!scene.ensureArchive(description_.archiveSlot, description_.archive, description_.archiveLength))
            fault = true;
    } catch (const std::bad_alloc&) {
        fault = true;
    }
    if (fault) {
        initialised = false;
        return false;
    }
    trackRect(rect);
    spectrum.frame(frequency, random);
    try {
        frameSequence(screenDepth, out);
    } catch (const std::bad_alloc&) {
        fault = true;
        return false;
    }
    return true;
}

void EffectCore::frameSequence(int screenDepth, PresentedImage& out) {
    scene.frameStateRules();
    scene.animate();
    if (requestedPreset != scene.activePreset) {
        scene.activePreset = requestedPreset;
        scene.sceneStarted = false;
        script_.run(*this);
    } else {
        script_.continueScene(*this);
    }
    scene.render();
    presenter_.present(scene.canvasPixels(), scene.canvasWidth(), scene.canvasHeight(), windowWidth, windowHeight,
                       screenDepth, resized, out);
    out.originX = originX_;
    out.originY = originY_;
}

}  // namespace tevaro::viz
