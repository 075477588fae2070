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
    };
    for (const auto& args : bad) {
        const Command command = parse(args);
        EXPECT_TRUE(std::holds_alternative<CommandLineError>(command)) << args.size();
    }
}

TEST(TevaroDspCommandLine, DemoAndHelp) {
    const Command demo = parse({"--make-demo", "demo.wav"});
    ASSERT_TRUE(std::holds_alternative<MakeDemo>(demo));
    EXPECT_EQ(std::get<MakeDemo>(demo).output, "demo.wav");
    EXPECT_TRUE(std::holds_alternative<ShowUsage>(parse({"--help"})));
}

}  // namespace
}  // namespace tevaro::dsp
