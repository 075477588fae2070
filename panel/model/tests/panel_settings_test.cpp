#include "panel/model/panel_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string>

namespace tevaro::panel {
namespace {

ValueQuery queried(std::initializer_list<std::uint8_t> bytes) {
    ValueQuery q;
    q.keyOpened = true;
    q.valueRead = true;
    q.dataSize = static_cast<std::uint32_t>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), q.data.begin());
    return q;
}

ValueQuery dword(std::uint32_t v) {
    return queried({static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
                    static_cast<std::uint8_t>(v >> 24)});
}

struct ReadCase {
    const char* name;
    ValueQuery query;
    std::uint32_t expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.name; }

class ReadSettings : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadSettings, KeepsOnlyAWordWithOnePresetAndOneQuality) {
    EXPECT_EQ(readSettingsWord(GetParam().query), GetParam().expected);
}

ValueQuery keyMissing() { return {}; }
ValueQuery valueMissing() {
    ValueQuery q;
    q.keyOpened = true;
    return q;
}
ValueQuery tooLongForTheBuffer() {
    ValueQuery q = dword(0x0202);
    q.valueRead = false;  // the query reports more data than fits
    q.dataSize = 20;
    return q;
}
ValueQuery reportedPastTheBuffer() {
    ValueQuery q = dword(0x0202);
    q.dataSize = 14;
    return q;
}

INSTANTIATE_TEST_SUITE_P(
    Registry, ReadSettings,
    testing::Values(ReadCase{"key_missing", keyMissing(), 0x1170}, ReadCase{"value_missing", valueMissing(), 0x1170},
                    ReadCase{"too_long_for_the_buffer", tooLongForTheBuffer(), 0x1170},
                    ReadCase{"size_past_the_buffer", reportedPastTheBuffer(), 0x1170},
                    ReadCase{"classic_min_surround_off", dword(0x0202), 0x0202},
                    ReadCase{"movie_max_auto_warning", dword(0x1528), 0x1528},
                    // Bits 0x200 and 0x20 hold Min and the switch: one quality, accepted.
                    ReadCase{"classic_min_switch_on", dword(0x0222), 0x0222},
                    ReadCase{"min_and_max", dword(0x0602), 0x1170}, ReadCase{"mid_and_max", dword(0x0C10), 0x1170},
                    ReadCase{"all_three_levels", dword(0x0E10), 0x1170}, ReadCase{"two_presets", dword(0x0203), 0x1170},
                    ReadCase{"no_preset", dword(0x0200), 0x1170}, ReadCase{"no_quality", dword(0x0030), 0x1170},
                    // A valid word is kept whole, bits the panel never composes included.
                    ReadCase{"high_bits_kept", dword(0xABCD4222), 0xABCD4222},
                    // The value's type is not looked at: the first four bytes are the word.
                    ReadCase{"eight_bytes", queried({0x28, 0x04, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}), 0x0428},
                    ReadCase{"thirteen_bytes", queried({0x10, 0x08, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), 0x0810},
                    ReadCase{"three_bytes", queried({0x02, 0x02, 0x00}), 0x1170},
                    ReadCase{"empty", queried({}), 0x1170}),
    [](const auto& info) { return std::string(info.param.name); });

// What an ANSI query gives for a string value: its characters and the terminator.
ValueQuery ansiString(const char* text) {
    ValueQuery q;
    q.keyOpened = true;
    const std::size_t size = std::strlen(text) + 1;
    q.valueRead = size <= ValueBufferBytes;
    q.dataSize = static_cast<std::uint32_t>(size);
    if (q.valueRead) std::memcpy(q.data.data(), text, size);
    return q;
}

struct EnableCase {
    const char* name;
    ValueQuery query;
    bool enabled;
};

void PrintTo(const EnableCase& c, std::ostream* os) { *os << c.name; }

class DspEnableTest : public testing::TestWithParam<EnableCase> {};

TEST_P(DspEnableTest, CountsFiveBytesAsEnabled) { EXPECT_EQ(dspEnabledFrom(GetParam().query), GetParam().enabled); }

ValueQuery fiveBytesButNotRead() {
    ValueQuery q = ansiString("true");
    q.valueRead = false;
    return q;
}
ValueQuery fiveBytesKeyClosed() {
    ValueQuery q = ansiString("true");
    q.keyOpened = false;
    return q;
}

INSTANTIATE_TEST_SUITE_P(
    Player, DspEnableTest,
    testing::Values(EnableCase{"true", ansiString("true"), true}, EnableCase{"false", ansiString("false"), false},
                    EnableCase{"other_four_letters", ansiString("nope"), true},
                    EnableCase{"upper_case_true", ansiString("TRUE"), true}, EnableCase{"empty", ansiString(""), false},
                    EnableCase{"three_letters", ansiString("yes"), false},
                    EnableCase{"twelve_letters", ansiString("truetruetrue"), false},
                    EnableCase{"too_long_for_the_buffer", ansiString("true and more besides"), false},
                    EnableCase{"value_missing", valueMissing(), false}, EnableCase{"key_missing", keyMissing(), false},
                    EnableCase{"read_failed_with_size_5", fiveBytesButNotRead(), false},
                    EnableCase{"key_not_opened", fiveBytesKeyClosed(), false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DspEnableTest, SizesAreThoseOfAnAnsiQuery) {
    // A wide-character "true" is 10 bytes as stored; the ANSI query converts it and reports 5.
    ValueQuery wide = queried({'t', 0, 'r', 0, 'u', 0, 'e', 0, 0, 0});
    EXPECT_FALSE(dspEnabledFrom(wide));
    EXPECT_EQ(ansiString("true").dataSize, 5u);
    EXPECT_EQ(ansiString("false").dataSize, 6u);
}

struct ComposeCase {
    const char* name;
    PanelChoices choices;
    std::uint32_t word;
};

void PrintTo(const ComposeCase& c, std::ostream* os) { *os << c.name; }

class ComposeSettings : public testing::TestWithParam<ComposeCase> {};

TEST_P(ComposeSettings, SetsOneBitPerChoice) { EXPECT_EQ(composeSettingsWord(GetParam().choices), GetParam().word); }

PanelChoices choose(int preset, int level, bool on, bool autoMode, bool warning) {
    PanelChoices c;
    if (preset >= 0) c.presetSelected[preset] = true;
    if (level >= 0) c.levelSelected[level] = true;
    c.surroundOn = on;
    c.autoMode = autoMode;
    c.showWarning = warning;
    return c;
}

PanelChoices everything() {
    PanelChoices c;
    c.presetSelected.fill(true);
    c.levelSelected.fill(true);
    c.surroundOn = c.autoMode = c.showWarning = true;
    return c;
}

INSTANTIATE_TEST_SUITE_P(
    Word, ComposeSettings,
    testing::Values(ComposeCase{"nothing", PanelChoices{}, 0},
                    ComposeCase{"classic_min", choose(PresetClassic, LevelMin, false, false, false), 0x0202},
                    ComposeCase{"rock_pop_max_on", choose(PresetRockPop, LevelMax, true, false, false), 0x0421},
                    ComposeCase{"jazz_mid_auto", choose(PresetJazz, LevelMid, false, true, false), 0x0904},
                    ComposeCase{"movie_max_warning", choose(PresetMovie, LevelMax, false, false, true), 0x1408},
                    ComposeCase{"neutral_mid_on_auto_warning", choose(PresetNeutral, LevelMid, true, true, true),
                                0x1930},
                    // Bit 0x40 of the default word is never composed.
                    ComposeCase{"everything", everything(), 0x1F3F}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsSlot, CarriesTheLowSixteenBits) {
    EXPECT_EQ(settingsSlotValue(0x1170), 0x1170);
    EXPECT_EQ(settingsSlotValue(0xABCD4222), 0x4222);
}

}  // namespace
}  // namespace tevaro::panel
