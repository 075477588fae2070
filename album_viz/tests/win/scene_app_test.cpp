// The framework and the scene on the bed's real Direct3D 8 (llvmpipe under Wine on Xvfb), with
// the frames read back: from the player's DC in DC mode, from the screen in window mode.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "album_viz/scene/camera.h"
#include "album_viz/tests/win/forwarding_device.h"
#include "album_viz/win/device_window.h"
#include "album_viz/win/scene_app.h"
#include "album_viz/win/scene_renderer.h"
#include "com_support/dib_section.h"

namespace tevaro::album {
namespace {

constexpr int W = 350, H = 320;

// Blocks of 50 × 40 pixels in colours that differ in every channel, so a misplaced or scaled
// picture shows at block centres.
std::uint32_t blockColour(int x, int y) {
    const int bx = x / 50, by = y / 40;
    return 0xFF000000u | std::uint32_t(((bx * 37 + 20) & 0xFF) << 16) | std::uint32_t(((by * 31 + 10) & 0xFF) << 8) |
           std::uint32_t((bx * 53 + by * 97 + 5) & 0xFF);
}

std::vector<std::uint32_t> blockPicture(int w, int h) {
    std::vector<std::uint32_t> p(std::size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p[std::size_t(y) * w + x] = blockColour(x, y);
    return p;
}

bool closeTo(std::uint32_t got, std::uint32_t want, int tolerance) {
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(int((got >> shift) & 0xFF) - int((want >> shift) & 0xFF)) > tolerance) return false;
    return true;
}

// The player's DC of DC mode, filled with a sentinel that no frame leaves behind.
struct PlayerDc {
    com_support::DibSection dib;
    HDC dc;

    PlayerDc(int w, int h) : dib(w, h), dc(dib.dc()) {
        for (int i = 0; i < w * h; ++i) dib.pixels()[i] = 0x00123456;
    }
    std::uint32_t at(int x, int y) const {
        GdiFlush();
        return dib.at(x, y) & 0xFFFFFF;
    }
};

// The player's visualization window: no background of its own, so only the device draws into it.
LRESULT CALLBACK playerProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_PAINT) {
        ValidateRect(window, nullptr);
        return 0;
    }
    return DefWindowProcW(window, message, w, l);
}

const wchar_t* playerClass() {
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = playerProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TevaroTestPlayerView";
        return RegisterClassW(&wc);
    }();
    return atom ? L"TevaroTestPlayerView" : L"STATIC";
}

// A device that refuses every validation, as one without the blending stages the caustics need.
struct RefusingDevice : test::ForwardingDevice {
    using ForwardingDevice::ForwardingDevice;
    HRESULT STDMETHODCALLTYPE ValidateDevice(DWORD*) override { return D3DERR_UNSUPPORTEDCOLOROPERATION; }
};

// A device that reports itself lost, or lost and ready to reset, as often as the test says.
struct LosingDevice : test::ForwardingDevice {
    using ForwardingDevice::ForwardingDevice;
    int lostFrames = 0, notResetFrames = 0, resets = 0;
    HRESULT STDMETHODCALLTYPE TestCooperativeLevel() override {
        if (lostFrames > 0) return --lostFrames, D3DERR_DEVICELOST;
        if (notResetFrames > 0) return --notResetFrames, D3DERR_DEVICENOTRESET;
        return inner_->TestCooperativeLevel();
    }
    HRESULT STDMETHODCALLTYPE Reset(D3DPRESENT_PARAMETERS* p) override {
        ++resets;
        return inner_->Reset(p);
    }
};

// A device whose render targets cannot be switched: the caustic map's scene never begins.
struct NoRenderTargetDevice : test::ForwardingDevice {
    using ForwardingDevice::ForwardingDevice;
    HRESULT STDMETHODCALLTYPE SetRenderTarget(IDirect3DSurface8*, IDirect3DSurface8*) override {
        return D3DERR_INVALIDCALL;
    }
};

template <typename Device>
IDirect3DDevice8* wrapWith(IDirect3DDevice8* created, void* made) {
    auto* device = new Device(created);
    if (made) *static_cast<Device**>(made) = device;
    return device;
}

double scriptedClock(void* context) { return *static_cast<double*>(context); }

struct Scene {
    double clock = 1.0;
    SceneRenderer renderer{GetModuleHandleW(nullptr)};
    SceneApp app{renderer, scriptedClock, &clock};
    DeviceWindow deviceWindow;
    HWND playerWindow = nullptr;

    explicit Scene(bool dcMode, SceneApp::DeviceWrap wrap = nullptr, void* wrapContext = nullptr,
                   bool failHal = false) {
        app.failHalForTest(failHal);
        renderer.setRenderSize(W, H);
        renderer.setDcMode(dcMode);
        app.wrapDevicesForTest(wrap, wrapContext);
        SceneElement& bg = renderer.elements().elements[slot::Background];
        bg.kind = -1;
        bg.width = W;
        bg.height = H;
        bg.image = blockPicture(W, H);
        bg.cleanCopy = bg.image;
        if (dcMode) {
            deviceWindow.create(W, H);
            app.setWindow(deviceWindow.handle(), true);
        } else {
            playerWindow = CreateWindowExW(WS_EX_TOPMOST, playerClass(), L"player", WS_POPUP | WS_VISIBLE, 0, 0, W, H,
                                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
            app.setWindow(playerWindow, false);
        }
        app.create();
    }
    ~Scene() {
        app.cleanup();
        if (playerWindow) DestroyWindow(playerWindow);
    }
    void frame() {
        clock += 0.05;
        app.renderFrame();
    }
    // A square cover of one colour with its texture, at the given position facing the camera.
    bool placeCover(int side, std::uint32_t argb, float x, float y, float z) {
        SceneElement& cover = renderer.elements().elements[slot::Cover];
        cover.kind = -1;
        cover.width = cover.height = side;
        cover.image.assign(std::size_t(side) * side, argb);
        renderer.elements().motion[slot::Cover] = {x, y, z, StandUpPitch};
        return renderer.makeElementTexture(slot::Cover);
    }
};

void pumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

TEST(SceneAppDcMode, BackgroundComesOutOneToOneAtEveryDepth) {
    struct Case {
        int bits;
        int tolerance;  // 5 bits per channel lose up to 7
    };
    for (const Case c : {Case{32, 0}, Case{24, 0}, Case{16, 8}}) {
        SCOPED_TRACE(c.bits);
        Scene scene(true);
        ASSERT_NE(scene.app.device(), nullptr) << "no Direct3D device on the bed";
        PlayerDc player(W, H);
        scene.app.setOutput(player.dc, c.bits, 0, 0);
        scene.frame();
        ASSERT_EQ(scene.renderer.framesDrawn(), 1);
        int wrong = 0;
        for (int y = 0; y < H; y += 7)
            for (int x = 0; x < W; x += 5)
                if (!closeTo(player.at(x, y), blockColour(x, y) & 0xFFFFFF, c.tolerance) && ++wrong < 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << player.at(x, y) << " not "
                                  << (blockColour(x, y) & 0xFFFFFF);
        EXPECT_EQ(wrong, 0);
    }
}

TEST(SceneAppDcMode, CoverPlacedByTheLayoutLandsOnItsMargins) {
    Scene scene(true);
    ASSERT_NE(scene.app.device(), nullptr);
    ASSERT_TRUE(scene.placeCover(CoverPanelWidth, 0xFFFF0000, 0, 0, 0));
    const float d = scene.renderer.referenceDistance();
    const CoverLayout l = layoutCover({W, H, 1.0f, 1, d, 512, CoverPanelWidth, CoverPanelWidth, false, 0});
    scene.renderer.elements().motion[slot::Cover] = {l.x, l.y, l.z, StandUpPitch};
    const Placement p = placeElement(d, 512, W, H, CoverPanelWidth, CoverPanelWidth, l.x, l.y, l.z);
    ASSERT_EQ(p.drawWidth, 192);
    PlayerDc player(W, H);
    scene.app.setOutput(player.dc, 32, 0, 0);
    scene.frame();
    struct Probe {
        int x, y;
        bool red;
    };
    // The corner at (20, 20) and the far corner 192 pixels on; the outermost pixels of the panel
    // are blended with the transparent texels beside it by the linear filter.
    const Probe probes[] = {{22, 22, true},
                            {17, 17, false},
                            {20 + 190, 20 + 190, true},
                            {20 + 194, 20 + 100, false},
                            {20 + 100, 20 + 194, false},
                            {100, 100, true}};
    for (const Probe& pr : probes) {
        SCOPED_TRACE(testing::Message() << pr.x << "," << pr.y);
        const std::uint32_t got = player.at(pr.x, pr.y);
        if (pr.red) {
            EXPECT_TRUE(closeTo(got, 0xFF0000, 4)) << std::hex << got;
        } else {
            EXPECT_TRUE(closeTo(got, blockColour(pr.x, pr.y) & 0xFFFFFF, 4)) << std::hex << got;
        }
    }
}

TEST(SceneAppDcMode, FrameWithNoElapsedTimeDrawsAndCopiesNothing) {
    Scene scene(true);
    ASSERT_NE(scene.app.device(), nullptr);
    PlayerDc player(W, H);
    scene.app.setOutput(player.dc, 32, 0, 0);
    scene.app.renderFrame();  // the clock has not moved since the device started
    EXPECT_EQ(scene.renderer.framesDrawn(), 0);
    EXPECT_EQ(player.at(100, 100), 0x123456u);
    scene.frame();
    EXPECT_EQ(scene.renderer.framesDrawn(), 1);
    EXPECT_EQ(player.at(100, 100), blockColour(100, 100) & 0xFFFFFF);
}

TEST(SceneAppDcMode, LostDeviceSkipsFramesAndANotResetOneIsResetWithoutDrawing) {
    LosingDevice* device = nullptr;
    Scene scene(true, wrapWith<LosingDevice>, &device);
    ASSERT_NE(scene.app.device(), nullptr);
    ASSERT_NE(device, nullptr);
    PlayerDc player(W, H);
    scene.app.setOutput(player.dc, 32, 0, 0);
    device->lostFrames = 2;
    device->notResetFrames = 1;
    struct Step {
        int resets, lostResets, frames;
        bool copied;
    };
    // Lost twice: nothing; not reset: one reset, still nothing drawn; then the frame renders.
    const Step steps[] = {{0, 0, 0, false}, {0, 0, 0, false}, {1, 1, 0, false}, {1, 1, 1, true}, {1, 1, 2, true}};
    for (const Step& step : steps) {
        scene.frame();
        EXPECT_EQ(device->resets, step.resets);
        EXPECT_EQ(scene.renderer.lostResets(), step.lostResets);
        EXPECT_EQ(scene.renderer.framesDrawn(), step.frames);
        EXPECT_EQ(player.at(100, 100) != 0x123456u, step.copied);
    }
    EXPECT_TRUE(scene.renderer.causticsEnabled());
}

TEST(SceneAppDcMode, DeviceWindowIsAHiddenFullScreenClassPopUp) {
    Scene scene(true);
    ASSERT_NE(scene.app.device(), nullptr);
    HWND window = FindWindowW(L"Full_screen_class", nullptr);
    ASSERT_EQ(window, scene.deviceWindow.handle());
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(GetWindowLongW(window, GWL_STYLE) & WS_POPUP);
    // Created top-most; the device's start moves it behind the top-most windows, still hidden.
    EXPECT_FALSE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    RECT r{};
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, W);
    EXPECT_EQ(r.bottom - r.top, H);
}

TEST(SceneAppDcMode, AFailedHalDeviceFallsBackToTheReferenceDevice) {
    Scene scene(true, nullptr, nullptr, true);
    bool referenceListed = false;
    for (const DeviceRecord& d : scene.app.catalog().adapters.at(0).devices)
        referenceListed |= d.type == DeviceType::Ref && d.windowed;
    // The bed's Direct3D lists a windowable reference device beside the HAL one.
    ASSERT_TRUE(referenceListed);
    ASSERT_NE(scene.app.device(), nullptr);
    EXPECT_EQ(scene.app.deviceType(), D3DDEVTYPE_REF);
    PlayerDc player(W, H);
    scene.app.setOutput(player.dc, 32, 0, 0);
    scene.frame();
    EXPECT_EQ(player.at(100, 100), blockColour(100, 100) & 0xFFFFFF);
    EXPECT_EQ(scene.app.catalog().adapters.at(0).devices.at(0).type, DeviceType::Hal);
}

// Pixels of the version message's yellow (0xFFFF32) in the band where it is written.
int messagePixels(const PlayerDc& player) {
    int n = 0;
    for (int y = int(0.4f * H) - 2; y < int(0.4f * H) + 24; ++y)
        for (int x = 0; x < W; ++x) n += closeTo(player.at(x, y), 0xFFFF32, 24);
    return n;
}

TEST(SceneAppDcMode, BelowPlayerVersion10OnlyTheBackgroundAndTheMessageShow) {
    struct Case {
        double version;
        bool message, cover;
    };
    for (const Case c : {Case{9.0, true, false}, Case{10.0, false, true}}) {
        SCOPED_TRACE(c.version);
        Scene scene(true);
        ASSERT_NE(scene.app.device(), nullptr);
        scene.renderer.setPlayerVersion(c.version);
        ASSERT_TRUE(scene.placeCover(100, 0xFF0000FF, 0, 0, 0));
        PlayerDc player(W, H);
        scene.app.setOutput(player.dc, 32, 0, 0);
        scene.frame();
        EXPECT_EQ(messagePixels(player) > 40, c.message) << messagePixels(player);
        EXPECT_EQ(closeTo(player.at(W / 2, H / 2 + 30), 0x0000FF, 4), c.cover);
        EXPECT_EQ(scene.renderer.barsHidden(), c.message);
        // The message starts at the left margin and leaves the far side of the window alone.
        if (c.message) {
            EXPECT_EQ(player.at(5, int(0.4f * H) + 6), blockColour(5, int(0.4f * H) + 6) & 0xFFFFFF);
        }
    }
}

TEST(SceneAppTechnique, ACausticPassThatCannotBeginSwitchesToTheTechniqueWithoutCaustics) {
    Scene scene(true, wrapWith<NoRenderTargetDevice>);
    ASSERT_NE(scene.app.device(), nullptr);
    ASSERT_EQ(scene.renderer.technique(), 0);
    ASSERT_TRUE(scene.renderer.causticsEnabled());
    PlayerDc player(W, H);
    scene.app.setOutput(player.dc, 32, 0, 0);
    scene.frame();
    EXPECT_FALSE(scene.renderer.causticsEnabled());
    EXPECT_EQ(scene.renderer.technique(), 2);
    // The frame itself still goes out.
    EXPECT_EQ(scene.renderer.framesDrawn(), 1);
    EXPECT_EQ(player.at(100, 100), blockColour(100, 100) & 0xFFFFFF);
}

TEST(SceneAppDcMode, ANewRenderSizeResetsTheBackBufferToIt) {
    Scene scene(true);
    ASSERT_NE(scene.app.device(), nullptr);
    constexpr int w = 400, h = 300;
    SceneElement& bg = scene.renderer.elements().elements[slot::Background];
    bg.width = w;
    bg.height = h;
    bg.image = blockPicture(w, h);
    bg.cleanCopy = bg.image;
    scene.renderer.setRenderSize(w, h);
    ASSERT_EQ(scene.app.resize(w, h), S_OK);
    EXPECT_EQ(scene.app.backBuffer().Width, UINT(w));
    EXPECT_EQ(scene.app.backBuffer().Height, UINT(h));
    PlayerDc player(W, H);  // the player's DC is smaller: the blit clips
    scene.app.setOutput(player.dc, 32, 0, 0);
    scene.frame();
    EXPECT_EQ(scene.renderer.framesDrawn(), 1);
    EXPECT_EQ(player.at(W - 1, h - 1), blockColour(W - 1, h - 1) & 0xFFFFFF);
    EXPECT_EQ(player.at(10, h), 0x123456u);  // below the 300 rows nothing is drawn
}

// A new device on a scene that is still to be built starts from the camera of 512 textures; on a
// built scene it keeps the camera of the textures it has.
TEST(SceneAppDcMode, ANewDeviceResetsTheCameraOnlyWhileTheSceneIsUnbuilt) {
    for (const bool built : {false, true}) {
        SCOPED_TRACE(built ? "built" : "unbuilt");
        Scene scene(true);
        ASSERT_NE(scene.app.device(), nullptr);
        ASSERT_TRUE(scene.placeCover(100, 0xFF808080u, 0, 0, 0));
        ASSERT_EQ(scene.renderer.elementTextureSize(), 256);
        const float d256 = cameraDistance(256, H);
        ASSERT_FLOAT_EQ(scene.renderer.referenceDistance(), d256);
        scene.renderer.setSceneBuilt(built);
        scene.app.cleanup();
        scene.app.create();
        ASSERT_NE(scene.app.device(), nullptr);
        EXPECT_EQ(scene.renderer.elementTextureSize(), built ? 256 : 512);
        EXPECT_FLOAT_EQ(scene.renderer.referenceDistance(), built ? d256 : cameraDistance(512, H));
        EXPECT_FLOAT_EQ(scene.renderer.backgroundDistance(), cameraDistance(512, H));
    }
}

TEST(SceneAppTechnique, TheFirstTechniqueThatValidatesIsUsed) {
    Scene accepted(true);
    ASSERT_NE(accepted.app.device(), nullptr);
    EXPECT_EQ(accepted.renderer.technique(), 0);
    accepted.app.cleanup();
    Scene refused(true, wrapWith<RefusingDevice>);
    ASSERT_NE(refused.app.device(), nullptr);
    EXPECT_EQ(refused.renderer.technique(), 2);
    // And T2 still draws the picture.
    PlayerDc player(W, H);
    refused.app.setOutput(player.dc, 32, 0, 0);
    ASSERT_TRUE(refused.placeCover(100, 0xFF00FF00, 0, 0, 0));
    refused.frame();
    EXPECT_TRUE(closeTo(player.at(W / 2, H / 2), 0x00FF00, 4)) << std::hex << player.at(W / 2, H / 2);
}

// Whether the blocks of the test picture show on the screen where the player's window is, each
// centre moved outward by the given magnification; retried over a few frames, since the X server
// shows a presented frame a little later.
int wrongBlocksOnScreen(Scene& scene, float s) {
    auto count = [&](bool report) {
        HDC screen = GetDC(nullptr);  // Present's output is on the screen, not in the window's GDI surface
        int wrong = 0;
        for (int by = 0; by < H / 40; ++by)
            for (int bx = 0; bx < W / 50; ++bx) {
                const float cx = 25 + 50 * bx, cy = 20 + 40 * by;
                const int sx = int(W / 2.0f + (cx - W / 2.0f) * s), sy = int(H / 2.0f + (cy - H / 2.0f) * s);
                if (sx >= W || sy >= H) continue;
                const COLORREF c = GetPixel(screen, sx, sy);
                const std::uint32_t rgb = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
                if (!closeTo(rgb, blockColour(int(cx), int(cy)) & 0xFFFFFF, 4) && ++wrong < 5 && report)
                    ADD_FAILURE() << "block " << bx << "," << by << " at " << sx << "," << sy << " is " << std::hex
                                  << rgb;
            }
        ReleaseDC(nullptr, screen);
        return wrong;
    };
    for (int attempt = 0; attempt < 20 && count(false) != 0; ++attempt) {
        pumpMessages();
        scene.frame();
        Sleep(50);
    }
    return count(true);
}

TEST(SceneAppWindowMode, BackgroundQuadFillsThePlayersWindowTexelPerPixel) {
    Scene scene(false);
    ASSERT_NE(scene.app.device(), nullptr);
    EXPECT_TRUE(IsWindowVisible(scene.playerWindow));  // the device's start leaves the player's window alone
    ASSERT_TRUE(scene.renderer.makeElementTexture(slot::Background));
    // The quad sits at z = 1, slightly nearer than the plane the camera distance is set for.
    const float s = scene.renderer.backgroundDistance() / (scene.renderer.backgroundDistance() + 1.0f);
    EXPECT_NEAR(s, 1.03f, 0.01f);
    EXPECT_EQ(wrongBlocksOnScreen(scene, s), 0);
}

TEST(SceneAppWindowMode, WithoutABackgroundTextureTheProcessorCopiesThePicture) {
    Scene scene(false);
    ASSERT_NE(scene.app.device(), nullptr);
    EXPECT_EQ(wrongBlocksOnScreen(scene, 1.0f), 0);
    EXPECT_GT(scene.renderer.framesDrawn(), 0);
}

}  // namespace
}  // namespace tevaro::album
