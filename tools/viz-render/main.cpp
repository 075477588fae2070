// viz-render: renders a classic visualization's preset from a sound file (or the built-in demo
// programme) into PNG frames and a contact sheet, with the same engine the plug-ins run.
//
//   viz-render --effect glintora|tessaray|throbwave|emberlux --preset 0|1|2 [--size WxH] [--fps N] [--frames N]
//   [--input FILE] --out DIR
#include <sndfile.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "classic_viz/framework/effect_core.h"
#include "classic_viz/effect_catalogue.h"
#include "classic_viz/glintora/glintora_archive.h"
#include "classic_viz/tessaray/tessaray_archive.h"
#include "classic_viz/throbwave/pulse_archive.h"
#include "classic_viz/levels/demo_programme.h"
#include "classic_viz/levels/player_spectrum.h"
#include "tools/viz-render/png_output.h"

namespace {

using namespace tevaro;

struct Options {
    std::string effect;
    int preset = -1;
    int width = 350, height = 320;
    int fps = 30;
    int frames = -1;
    std::string input;
    std::string out;
};

// The archives this tool links, and the titles of the contact sheets.
struct EffectEntry {
    const char* name;
    const unsigned char* archive;
    const std::size_t* archiveSize;
    const char* presets[3];
};
const EffectEntry effects[] = {
    {"Glintora", viz::glintoraArchive, &viz::glintoraArchiveSize, {"Starlight", "Star Clouds", "Star Glow"}},
    {"Tessaray", viz::tessarayArchive, &viz::tessarayArchiveSize, {"клумбы огней", "ритм квадратов", "восхищение"}},
    {"Throbwave", viz::pulseArchive, &viz::pulseArchiveSize, {"эти губы", "остров музыки", "ритм стали"}},
    {"Emberlux", viz::pulseArchive, &viz::pulseArchiveSize, {"танец пламени", "краски огня", "заливка"}},
};

const EffectEntry* findEffect(const std::string& name) {
    const viz::CatalogueEntry* known = viz::findCatalogueEntry(name);
    if (known == nullptr) return nullptr;
    for (const EffectEntry& e : effects)
        if (std::strcmp(e.name, known->name) == 0) return &e;
    return nullptr;
}

constexpr int MaxDefaultFrames = 600;  // without --frames, at most 20 s at 30 fps
constexpr int ContactFrames = 12;

int usage() {
    std::fprintf(stderr,
                 "usage: viz-render --effect glintora|tessaray|throbwave|emberlux --preset 0|1|2 [--size WxH] [--fps "
                 "N] [--frames N]\n"
                 "                  [--input FILE] --out DIR\n");
    return 2;
}

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) return false;
        const char* value = argv[++i];
        if (arg == "--effect")
            o.effect = value;
        else if (arg == "--preset")
            o.preset = std::atoi(value);
        else if (arg == "--size") {
            if (std::sscanf(value, "%dx%d", &o.width, &o.height) != 2) return false;
        } else if (arg == "--fps")
            o.fps = std::atoi(value);
        else if (arg == "--frames")
            o.frames = std::atoi(value);
        else if (arg == "--input")
            o.input = value;
        else if (arg == "--out")
            o.out = value;
        else
            return false;
    }
    return findEffect(o.effect) != nullptr && o.preset >= 0 && o.preset <= 2 && o.width > 0 && o.height > 0 &&
           o.width <= 8192 && o.height <= 8192 && o.fps > 0 && !o.out.empty();
}

bool readSound(const std::string& path, levels::StereoAudio& audio) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) return false;
    std::vector<float> interleaved(static_cast<std::size_t>(info.frames) * static_cast<std::size_t>(info.channels));
    sf_readf_float(file, interleaved.data(), info.frames);
    sf_close(file);
    audio.rate = info.samplerate;
    audio.samples.resize(static_cast<std::size_t>(info.frames) * 2);
    for (sf_count_t f = 0; f < info.frames; ++f) {
        const float left = interleaved[static_cast<std::size_t>(f * info.channels)];
        const float right = info.channels > 1 ? interleaved[static_cast<std::size_t>(f * info.channels + 1)] : left;
        audio.samples[static_cast<std::size_t>(2 * f)] = left;
        audio.samples[static_cast<std::size_t>(2 * f + 1)] = right;
    }
    return true;
}

// What the device context shows after a frame: the presented image over what was there before.
void blit(const viz::PresentedImage& image, vizrender::Screen& screen) {
    const int w = std::min(image.width, screen.width), h = std::min(image.height, screen.height);
    for (int y = 0; y < h; ++y)
        std::memcpy(&screen.pixels[static_cast<std::size_t>(y * screen.width)],
                    image.bits.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.stride()),
                    static_cast<std::size_t>(w) * 4);
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) return usage();

    levels::StereoAudio audio;
    if (o.input.empty())
        audio = levels::demoProgramme();
    else if (!readSound(o.input, audio)) {
        std::fprintf(stderr, "viz-render: cannot read %s\n", o.input.c_str());
        return 1;
    }
    const int available = static_cast<int>(static_cast<long long>(audio.frames()) * o.fps / audio.rate);
    const int frames = o.frames >= 0 ? o.frames : std::min(available, MaxDefaultFrames);

    std::error_code ec;
    std::filesystem::create_directories(o.out, ec);

    const EffectEntry& entry = *findEffect(o.effect);
    const viz::CatalogueEntry& maker = *viz::findCatalogueEntry(entry.name);
    viz::RandomSource random;
    const std::unique_ptr<viz::SceneScript> script = maker.makeScript();
    const viz::EffectDescription description = maker.describe(entry.archive, *entry.archiveSize);
    auto effect = std::make_unique<viz::EffectCore>(description, *script, random);
    effect->setCurrentPreset(o.preset);

    levels::PlayerSpectrum spectrum;
    vizrender::Screen screen{o.width, o.height,
                             std::vector<viz::Pixel>(static_cast<std::size_t>(o.width * o.height), 0)};
    viz::PresentedImage image;
    std::vector<vizrender::Screen> sheet;
    std::vector<int> sheetNumbers;
    const int sheetStep = std::max(1, frames / ContactFrames);

    std::array<std::uint8_t, levels::PlayerSpectrum::Bins> bins{};
    for (int frame = 0; frame < frames; ++frame) {
        const int end = static_cast<int>(static_cast<long long>(frame) * audio.rate / o.fps);
        spectrum.compute(audio, end, 0, bins.data());
        if (effect->render(bins.data(), viz::RenderRect{0, 0, o.width, o.height}, 32, image)) blit(image, screen);
        char name[32];
        std::snprintf(name, sizeof name, "/frame_%04d.png", frame);
        if (!vizrender::writePng(screen, o.out + name)) {
            std::fprintf(stderr, "viz-render: cannot write %s%s\n", o.out.c_str(), name);
            return 1;
        }
        if (frame % sheetStep == sheetStep - 1 && static_cast<int>(sheet.size()) < ContactFrames) {
            sheet.push_back(screen);
            sheetNumbers.push_back(frame);
        }
    }
    const std::string title = std::string(entry.name) + " - " + entry.presets[o.preset];
    if (!sheet.empty() && !vizrender::writeContactSheet(sheet, sheetNumbers, title, o.out + "/contact.png")) {
        std::fprintf(stderr, "viz-render: cannot write the contact sheet\n");
        return 1;
    }
    std::printf("viz-render: %d frames of %s at %dx%d in %s\n", frames, title.c_str(), o.width, o.height,
                o.out.c_str());
    return 0;
}
