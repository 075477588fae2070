#include "host_sim/viz_commands.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "classic_viz/levels/demo_programme.h"
#include "com_support/bstr.h"
#include "host_sim/dsp_session.h"
#include "host_sim/viz/effect_player.h"
#include "host_sim/viz/effect_registry.h"
#include "host_sim/viz/png_file.h"
#include "host_sim/viz/render_target.h"
#include "host_sim/viz/track_media.h"

namespace host_sim {
namespace {

std::string utf8(const std::wstring& text) {
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring wide(const char* text) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(std::max(n, 1) - 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), n);
    return out;
}

IWMPEffects* createEffect(REFCLSID clsid) {
    IWMPEffects* effect = nullptr;
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IWMPEffects), reinterpret_cast<void**>(&effect));
    return effect;
}

// A track handed to NotifyNewMedia before a frame, and a pointer message sent before a frame.
struct MediaCue {
    std::string file;
    int frame = 0;
};
struct PointerCue {
    int frame;
    UINT message;
    int x, y;
};

struct VizArguments {
    std::string effect, input, out;
    bool demo = false, window = false;
    int preset = 0, fps = 30, frames = -1, width = 350, height = 320, depth = 32;
    std::vector<MediaCue> media;
    std::vector<PointerCue> pointer;
};

// FILE or FILE@FRAME.
bool parseMedia(const std::string& value, std::vector<MediaCue>& out) {
    MediaCue cue{value, 0};
    const std::size_t at = value.rfind('@');
    if (at != std::string::npos) {
        cue.file = value.substr(0, at);
        cue.frame = std::atoi(value.c_str() + at + 1);
    }
    if (cue.file.empty() || cue.frame < 0) return false;
    out.push_back(cue);
    return true;
}

// FRAME:move|down|up:X:Y, comma separated.
bool parsePointer(const std::string& value, std::vector<PointerCue>& out) {
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t comma = std::min(value.find(',', start), value.size());
        const std::string item = value.substr(start, comma - start);
        int frame = 0, x = 0, y = 0;
        char kind[8] = {};
        if (std::sscanf(item.c_str(), "%d:%7[a-z]:%d:%d", &frame, kind, &x, &y) != 4) return false;
        const std::string k = kind;
        const UINT message = k == "move" ? WM_MOUSEMOVE : k == "down" ? WM_LBUTTONDOWN : k == "up" ? WM_LBUTTONUP : 0;
        if (message == 0 || frame < 0) return false;
        out.push_back({frame, message, x, y});
        start = comma + 1;
    }
    return true;
}

constexpr int MaxDefaultFrames = 600;  // without --frames, at most 20 s at 30 fps, as viz-render
constexpr int ContactFrames = 12;

bool parseViz(int argc, char** argv, VizArguments& a) {
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--demo") {
            a.demo = true;
            continue;
        }
        if (arg == "--window") {
            a.window = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const char* value = argv[++i];
        if (arg == "--effect")
            a.effect = value;
        else if (arg == "--preset")
            a.preset = std::atoi(value);
        else if (arg == "--input")
            a.input = value;
        else if (arg == "--fps")
            a.fps = std::atoi(value);
        else if (arg == "--frames")
            a.frames = std::atoi(value);
        else if (arg == "--size") {
            if (std::sscanf(value, "%dx%d", &a.width, &a.height) != 2) return false;
        } else if (arg == "--depth")
            a.depth = std::atoi(value);
        else if (arg == "--out")
            a.out = value;
        else if (arg == "--media") {
            if (!parseMedia(value, a.media)) return false;
        } else if (arg == "--pointer") {
            if (!parsePointer(value, a.pointer)) return false;
        } else
            return false;
    }
    const bool depthKnown = a.depth == 8 || a.depth == 16 || a.depth == 24 || a.depth == 32;
    return !a.effect.empty() && !a.out.empty() && (a.demo != !a.input.empty()) && a.fps > 0 && a.width > 0 &&
           a.height > 0 && a.width <= 8192 && a.height <= 8192 && depthKnown;
}

}  // namespace

int runEffects(int, char**) {
    ComApartment com;
    const std::vector<RegisteredEffect> effects = registeredEffects();
    for (const RegisteredEffect& e : effects) {
        wchar_t clsid[40];
        StringFromGUID2(e.clsid, clsid, 40);
        std::printf("%s  %s\n", utf8(e.key).c_str(), utf8(clsid).c_str());
        IWMPEffects* effect = createEffect(e.clsid);
        if (effect == nullptr) {
            std::printf("  (cannot be created)\n");
            continue;
        }
        com_support::Bstr title;
        LONG count = 0;
        effect->GetTitle(title.out());
        effect->GetPresetCount(&count);
        std::printf("  title \"%s\", %ld presets\n", title.get() != nullptr ? utf8(title.get()).c_str() : "",
                    static_cast<long>(count));
        for (LONG i = 0; i < count; ++i) {
            com_support::Bstr preset;
            effect->GetPresetTitle(i, preset.out());
            std::printf("  %ld \"%s\"\n", static_cast<long>(i),
                        preset.get() != nullptr ? utf8(preset.get()).c_str() : "");
        }
        effect->Release();
    }
    if (effects.empty()) std::printf("no visualizations registered\n");
    return 0;
}

int runViz(int argc, char** argv) {
    VizArguments a;
    if (!parseViz(argc, argv, a)) {
        std::fprintf(stderr,
                     "usage: host_sim viz --effect NAME --preset P (--input FILE.wav | --demo) [--fps N] [--frames N]\n"
                     "                    [--size WxH] [--depth 8|16|24|32] [--window] [--media FILE[@FRAME]]...\n"
                     "                    [--pointer FRAME:move|down|up:X:Y,...] --out DIR\n");
        return 2;
    }
    tevaro::levels::StereoAudio audio;
    if (a.demo)
        audio = tevaro::levels::demoProgramme();
    else if (!readAudio(a.input.c_str(), audio)) {
        std::fprintf(stderr, "host_sim: cannot read %s (16-bit PCM WAV)\n", a.input.c_str());
        return 1;
    }
    ComApartment com;
    RegisteredEffect registered;
    if (!findEffect(wide(a.effect.c_str()), registered)) {
        std::fprintf(stderr, "host_sim: no visualization \"%s\" is registered\n", a.effect.c_str());
        return 1;
    }
    IWMPEffects* effect = createEffect(registered.clsid);
    if (effect == nullptr) {
        std::fprintf(stderr, "host_sim: %s cannot be created\n", a.effect.c_str());
        return 1;
    }
    if (FAILED(effect->SetCurrentPreset(a.preset))) {
        std::fprintf(stderr, "host_sim: %s has no preset %d\n", a.effect.c_str(), a.preset);
        effect->Release();
        return 2;
    }
    std::unique_ptr<RenderTarget> target;
    if (a.window) {
        auto window = std::make_unique<WindowTarget>(a.width, a.height);
        if (window->valid()) target = std::move(window);
    } else {
        auto dib = std::make_unique<DibTarget>(a.width, a.height, a.depth);
        if (dib->valid()) target = std::move(dib);
    }
    if (target == nullptr) {
        std::fprintf(stderr, "host_sim: no drawing target of %dx%d\n", a.width, a.height);
        effect->Release();
        return 1;
    }
    const int depth = GetDeviceCaps(target->dc(), BITSPIXEL);
    std::error_code ec;
    // A version 10 effect gets the tracks, the pointer and, in a window, its own window mode.
    IWMPEffects2* effect2 = nullptr;
    effect->QueryInterface(__uuidof(IWMPEffects2), reinterpret_cast<void**>(&effect2));
    std::vector<std::unique_ptr<tevaro::host_sim::TrackMedia>> tracks;
    for (const MediaCue& cue : a.media) {
        const std::wstring path = std::filesystem::absolute(wide(cue.file.c_str()), ec).wstring();
        auto attributes = tevaro::host_sim::TrackMedia::readFile(path);
        if (attributes.empty()) {
            std::fprintf(stderr, "host_sim: cannot read the track %s\n", cue.file.c_str());
            if (effect2 != nullptr) effect2->Release();
            effect->Release();
            return 1;
        }
        tracks.push_back(std::make_unique<tevaro::host_sim::TrackMedia>(std::move(attributes)));
        // A track without its own SourceURL is the attribute file itself: its art lies beside it.
        if (!tracks.back()->has(L"SourceURL")) tracks.back()->set(L"SourceURL", path);
    }
    const bool windowMode = a.window && effect2 != nullptr;
    HWND window = windowMode ? WindowFromDC(target->dc()) : nullptr;
    if (windowMode) effect2->Create(window);

    EffectPlayer player(audio, a.fps);
    const int frames = a.frames >= 0 ? a.frames : std::min(player.framesAvailable(), MaxDefaultFrames);
    std::filesystem::create_directories(a.out, ec);
    const int sheetStep = std::max(1, frames / ContactFrames);
    std::vector<Capture> sheet;
    auto levels = std::make_unique<TimedLevel>();
    int status = 0;
    // A version 10 effect animates by the clock, not by frames: frames are paced to the rate, so
    // that a video of them plays at the speed the effect meant.
    const DWORD start = GetTickCount();
    for (int frame = 0; frame < frames && status == 0; ++frame) {
        if (effect2 != nullptr) {
            const DWORD due = start + DWORD(static_cast<long long>(frame) * 1000 / a.fps);
            const DWORD now = GetTickCount();
            if (int(due - now) > 0) Sleep(due - now);
        }
        player.levelsAt(frame, *levels);
        if (effect2 != nullptr) {
            for (std::size_t i = 0; i < a.media.size(); ++i)
                if (a.media[i].frame == frame) effect2->NotifyNewMedia(tracks[i].get());
            for (const PointerCue& cue : a.pointer) {
                LRESULT result = 0;
                if (cue.frame == frame) effect2->OnWindowMessage(cue.message, 0, MAKELPARAM(cue.x, cue.y), &result);
            }
        }
        RECT rect{0, 0, a.width, a.height};
        if (windowMode)
            effect2->RenderWindowed(levels.get(), FALSE);
        else
            effect->Render(levels.get(), target->dc(), &rect);
        const Capture picture = target->capture();
        char name[32];
        std::snprintf(name, sizeof name, "/frame_%04d.png", frame);
        if (!writePng(a.out + name, picture)) {
            std::fprintf(stderr, "host_sim: cannot write %s%s\n", a.out.c_str(), name);
            status = 1;
        }
        if (frame % sheetStep == sheetStep - 1 && static_cast<int>(sheet.size()) < ContactFrames)
            sheet.push_back(picture);
    }
    com_support::Bstr title;
    effect->GetPresetTitle(a.preset, title.out());
    if (effect2 != nullptr) {
        if (windowMode) effect2->Destroy();
        effect2->Release();
    }
    effect->Release();
    if (status == 0 && !sheet.empty() && !writePng(a.out + "/contact.png", contactSheet(sheet))) status = 1;
    if (status == 0)
        std::printf("host_sim: %d frames of %s - %s at %dx%d, %d bits per pixel%s, in %s\n", frames,
                    utf8(registered.name).c_str(), title.get() != nullptr ? utf8(title.get()).c_str() : "", a.width,
                    a.height, depth, a.window ? " (window)" : "", a.out.c_str());
    return status;
}

}  // namespace host_sim
