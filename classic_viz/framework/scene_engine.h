#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "classic_viz/framework/image_archive.h"
#include "classic_viz/framework/layer.h"
#include "classic_viz/framework/pixels.h"
#include "classic_viz/framework/spectrum_analysis.h"

namespace tevaro::viz {

// The camera of the placement; every effect flattens it for its presets.
struct Camera {
    int focalLength = 400;
    int nearOffset = -318;
    int viewX = 6104, viewY = 6537;
    int groundAngle = 0;  // whole degrees
    int tilt = 90;        // whole degrees

    bool flat() const { return nearOffset == 0 && viewX == 0 && viewY == 0 && tilt == 0 && groundAngle == 0; }
    void flatten() {
        viewX = viewY = nearOffset = 0;
        tilt = 0;
    }
};

// Which archive pictures the default layout gives layers 0..5.
struct DefaultPictures {
    int archiveSlot = 0;
    std::array<int, 6> images{};
};

// The 52-layer sprite compositor shared by the classic visualizations. Scene scripts write the
// layer and motion records; the frame sequence animates, places, clips, sorts and draws them into
// the canvas. All buffers are kept between frames and reallocated only when a size changes;
// allocation failures surface as std::bad_alloc for the caller to turn into its fault flag.
class SceneEngine {
public:
    static constexpr int LayerCapacity = 52;
    static constexpr int SlotCount = 10;
    static constexpr std::int32_t StampInvalid = INT32_MIN;

    SceneEngine();

    // Engine-wide state.
    std::array<Layer, LayerCapacity> layers{};
    std::array<LayerMotion, LayerCapacity> motion{};
    Camera camera;
    int layerCount = LayerCapacity;
    Pixel clearColour = 0;
    int activePreset = 0;
    int brushStyle = 1;  // how the spectrum painter fills its brush
    bool sceneStarted = false;
    bool sceneBuilt = false;
    float convergenceCentreX = 175.0f;
    bool perspectiveConvergence = true;
    std::array<float, 360> sinTable{};
    std::array<float, 360> cosTable{};

    // Canvas (top row first).
    void chooseCanvasSize(int width, int height);
    int canvasWidth() const { return canvasWidth_; }
    int canvasHeight() const { return canvasHeight_; }
    const Pixel* canvasPixels() const { return canvas_.data(); }
    Target canvasTarget() { return Target{canvas_.data(), canvasWidth_, canvasHeight_}; }

    // Archives: decoded once into their slot, kept until release.
    ImageArchive& archive(int slot) { return archives_[static_cast<std::size_t>(slot)]; }
    bool ensureArchive(int slot, const std::uint8_t* bytes, std::size_t length);

    // Scene operations.
    void resetScene();
    void fillTrigTables();
    void defaultLayout(const DefaultPictures& pictures, SpectrumAnalysis& spectrum);
    void releaseAll();

    void setPicture(int layer, int slot, int image);
    void loadPicture(int layer);
    void freeLayer(int layer);
    void giveOwnBuffer(int layer, int width, int height, Pixel fill);
    void releaseLayerImages(int layer);
    void clearToBlack(int layer);
    void clearLayerZero();
    void stampIntoLayerZero(int layer);
    void copyPixels(int from, int to);
    void refresh(int layer);
    void fillFromPaletteRow(int layer, int row);

    // Frame sequence steps.
    void frameStateRules();
    void animate();
    void render();

    // Render parts, public for tests and for the scripts that stamp.
    void place(int layer);
    void clip(int layer);
    void sortLayers();
    void drawLayer(int layer, const Target& target, bool forceComposite);
    const std::array<int, LayerCapacity + 1>& drawList() const { return drawList_; }

    // The image the passes left (picture, pass buffer A or B); empty when that buffer is missing.
    ImageView currentImage(int layer);
    // The layer's size after scaling (scale 0 and 254..258 draw unscaled).
    int scaledWidth(const Layer& layer) const;
    int scaledHeight(const Layer& layer) const;

private:
    void buildDistanceMap(int layer);
    void edgePass(int layer);
    void runPasses(int layer);
    Pixel* passOutput(int layer, int selector);
    void compositeLayer(int layer, const ImageView& source, const Target& target);

    std::array<LayerImages, LayerCapacity> images_{};
    std::array<ImageArchive, SlotCount> archives_{};
    std::vector<Pixel> canvas_;
    int canvasWidth_ = 0, canvasHeight_ = 0;
    std::array<int, LayerCapacity + 1> drawList_{};
    std::vector<Pixel> scaled_;            // scratch of a scaled layer
    std::vector<int> columnMap_, rowMap_;  // scratch of the scaling
};

}  // namespace tevaro::viz
