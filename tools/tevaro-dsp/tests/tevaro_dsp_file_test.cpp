// Runs the real tevaro-dsp executable on files and checks what a user and a script see.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "dsp/engine/offline/offline_render.h"
#include "dsp/engine/offline/programmes.h"
#include "settings_link/settings_word.h"

namespace tevaro::dsp {
namespace {

namespace fs = std::filesystem;

struct Files : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("tevaro-dsp-test-" + std::to_string(::getpid()));
    void SetUp() override { fs::create_directories(dir); }
    void TearDown() override { fs::remove_all(dir); }

    std::string path(const char* name) const { return (dir / name).string(); }

    static void write(const std::string& file, const std::vector<std::int16_t>& samples, int channels, int rate) {
        SF_INFO info{};
        info.samplerate = rate;
        info.channels = channels;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE* f = sf_open(file.c_str(), SFM_WRITE, &info);
        ASSERT_NE(f, nullptr);
        sf_write_short(f, samples.data(), static_cast<sf_count_t>(samples.size()));
        sf_close(f);
    }
    static std::vector<std::int16_t> read(const std::string& file, SF_INFO& info) {
        SNDFILE* f = sf_open(file.c_str(), SFM_READ, &info);
        if (f == nullptr) return {};
        std::vector<std::int16_t> samples(static_cast<std::size_t>(info.frames * info.channels));
        sf_read_short(f, samples.data(), static_cast<sf_count_t>(samples.size()));
        sf_close(f);
        return samples;
    }
    // Exit status and standard error of one run.
    std::pair<int, std::string> run(const std::string& args) const {
        const std::string err = path("stderr.txt");
        const int status = std::system((std::string(TEVARO_DSP_EXE) + " " + args + " 2> " + err).c_str());
        std::ifstream in(err);
        std::stringstream text;
        text << in.rdbuf();
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text.str()};
    }
};

TEST_F(Files, OutputEqualsTheChainAndKeepsTheSampleRate) {
    const Programme in = steeringWorkout(5000);
    write(path("in.wav"), in, 2, 48000);
    const auto [status, messages] = run("--preset jazz --quality max " + path("in.wav") + " " + path("out.wav"));
    ASSERT_EQ(status, 0) << messages;
    SF_INFO info{};
    const auto out = read(path("out.wav"), info);
    EXPECT_EQ(info.samplerate, 48000);
    EXPECT_EQ(info.channels, 2);
    Programme expected(in.size());
    renderProgramme(ChainSettings{FlagJazz | FlagQualityMax, true, false}, in.data(), expected.data(), in.size() / 2);
    EXPECT_EQ(out, expected);
}

// Standard error is a file here, as in a log: a long file leaves one line, a short one none.
TEST_F(Files, ProgressIsOneSummaryLineWhenStandardErrorIsNoTerminal) {
    struct Case {
        int seconds;
        const char* expected;
    };
    const Case cases[] = {{31, "tevaro-dsp: processed IN, 31.0 s of audio\n"}, {29, ""}};
    for (const Case& c : cases) {
        write(path("in.wav"), Programme(static_cast<std::size_t>(c.seconds) * 8000 * 2), 2, 8000);
        const auto [status, messages] = run(path("in.wav") + " " + path("out.wav"));
        ASSERT_EQ(status, 0) << messages;
        std::string expected = c.expected;
        if (const auto at = expected.find("IN"); at != std::string::npos) expected.replace(at, 2, path("in.wav"));
        EXPECT_EQ(messages, expected) << c.seconds << " s";
    }
}

TEST_F(Files, OffCopiesAndMuteSilences) {
    const Programme in = demoProgramme(3000);
    write(path("in.wav"), in, 2, 44100);
    ASSERT_EQ(run("--off " + path("in.wav") + " " + path("off.wav")).first, 0);
    ASSERT_EQ(run("--word 0x411 --mute " + path("in.wav") + " " + path("mute.wav")).first, 0);
    SF_INFO info{};
    EXPECT_EQ(read(path("off.wav"), info), in);
    EXPECT_EQ(read(path("mute.wav"), info), Programme(in.size(), 0));
}

TEST_F(Files, ExplainsUnreadableFilesAndChannelCounts) {
    write(path("mono.wav"), std::vector<std::int16_t>(1000, 5), 1, 44100);
    std::ofstream(path("junk.wav")) << "not a sound file";
    struct Case {
        std::string args, message;
        int status;
    };
    const Case cases[] = {
        {path("mono.wav") + " " + path("o.wav"), "has 1 channel; only stereo files can be processed", 1},
        {path("junk.wav") + " " + path("o.wav"), "cannot read " + path("junk.wav"), 1},
        {path("missing.wav") + " " + path("o.wav"), "cannot read " + path("missing.wav"), 1},
        {"--preset loud " + path("mono.wav") + " " + path("o.wav"), "unknown preset 'loud'", 2},
    };
    for (const Case& c : cases) {
        const auto [status, messages] = run(c.args);
        EXPECT_EQ(status, c.status) << c.args;
        EXPECT_NE(messages.find(c.message), std::string::npos) << messages;
        EXPECT_FALSE(fs::exists(path("o.wav"))) << c.args;
    }
}

}  // namespace
}  // namespace tevaro::dsp
