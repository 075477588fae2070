#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "settings_link/settings_word.h"

namespace tevaro {
namespace {

struct StoredWordCase {
    const char* name;
    std::optional<std::uint32_t> stored;
    std::uint32_t expected;
};

// Keeps ctest's test names readable.
void PrintTo(const StoredWordCase& c, std::ostream* os) { *os << c.name; }

class StoredWord : public testing::TestWithParam<StoredWordCase> {};

TEST_P(StoredWord, AcceptsOnlyOnePresetAndOneQuality) {
    EXPECT_EQ(settingsWordFromStore(GetParam().stored), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Registry, StoredWord,
    testing::Values(StoredWordCase{"missing", std::nullopt, 4464}, StoredWordCase{"classic_min", 0x0202, 0x0202},
                    StoredWordCase{"classic_min_switch_on", 0x0222, 0x0222},
                    StoredWordCase{"movie_max_auto_warning", 0x1528, 0x1528},
                    StoredWordCase{"neutral_mid", 0x0810, 0x0810}, StoredWordCase{"two_presets", 0x0203, 4464},
                    StoredWordCase{"quality_min_and_max", 0x0601, 4464},
                    StoredWordCase{"quality_mid_and_max", 0x0C01, 4464}, StoredWordCase{"no_quality", 0x0001, 4464},
                    StoredWordCase{"no_preset", 0x0400, 4464}, StoredWordCase{"default_word_itself", 4464, 4464},
                    StoredWordCase{"zero", 0, 4464}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SettingsWord, DefaultIsNeutralSurroundAutoWarningWithoutQuality) {
    EXPECT_EQ(DefaultSettingsWord, 0x1170u);
    EXPECT_EQ(DefaultSettingsWord & PresetMask, FlagNeutral);
    EXPECT_EQ(DefaultSettingsWord & QualityMask, 0u);
    EXPECT_TRUE(DefaultSettingsWord & FlagSurroundOn);
    EXPECT_TRUE(DefaultSettingsWord & FlagAutoQuality);
    EXPECT_TRUE(DefaultSettingsWord & FlagQualityWarning);
}

}  // namespace
}  // namespace tevaro
