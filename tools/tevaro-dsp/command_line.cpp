#include "tools/tevaro-dsp/command_line.h"

#include "dsp/engine/offline/presets.h"

#include <cstdlib>
#include <string_view>
#include <vector>

namespace tevaro::dsp {

const char* const usageText =
    "usage: tevaro-dsp [--preset rock-pop|classic|jazz|movie|neutral] [--quality min|mid|max]\n"
    "                  [--word 0xNNNN] [--off] [--mute] [--buffer-frames N] [--change BUFFER:SLOT]... IN OUT\n"
    "       tevaro-dsp --make-demo [--seconds N] OUT\n"
    "Runs a stereo sound file through the headphone surround chain at 16 bits, as the player's\n"
    "DSP plug-in does, and writes a 16-bit WAV file at the input's sample rate.\n"
    "Defaults: --preset neutral --quality mid, surround on, not muted. --word gives the raw\n"
    "settings word instead of preset and quality; --off switches surround off (audio copied).\n"
    "--buffer-frames sets the frames per buffer (4096). --change replays what a player saw: from\n"
    "buffer BUFFER (counted from 0) on, the settings slot holds SLOT, read at a refresh before it\n"
    "(repeat it in buffer order).\n"
    "--make-demo writes the built-in 44.1 kHz demo programme, one minute unless --seconds says.\n";

namespace {

std::optional<std::uint32_t> parseWord(std::string_view text) {
    if (text.empty()) return std::nullopt;
    const std::string s(text);
    char* end = nullptr;
    const unsigned long value = std::strtoul(s.c_str(), &end, 0);
    if (end == s.c_str() || *end != '\0' || value > 0xFFFFFFFFul) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

std::optional<std::size_t> parseCount(std::string_view text) {
    const auto n = parseWord(text);
    if (!n || *n == 0) return std::nullopt;
    return static_cast<std::size_t>(*n);
}

// BUFFER:SLOT, buffers counted from 0.
std::optional<SettingsChange> parseChange(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const auto buffer = parseWord(text.substr(0, colon));
    const auto slot = parseWord(text.substr(colon + 1));
    if (!buffer || !slot) return std::nullopt;
    return SettingsChange{*buffer, *slot};
}

}  // namespace

Command parseCommandLine(int argc, const char* const* argv) {
    std::uint32_t preset = FlagNeutral;
    std::uint32_t quality = FlagQualityMid;
    std::optional<std::uint32_t> word;
    ChainSettings settings;
    std::vector<std::string> files;
    bool makeDemo = false;
    int demoSeconds = 60;
    RenderSchedule schedule;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const auto value = [&]() -> std::optional<std::string_view> {
            if (i + 1 >= argc) return std::nullopt;
            return std::string_view(argv[++i]);
        };
        if (arg == "--help" || arg == "-h") return ShowUsage{};
        if (arg == "--preset" || arg == "--quality" || arg == "--word") {
            const auto v = value();
            if (!v) return CommandLineError{std::string(arg) + " needs a value"};
            if (arg == "--preset") {
                const auto flag = flagNamed(presetNames, *v);
                if (!flag)
                    return CommandLineError{"unknown preset '" + std::string(*v) +
                                            "' (rock-pop, classic, jazz, movie, neutral)"};
                preset = *flag;
            } else if (arg == "--quality") {
                const auto flag = flagNamed(qualityNames, *v);
                if (!flag) return CommandLineError{"unknown quality '" + std::string(*v) + "' (min, mid, max)"};
                quality = *flag;
            } else {
                word = parseWord(*v);
                if (!word)
                    return CommandLineError{"--word needs a number such as 0x0411, not '" + std::string(*v) + "'"};
            }
        } else if (arg == "--buffer-frames" || arg == "--seconds") {
            const auto v = value();
            const auto n = v ? parseCount(*v) : std::nullopt;
            if (!n) return CommandLineError{std::string(arg) + " needs a positive number"};
            if (arg == "--seconds")
                demoSeconds = static_cast<int>(*n);
            else
                schedule.bufferFrames = *n;
        } else if (arg == "--change") {
            const auto v = value();
            const auto change = v ? parseChange(*v) : std::nullopt;
            if (!change) return CommandLineError{"--change needs BUFFER:SLOT such as 12:0x0428"};
            if (!schedule.changes.empty() && change->buffer < schedule.changes.back().buffer)
                return CommandLineError{"--change must come in buffer order"};
            schedule.changes.push_back(*change);
        } else if (arg == "--off") {
            settings.surroundOn = false;
        } else if (arg == "--mute") {
            settings.mute = true;
        } else if (arg == "--make-demo") {
            makeDemo = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return CommandLineError{"unknown option " + std::string(arg)};
        } else {
            files.emplace_back(arg);
        }
    }
    if (makeDemo) {
        if (files.size() != 1) return CommandLineError{"--make-demo needs exactly one output file"};
        return MakeDemo{files[0], demoSeconds};
    }
    if (files.size() != 2) return CommandLineError{"expected an input and an output file"};
    settings.word = word ? *word : preset | quality;
    return ProcessFile{settings, files[0], files[1], schedule};
}

}  // namespace tevaro::dsp
