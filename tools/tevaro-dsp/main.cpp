// tevaro-dsp: how a Linux user hears the product, and how the demo makes its audio.
#include <sndfile.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "dsp/engine/offline/offline_render.h"
#include "dsp/engine/offline/programmes.h"
#include "tools/tevaro-dsp/command_line.h"

namespace tevaro::dsp {
namespace {

constexpr int demoRate = 44100;
constexpr double progressAboveSeconds = 30.0;

int fail(const std::string& message) {
    std::fprintf(stderr, "tevaro-dsp: %s\n", message.c_str());
    return 1;
}

bool writeWav(const std::string& path, const std::vector<std::int16_t>& samples, int rate, std::string& error) {
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        error = "cannot write " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    const sf_count_t frames = static_cast<sf_count_t>(samples.size() / 2);
    const bool complete = sf_writef_short(file, samples.data(), frames) == frames;
    if (!complete) error = "cannot write " + path + ": " + sf_strerror(file);
    sf_close(file);
    return complete;
}

int makeDemo(const MakeDemo& command) {
    const Programme demo = demoProgramme(static_cast<std::size_t>(demoRate) * command.seconds);
    std::string error;
    return writeWav(command.output, demo, demoRate, error) ? 0 : fail(error);
}

int processFile(const ProcessFile& command) {
    SF_INFO info{};
    SNDFILE* file = sf_open(command.input.c_str(), SFM_READ, &info);
    if (file == nullptr) return fail("cannot read " + command.input + ": " + sf_strerror(nullptr));
    if (info.channels != 2) {
        sf_close(file);
        return fail(command.input + " has " + std::to_string(info.channels) +
                    (info.channels == 1 ? " channel" : " channels") + "; only stereo files can be processed");
    }
    // Float sources are scaled to the 16-bit range rather than clipped at +-1.
    sf_command(file, SFC_SET_SCALE_FLOAT_INT_READ, nullptr, SF_TRUE);
    std::vector<std::int16_t> in(static_cast<std::size_t>(info.frames) * 2);
    const sf_count_t read = sf_readf_short(file, in.data(), info.frames);
    sf_close(file);
    if (read < 0) return fail("cannot read " + command.input);
    in.resize(static_cast<std::size_t>(read) * 2);

    std::vector<std::int16_t> out(in.size());
    // A long file shows how far it has got: redrawn in place on a terminal; a pipe or a log file
    // gets one line when the work is done instead of a hundred carriage returns.
    const bool longFile = read > progressAboveSeconds * info.samplerate;
    const bool onTerminal = isatty(fileno(stderr)) != 0;
    int shown = -1;
    renderProgramme(
        command.settings, in.data(), out.data(), static_cast<std::size_t>(read),
        [&](double done) {
            const int percent = static_cast<int>(done * 100.0);
            if (!longFile || !onTerminal || percent == shown) return;
            shown = percent;
            std::fprintf(stderr, "\rtevaro-dsp: processing %s %3d%%", command.input.c_str(), percent);
            if (percent == 100) std::fputc('\n', stderr);
        },
        command.schedule);
    if (longFile && !onTerminal)
        std::fprintf(stderr, "tevaro-dsp: processed %s, %.1f s of audio\n", command.input.c_str(),
                     static_cast<double>(read) / info.samplerate);

    std::string error;
    return writeWav(command.output, out, info.samplerate, error) ? 0 : fail(error);
}

}  // namespace
}  // namespace tevaro::dsp

int main(int argc, char** argv) {
    using namespace tevaro::dsp;
    const Command command = parseCommandLine(argc, argv);
    if (std::holds_alternative<ShowUsage>(command)) {
        std::fputs(usageText, stdout);
        return 0;
    }
    if (const auto* error = std::get_if<CommandLineError>(&command)) {
        std::fprintf(stderr, "tevaro-dsp: %s\n%s", error->message.c_str(), usageText);
        return 2;
    }
    if (const auto* demo = std::get_if<MakeDemo>(&command)) return makeDemo(*demo);
    return processFile(std::get<ProcessFile>(command));
}
