// The panel as a user meets it in host_sim's player window: what every control shows in each look
// (pixel for pixel the bitmap the look chooses, from the DLL's own resources), the background,
// real clicks and what they publish into the settings block, the two dialogs, the blocked mutex,
// the registry word kept between sessions, and windows and GDI objects given back.
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <chrono>
#include <set>
#include <tuple>

#include "host_sim/ui/pointer_input.h"
#include "panel_test_support.h"
#include "settings_link/settings_block.h"

namespace tevaro::panel::test {
namespace {

using host_sim::Capture;

constexpr int Rock = 1000, Classic = 1001, Jazz = 1002, Movie = 1003, Neutral = 1004, Switch = 1005, Info = 1006,
              Auto = 1007, Min = 1008, Max = 1009, Mid = 1010, Status = 1011;
constexpr POINT InSwitchHotSpot = {50, 20};
constexpr POINT ButtonMiddle = {30, 10};

constexpr const wchar_t* InactiveTitle = L"Tevaro Player SE DSP not activated";
constexpr const wchar_t* WarningTitle = L"Warning";

struct Slots {
    std::int32_t surroundOn, settingsWord;
};

// The bitmaps each control must show, by control id.
struct LookRow {
    const char* name;
    const wchar_t* enabled;
    std::uint32_t word;
    std::array<std::pair<int, int>, 12> bitmaps;  // control id, bitmap id
    int background;
};

void PrintTo(const LookRow& row, std::ostream* out) { *out << row.name; }

class PanelLooks : public testing::TestWithParam<LookRow> {};

TEST_P(PanelLooks, EveryControlShowsTheBitmapOfItsLookOverTheTiledBackground) {
    const LookRow& row = GetParam();
    setEnabledText(row.enabled);
    setStoredSettings(row.word);
    // AuthenticAMD at 1500 MHz rates Mid.
    ProcessorFactsOverride processor("AuthenticAMD", 1500);
    PanelInPlayer panel;
    const Capture area = panel.capture();
    for (const auto& [id, bitmap] : row.bitmaps) {
        SCOPED_TRACE(testing::Message() << "control " << id << ", bitmap " << bitmap);
        const Capture expected = resourceBitmap(bitmap);
        ASSERT_GT(expected.width, 0);
        EXPECT_EQ(differingPixels(panel.control(area, id), expected), 0);
    }
    // Around the panel at (7, 7)..(571, 110), the tiles start at the host window's origin.
    const Capture tile = resourceBitmap(row.background);
    ASSERT_GT(tile.width, 0);
    int differing = 0, checked = 0;
    for (int y = 0; y < area.height; ++y) {
        for (int x = 0; x < area.width; ++x) {
            if (x >= 7 && x < 572 && y >= 7 && y < 111) continue;
            ++checked;
            if (area.at(x, y) != tile.at(x % tile.width, y % tile.height)) ++differing;
        }
    }
    EXPECT_GT(checked, 4000);
    EXPECT_EQ(differing, 0) << "background " << row.background;
}

INSTANTIATE_TEST_SUITE_P(ThreeLooksAndAuto, PanelLooks,
                         testing::Values(LookRow{"dsp_disabled",
                                                 L"false",
                                                 0x1170,
                                                 {{{Rock, 118},
                                                   {Classic, 121},
                                                   {Jazz, 124},
                                                   {Movie, 127},
                                                   {Neutral, 130},
                                                   {Switch, 133},
                                                   {Max, 154},
                                                   {Mid, 158},
                                                   {Min, 150},
                                                   {Auto, 162},
                                                   {Info, 275},
                                                   {Status, 332}}},
                                                 265},
                                         LookRow{"surround_off",
                                                 L"true",
                                                 0x0202,
                                                 {{{Rock, 117},
                                                   {Classic, 120},
                                                   {Jazz, 123},
                                                   {Movie, 126},
                                                   {Neutral, 129},
                                                   {Switch, 132},
                                                   {Max, 153},
                                                   {Mid, 157},
                                                   {Min, 149},
                                                   {Auto, 161},
                                                   {Info, 272},
                                                   {Status, 333}}},
                                                 264},
                                         // Movie by hand at Max: 6 x 3 + 2 + 4.
                                         LookRow{"movie_max_by_hand",
                                                 L"true",
                                                 0x0428,
                                                 {{{Rock, 117},
                                                   {Classic, 120},
                                                   {Jazz, 123},
                                                   {Movie, 125},
                                                   {Neutral, 129},
                                                   {Switch, 131},
                                                   {Max, 152},
                                                   {Mid, 157},
                                                   {Min, 149},
                                                   {Auto, 161},
                                                   {Info, 269},
                                                   {Status, 356}}},
                                                 264},
                                         // The default word: Neutral, Auto rated Mid, 6 x 4 + 2 + 2.
                                         LookRow{"default_auto_mid",
                                                 L"true",
                                                 0x1170,
                                                 {{{Rock, 117},
                                                   {Classic, 120},
                                                   {Jazz, 123},
                                                   {Movie, 126},
                                                   {Neutral, 128},
                                                   {Switch, 131},
                                                   {Max, 153},
                                                   {Mid, 159},
                                                   {Min, 149},
                                                   {Auto, 160},
                                                   {Info, 269},
                                                   {Status, 360}}},
                                                 264}),
                         [](const testing::TestParamInfo<LookRow>& info) { return std::string(info.param.name); });

TEST(PanelFollowsThePlayer, AnEnabledChangeShowsWithinOneTimerPeriod) {
    setEnabledText(L"true");
    setStoredSettings(0x0428);
    PanelInPlayer panel;
    const Capture dark = resourceBitmap(332);
    const Capture background = resourceBitmap(265);
    ASSERT_NE(differingPixels(panel.control(panel.capture(), Status), dark), 0);

    setEnabledText(L"false");
    const auto start = std::chrono::steady_clock::now();
    const bool changed =
        panel.host.pumpUntil([&] { return differingPixels(panel.control(panel.capture(), Status), dark) == 0; }, 3000);
    const auto waited =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    ASSERT_TRUE(changed);
    EXPECT_LT(waited, 1500) << "one 500 ms timer period, with room for a loaded machine";
    const Capture area = panel.capture();
    EXPECT_EQ(differingPixels(crop(area, 580, 0, 20, 7), crop(background, 580 % 286, 0, 20, 7)), 0)
        << "the background turned to bitmap 265";

    setEnabledText(L"true");
    ASSERT_TRUE(panel.host.pumpUntil(
        [&] { return differingPixels(panel.control(panel.capture(), Status), resourceBitmap(356)) == 0; }, 3000));
}

// A session of clicks with the block as the DSP reads it after each.
struct ClickStep {
    int control;
    POINT at;
    Slots after;
};

struct ClickRow {
    const char* name;
    std::uint32_t word;
    std::vector<ClickStep> steps;
};

void PrintTo(const ClickRow& row, std::ostream* out) { *out << row.name; }

class PanelClicks : public testing::TestWithParam<ClickRow> {};

constexpr std::int32_t Marked = 0x7A7A;  // written into slot 3 after start-up, to see what a click leaves

TEST_P(PanelClicks, PublishExactlyWhatEachClickChanges) {
    const ClickRow& row = GetParam();
    setEnabledText(L"true");
    setStoredSettings(row.word);
    ProcessorFactsOverride processor("GenuineIntel", 1950);  // rates Max
    BlockProbe block;
    block.markUnwritten();
    PanelInPlayer panel;
    block.write(SettingsBlock::settingsWord, Marked);
    for (std::size_t i = 0; i < row.steps.size(); ++i) {
        const ClickStep& step = row.steps[i];
        SCOPED_TRACE(testing::Message() << "click " << i << " on " << step.control);
        clickControl(panel.host, step.control, step.at);
        EXPECT_EQ(block.slot(SettingsBlock::surroundOn), step.after.surroundOn);
        EXPECT_EQ(block.slot(SettingsBlock::settingsWord), step.after.settingsWord);
    }
}

INSTANTIATE_TEST_SUITE_P(Sessions, PanelClicks,
                         testing::Values(
                             // The switch publishes slot 2 only; the word is recomposed at the next preset or level.
                             ClickRow{"switch_twice",
                                      0x0428,
                                      {{Switch, InSwitchHotSpot, {0, Marked}},
                                       {Switch, InSwitchHotSpot, {1, Marked}},
                                       {Switch, {10, 10}, {1, Marked}},
                                       {Neutral, ButtonMiddle, {1, 0x0430}}}},
                             ClickRow{"presets_and_levels_by_hand",
                                      0x0428,
                                      {{Neutral, ButtonMiddle, {1, 0x0430}},
                                       {Neutral, ButtonMiddle, {1, 0x0430}},
                                       {Mid, ButtonMiddle, {1, 0x0830}},
                                       {Min, ButtonMiddle, {1, 0x0230}},
                                       {Classic, ButtonMiddle, {1, 0x0222}}}},
                             // Surround off from the start: slot 2 is never written and clicks on settings do nothing.
                             ClickRow{"surround_off",
                                      0x0202,
                                      {{Classic, ButtonMiddle, {Unwritten, Marked}},
                                       {Max, ButtonMiddle, {Unwritten, Marked}},
                                       {Auto, ButtonMiddle, {Unwritten, Marked}},
                                       {Switch, InSwitchHotSpot, {1, Marked}},
                                       {Jazz, ButtonMiddle, {1, 0x0224}}}},
                             // Auto on rates Max; a level clicked by hand turns Auto off.
                             ClickRow{"auto_on_then_a_level",
                                      0x0428,
                                      {{Auto, ButtonMiddle, {1, 0x0528}},
                                       {Auto, ButtonMiddle, {1, 0x0428}},
                                       {Auto, ButtonMiddle, {1, 0x0528}},
                                       {Mid, ButtonMiddle, {1, 0x0828}}}}),
                         [](const testing::TestParamInfo<ClickRow>& info) { return std::string(info.param.name); });

TEST(PanelDialogs, TheInactiveDialogGuardsEverySettingWhileTheDspIsOff) {
    setEnabledText(L"false");
    setStoredSettings(0x1170);
    BlockProbe block;
    PanelInPlayer panel;
    block.write(SettingsBlock::settingsWord, Marked);
    {
        DialogAnswerer user(InactiveTitle, {IDOK});
        clickControl(panel.host, Neutral, ButtonMiddle);
        ASSERT_TRUE(user.finish());
        const std::vector<std::wstring> texts = {
            L"Tevaro Player SE DSP must be activated before you can change it's settings.",
            L"To activate Tevaro Player SE DSP,", L"please bring up : ", L"Tools -> Plug-Ins -> Tevaro Player SE DSP",
            L"OK"};
        EXPECT_EQ(user.texts(), texts);
    }
    clickControl(panel.host, Switch, {10, 10});
    EXPECT_EQ(FindWindowW(L"#32770", InactiveTitle), nullptr) << "outside the switch's hot spot nothing happens";
    {
        DialogAnswerer user(InactiveTitle, {IDOK});
        clickControl(panel.host, Switch, InSwitchHotSpot);
        EXPECT_TRUE(user.finish());
    }
    EXPECT_EQ(block.slot(SettingsBlock::settingsWord), Marked);
    EXPECT_EQ(differingPixels(panel.control(panel.capture(), Status), resourceBitmap(332)), 0) << "still dark";
}

TEST(PanelDialogs, ATickedWarningIsNotShownAgainEvenAfterTheNextStart) {
    setEnabledText(L"true");
    setStoredSettings(0x1222);  // Classic at Min by hand, the warning on
    BlockProbe block;
    {
        PanelInPlayer panel;
        DialogAnswerer user(WarningTitle, {1039, IDOK});
        clickControl(panel.host, Max, ButtonMiddle);
        ASSERT_TRUE(user.finish());
        ASSERT_FALSE(user.texts().empty());
        EXPECT_EQ(user.texts()[0],
                  L"You changed your sound quality setting to a higher level. This may result in decreased audio "
                  L"and video performance if your computer is not powerful enough. If your Audio or Videofile "
                  L"runs not properly select AutoMode.");
        EXPECT_EQ(user.texts()[1], L" For further information please refer to Help.");
        EXPECT_EQ(user.texts()[2], L"Don't show me this message again.");
        EXPECT_EQ(block.slot(SettingsBlock::settingsWord), 0x0422) << "Max chosen, the warning bit gone";
        EXPECT_EQ(panel.host.close(), S_OK);
        EXPECT_EQ(storedSettings(), std::optional<std::uint32_t>(0x0422)) << "saved at Destroy";
    }
    PanelInPlayer panel;
    clickControl(panel.host, Min, ButtonMiddle);
    clickControl(panel.host, Max, ButtonMiddle);
    EXPECT_EQ(FindWindowW(L"#32770", WarningTitle), nullptr);
    EXPECT_EQ(block.slot(SettingsBlock::settingsWord), 0x0422);
}

TEST(PanelSettingsLink, AHeldMutexBlocksAClickForFiveSecondsAndLosesOnlyThatWrite) {
    setEnabledText(L"true");
    setStoredSettings(0x0428);
    BlockProbe block;
    PanelInPlayer panel;
    block.write(SettingsBlock::settingsWord, Marked);
    MutexHolder other(7000);
    ASSERT_TRUE(other.holding());

    const auto start = std::chrono::steady_clock::now();
    clickControl(panel.host, Neutral, ButtonMiddle);
    const auto blocked =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(blocked, 4900) << "the UI thread waits the whole 5000 ms";
    EXPECT_LT(blocked, 6900) << "and no longer, although the other process holds on for 7 s";
    EXPECT_EQ(block.slot(SettingsBlock::settingsWord), Marked) << "the value is lost";
    // Neutral by hand at Max: 6 x 4 + 2 + 4.
    const Capture area = panel.capture();
    EXPECT_EQ(differingPixels(panel.control(area, Neutral), resourceBitmap(128)), 0);
    EXPECT_EQ(differingPixels(panel.control(area, Status), resourceBitmap(362)), 0);
    other.release();

    clickControl(panel.host, Mid, ButtonMiddle);
    EXPECT_EQ(block.slot(SettingsBlock::settingsWord), 0x0830) << "later writes go through again";
}

TEST(PanelPointer, TooltipsHandPointerAndThePressedSubButton) {
    setEnabledText(L"true");
    setStoredSettings(0x0428);
    PanelInPlayer panel;
    const std::set<Tool> expected = {
        {Info, 15, 17, 75, 75, L"Tevaro Player Homepage"},
        {Status, 20, 10, 55, 30, L"Spatio Info Homepage"},
        {Status, 20, 40, 55, 70, L"Panorix Info Homepage"},
    };
    EXPECT_EQ(processTooltips(), expected);

    // The hand over the link spots only; the switch's hot spot keeps the arrow.
    struct Spot {
        int control;
        POINT at;
        bool hand;
    };
    const Spot spots[] = {{Info, {18, 16}, true},    {Info, {74, 74}, true},    {Info, {17, 16}, false},
                          {Status, {21, 11}, true},  {Status, {54, 69}, true},  {Status, {40, 35}, false},
                          {Switch, {50, 20}, false}, {Neutral, {30, 10}, false}};
    const HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    for (const Spot& spot : spots) {
        SCOPED_TRACE(testing::Message() << "control " << spot.control << " at " << spot.at.x << "," << spot.at.y);
        ASSERT_TRUE(host_sim::movePointer(panelControl(panel.host, spot.control), spot.at));
        settle(panel.host, 100);
        CURSORINFO cursor{sizeof cursor};
        ASSERT_TRUE(GetCursorInfo(&cursor));
        EXPECT_EQ(cursor.hCursor == hand, spot.hand);
    }

    // Held over the about sub-button the Info control draws image index + 1; nothing opens on the
    // press, and the release over the button is its click.
    ASSERT_TRUE(host_sim::movePointer(panelControl(panel.host, Info), {80, 90}));
    ASSERT_TRUE(host_sim::pressLeftButton());
    settle(panel.host, 150);
    EXPECT_EQ(differingPixels(panel.control(panel.capture(), Info), resourceBitmap(268)), 0);
    ASSERT_TRUE(host_sim::movePointer(panelControl(panel.host, Info), {10, 90}));
    settle(panel.host, 150);
    EXPECT_EQ(differingPixels(panel.control(panel.capture(), Info), resourceBitmap(267)), 0) << "over help instead";
    ASSERT_TRUE(host_sim::movePointer(panelControl(panel.host, Info), {40, 90}));
    settle(panel.host, 150);
    EXPECT_EQ(differingPixels(panel.control(panel.capture(), Info), resourceBitmap(269)), 0) << "between the two";
    ASSERT_TRUE(host_sim::movePointer(panelControl(panel.host, Info), {40, 50}));
    ASSERT_TRUE(host_sim::releaseLeftButton());
    settle(panel.host, 150);
    EXPECT_EQ(differingPixels(panel.control(panel.capture(), Info), resourceBitmap(269)), 0) << "released";
}

TEST(PanelLifetime, OpeningAndClosingAHundredTimesGivesBackEveryWindowAndGdiObject) {
    setEnabledText(L"true");
    setStoredSettings(0x1170);
    host_sim::UiPluginHost host;
    auto cycle = [&] {
        ASSERT_EQ(host.open(PanelClsid).create, S_OK);
        settle(host, 0);
        ASSERT_EQ(host.close(), S_OK);
    };
    cycle();  // classes registered and caches filled once
    const int gdi = gdiObjects();
    const int windows = processWindows();
    ASSERT_GT(gdi, 0);
    for (int i = 0; i < 100; ++i) cycle();
    EXPECT_EQ(gdiObjects(), gdi);
    EXPECT_EQ(processWindows(), windows);
}

}  // namespace
}  // namespace tevaro::panel::test
