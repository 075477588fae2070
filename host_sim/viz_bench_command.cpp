// `host_sim viz-bench`: what the visualization face costs. A registered classic visualization (Glintora
// unless --effect names another) renders into a 32-bit DIB section through IWMPEffects::Render, and
// the same engine (EffectCore with the effect's scene, the DLL's own archive) is called directly in
// this process, alternately, on the same levels; the best round of each counts, as milliseconds per frame.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "classic_viz/framework/effect_core.h"
#include "classic_viz/effect_catalogue.h"
#include "com_support/performance_clock.h"
#include "com_support/wmp_effects.h"
#include "host_sim/dsp_session.h"
#include "host_sim/viz/effect_registry.h"
#include "host_sim/viz/render_target.h"
#include "host_sim/viz_commands.h"

namespace host_sim {
namespace {

using com_support::performanceSeconds;

constexpr int WarmUpFrames = 30;  // past the preset's set-up and the first background build

// A busy spectrum that changes every frame, so every sprite and column is redrawn loud.
void busyLevels(int frame, TimedLevel& levels) {
    std::uint32_t state = 0x12345u + static_cast<std::uint32_t>(frame) * 7919u;
    for (auto& b : levels.frequency[0]) {
        state = state * 1664525u + 1013904223u;
        b = static_cast<std::uint8_t>(60 + (state >> 26) * 3);
    }
}

std::vector<std::uint8_t> archiveOf(REFCLSID clsid, const wchar_t* resourceName) {
    wchar_t key[80] = L"CLSID\\";
    StringFromGUID2(clsid, key + 6, 40);
    std::wcscat(key, L"\\InprocServer32");
    wchar_t path[MAX_PATH];
    DWORD bytes = sizeof path;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, path, &bytes) != ERROR_SUCCESS) return {};
    HMODULE data = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    std::vector<std::uint8_t> archive;
    if (data == nullptr) return archive;
    HRSRC found = FindResourceW(data, resourceName, MAKEINTRESOURCEW(10));  // RT_RCDATA
    HGLOBAL loaded = found != nullptr ? LoadResource(data, found) : nullptr;
    const auto* p = static_cast<const std::uint8_t*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    if (p != nullptr) archive.assign(p, p + SizeofResource(data, found));
    FreeLibrary(data);
    return archive;
}

}  // namespace

int runVizBench(int argc, char** argv) {
    int preset = 0, width = 350, height = 320, frames = 25,
        rounds = 40;  // many short rounds: the best one is free of preemption
    std::string name = "Glintora";
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--effect") name = argv[i + 1];
        if (arg == "--preset") preset = std::atoi(argv[i + 1]);
        if (arg == "--size") std::sscanf(argv[i + 1], "%dx%d", &width, &height);
        if (arg == "--frames") frames = std::max(1, std::atoi(argv[i + 1]));
        if (arg == "--rounds") rounds = std::max(1, std::atoi(argv[i + 1]));
    }
    const tevaro::viz::CatalogueEntry* maker = tevaro::viz::findCatalogueEntry(name);
    if (maker == nullptr) return std::fprintf(stderr, "host_sim: no classic visualization \"%s\"\n", name.c_str()), 2;
    name = maker->name;
    const std::wstring wideName(name.begin(), name.end());
    ComApartment com;
    RegisteredEffect registered;
    if (!findEffect(wideName.c_str(), registered))
        return std::fprintf(stderr, "host_sim: %s is not registered\n", name.c_str()), 1;
    IWMPEffects* effect = nullptr;
    if (FAILED(CoCreateInstance(registered.clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IWMPEffects),
                                reinterpret_cast<void**>(&effect))))
        return std::fprintf(stderr, "host_sim: %s cannot be created\n", name.c_str()), 1;
    const std::vector<std::uint8_t> archive = archiveOf(registered.clsid, maker->archiveResource);
    if (archive.empty()) return std::fprintf(stderr, "host_sim: no archive in the DLL\n"), 1;

    using namespace tevaro::viz;
    RandomSource random;
    const std::unique_ptr<SceneScript> script = maker->makeScript();
    const EffectDescription description = maker->describe(archive.data(), archive.size());
    auto engine = std::make_unique<EffectCore>(description, *script, random);
    effect->SetCurrentPreset(preset);
    engine->setCurrentPreset(preset);

    DibTarget target(width, height, 32);
    auto levels = std::make_unique<TimedLevel>();
    PresentedImage image;
    const RenderRect rect{0, 0, width, height};
    int frame = 0;
    auto throughDll = [&](int count) {
        for (int i = 0; i < count; ++i) {
            busyLevels(frame + i, *levels);
            RECT r{0, 0, width, height};
            effect->Render(levels.get(), target.dc(), &r);
        }
        GdiFlush();
    };
    auto direct = [&](int count) {
        for (int i = 0; i < count; ++i) {
            busyLevels(frame + i, *levels);
            engine->render(levels->frequency[0], rect, 32, image);
        }
    };
    BITMAPINFO info{};
    auto transfer = [&] {
        info.bmiHeader = {sizeof info.bmiHeader, image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        SetDIBitsToDevice(target.dc(), 0, 0, static_cast<DWORD>(std::min(image.width, width)),
                          static_cast<DWORD>(image.height), 0, 0, 0, static_cast<UINT>(image.height), image.bits.data(),
                          &info, DIB_RGB_COLORS);
    };
    // The engine with the face's transfer of each frame, in the same process: the face less COM
    // and the depth query.
    auto directAndTransfer = [&](int count) {
        for (int i = 0; i < count; ++i) {
            busyLevels(frame + i, *levels);
            if (engine->render(levels->frequency[0], rect, 32, image)) transfer();
        }
        GdiFlush();
    };
    throughDll(WarmUpFrames);
    direct(WarmUpFrames);
    frame = WarmUpFrames;
    double bestDll = 1e30, bestDirect = 1e30, bestTransferred = 1e30;
    for (int r = 0; r < rounds; ++r) {
        double t0 = performanceSeconds();
        throughDll(frames);
        bestDll = std::min(bestDll, performanceSeconds() - t0);
        t0 = performanceSeconds();
        direct(frames);
        bestDirect = std::min(bestDirect, performanceSeconds() - t0);
        frame += frames;
    }
    // A second engine of its own keeps the first one's frames in step with the DLL's.
    RandomSource random2;
    const std::unique_ptr<SceneScript> script2 = maker->makeScript();
    auto second = std::make_unique<EffectCore>(description, *script2, random2);
    second->setCurrentPreset(preset);
    std::swap(engine, second);
    frame = 0;
    directAndTransfer(WarmUpFrames);
    frame = WarmUpFrames;
    for (int r = 0; r < rounds; ++r) {
        const double t0 = performanceSeconds();
        directAndTransfer(frames);
        bestTransferred = std::min(bestTransferred, performanceSeconds() - t0);
        frame += frames;
    }
    // Wine answers BITSPIXEL slowly (PLANES costs nothing): the part of the face's cost that is the
    // per-frame depth query the face must make.
    double depthQueryMs = 1e30;
    for (int r = 0; r < rounds; ++r) {
        const double t0 = performanceSeconds();
        for (int i = 0; i < frames; ++i) GetDeviceCaps(target.dc(), BITSPIXEL);
        depthQueryMs = std::min(depthQueryMs, (performanceSeconds() - t0) * 1000.0 / frames);
    }
    effect->Release();
    const double dllMs = bestDll * 1000.0 / frames, directMs = bestDirect * 1000.0 / frames;
    const double transferredMs = bestTransferred * 1000.0 / frames;
    std::printf("%s preset %d at %dx%d, 32-bit DC, best of %d rounds of %d frames\n", name.c_str(), preset, width,
                height, rounds, frames);
    std::printf("  EffectCore called directly: %7.3f ms per frame\n", directMs);
    std::printf("  %-25s: %7.3f ms per frame\n", (name + ".dll Render").c_str(), dllMs);
    std::printf("  COM face and blit         : %+.2f %%\n", (dllMs / directMs - 1.0) * 100.0);
    std::printf("  EffectCore and transfer   : %7.3f ms per frame (SetDIBitsToDevice of each frame)\n", transferredMs);
    std::printf("  the depth query alone     : %7.3f ms per frame (GetDeviceCaps BITSPIXEL)\n", depthQueryMs);
    std::printf("  the face beyond transfer  : %+.2f %%\n", (dllMs / transferredMs - 1.0) * 100.0);
    return 0;
}

}  // namespace host_sim
