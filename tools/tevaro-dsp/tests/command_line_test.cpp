#include "tools/tevaro-dsp/command_line.h"

#include <gtest/gtest.h>

#include <vector>

#include "settings_link/settings_word.h"

namespace tevaro::dsp {
namespace {

Command parse(std::vector<const char*> args) {
    args.insert(args.begin(), "tevaro-dsp");
    return parseCommandLine(static_cast<int>(args.size()), args.data());
}

TEST(TevaroDspCommandLine, ChoosesTheSettingsWord) {
    struct Case {
        std::vector<const char*> args;
        std::uint32_t word;
        bool on, mute;
    };
    const std::vector<Case> cases = {
        {{"in.wav", "out.wav"}, FlagNeutral | FlagQualityMid, true, false},
        {{"--preset", "rock-pop", "--quality", "max", "in.wav", "out.wav"}, FlagRockPop | FlagQualityMax, true, false},
        {{"--preset", "classic", "in.wav", "out.wav", "--quality", "min"}, FlagClassic | FlagQualityMin, true, false},
        {{"--preset", "jazz", "--off", "in.wav", "out.wav"}, FlagJazz | FlagQualityMid, false, false},
        {{"--preset", "movie", "--mute", "in.wav", "out.wav"}, FlagMovie | FlagQualityMid, true, true},
        {{"--word", "0x1170", "--preset", "jazz", "in.wav", "out.wav"}, 0x1170, true, false},
        {{"--word", "1025", "in.wav", "out.wav"}, 1025, true, false},
    };
    for (const Case& c : cases) {
        const Command command = parse(c.args);
        const auto* process = std::get_if<ProcessFile>(&command);
        ASSERT_NE(process, nullptr) << c.args.size();
        EXPECT_EQ(process->settings.word, c.word);
        EXPECT_EQ(process->settings.surroundOn, c.on);
        EXPECT_EQ(process->settings.mute, c.mute);
        EXPECT_EQ(process->input, "in.wav");
        EXPECT_EQ(process->output, "out.wav");
    }
}

TEST(TevaroDspCommandLine, RefusesWhatItCannotUnderstand) {
    const std::vector<std::vector<const char*>> bad = {
        {},
        {"in.wav"},
        {"a", "b", "c"},
        {"--preset", "pop", "in.wav", "out.wav"},
        {"--quality", "high", "in.wav", "out.wav"},
        {"--word", "0xZZ", "in.wav", "out.wav"},
        {"--word"},
        {"--loud", "in.wav", "out.wav"},
        {"--make-demo"},
        {"--buffer-frames", "0", "in.wav", "out.wav"},
        {"--change", "12", "in.wav", "out.wav"},
        {"--change", "x:0x428", "in.wav", "out.wav"},
        {"--change", "9:0x428", "--change", "3:0x430", "in.wav", "out.wav"},
        {"--make-demo", "--seconds", "0", "demo.wav"},
    };
    for (const auto& args : bad) {
        const Command command = parse(args);
        EXPECT_TRUE(std::holds_alternative<CommandLineError>(command)) << args.size();
    }
}

TEST(TevaroDspCommandLine, ReplaysTheSettingsChangesAPlayerSaw) {
    const Command command = parse({"--word", "0x1170", "--buffer-frames", "4410", "--change", "12:0x1528", "--change",
                                   "12:0x0528", "--change", "0x20:1064", "in.wav", "out.wav"});
    const auto* process = std::get_if<ProcessFile>(&command);
    ASSERT_NE(process, nullptr);
    EXPECT_EQ(process->schedule.bufferFrames, 4410u);
    ASSERT_EQ(process->schedule.changes.size(), 3u);
    EXPECT_EQ(process->schedule.changes[0].buffer, 12u);
    EXPECT_EQ(process->schedule.changes[0].slot, 0x1528u);
    EXPECT_EQ(process->schedule.changes[1].slot, 0x0528u);
    EXPECT_EQ(process->schedule.changes[2].buffer, 32u);
    EXPECT_EQ(process->schedule.changes[2].slot, 1064u);
    const Command plainCommand = parse({"in.wav", "out.wav"});
    const auto* plain = std::get_if<ProcessFile>(&plainCommand);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->schedule.bufferFrames, 4096u);
    EXPECT_TRUE(plain->schedule.changes.empty());
}

TEST(TevaroDspCommandLine, DemoAndHelp) {
    const Command demo = parse({"--make-demo", "demo.wav"});
    ASSERT_TRUE(std::holds_alternative<MakeDemo>(demo));
    EXPECT_EQ(std::get<MakeDemo>(demo).output, "demo.wav");
    EXPECT_EQ(std::get<MakeDemo>(demo).seconds, 60);
    const Command shortDemo = parse({"--make-demo", "--seconds", "6", "demo.wav"});
    ASSERT_TRUE(std::holds_alternative<MakeDemo>(shortDemo));
    EXPECT_EQ(std::get<MakeDemo>(shortDemo).seconds, 6);
    EXPECT_TRUE(std::holds_alternative<ShowUsage>(parse({"--help"})));
}

}  // namespace
}  // namespace tevaro::dsp
