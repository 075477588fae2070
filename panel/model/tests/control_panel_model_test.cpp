#include "panel/model/control_panel_model.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace tevaro::panel {
namespace {

using Log = std::vector<std::string>;

// Records every effect in order and answers the two questions the handlers ask.
struct RecordingEffects final : PanelEffects {
    Log log;
    int rating = LevelMid;
    bool showAgain = true;                 // the warning dialog's answer when it closes
    std::function<void()> duringWarning;   // runs inside the dialog's nested message loop
    const PanelState* observed = nullptr;  // when set, each repaint notes the look it would draw
    std::vector<PanelLook> looksAtRepaint;

    void note(const char* format, unsigned value) {
        char text[64];
        std::snprintf(text, sizeof text, format, value);
        log.emplace_back(text);
    }
    void publish(SettingsBlock::Slot slot, std::int32_t value) override {
        char text[64];
        std::snprintf(text, sizeof text, "publish(%d, 0x%X)", static_cast<int>(slot), static_cast<unsigned>(value));
        log.emplace_back(text);
    }
    void showDspInactiveDialog() override { log.emplace_back("dspInactive"); }
    bool askQualityWarning() override {
        log.emplace_back("askWarning");
        if (duringWarning) duringWarning();
        return showAgain;
    }
    int processorRating() override {
        log.emplace_back("rating");
        return rating;
    }
    void repaint(PanelGroup group) override {
        const char* names[] = {"repaint(presets)", "repaint(levels)", "repaint(status)"};
        log.emplace_back(names[static_cast<int>(group)]);
        if (observed != nullptr) looksAtRepaint.push_back(look(*observed));
    }
    void repaintHostWindow() override { log.emplace_back("repaintHost"); }
    void postHostPaint() override { log.emplace_back("postHostPaint"); }
    void openLink(LinkTarget target) override {
        const char* names[] = {"open(product)", "open(spatio)", "open(panorix)"};
        log.emplace_back(names[static_cast<int>(target)]);
    }
    void openHelpWindow() override { log.emplace_back("openHelp"); }
    void openAboutBox() override { log.emplace_back("openAbout"); }
    void startTimer() override { log.emplace_back("startTimer"); }
    void killTimer() override { log.emplace_back("killTimer"); }
    void closeBlock() override { log.emplace_back("closeBlock"); }
    void saveSettings(std::uint32_t word) override { note("save(0x%X)", word); }
};

const Log repaintAll = {"repaint(presets)", "repaint(levels)", "repaint(status)"};

Log operator+(Log a, const Log& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

// Found by argument-dependent lookup, so failures show the images and not raw bytes.
void PrintTo(const PanelLook& l, std::ostream* os) {
    *os << "presets {" << l.presets[0] << ',' << l.presets[1] << ',' << l.presets[2] << ',' << l.presets[3] << ','
        << l.presets[4] << "} switch " << l.surroundSwitch << " levels(min,max,mid) {" << l.levels[0] << ','
        << l.levels[1] << ',' << l.levels[2] << "} auto " << l.autoMode << " info " << l.infoControl << " status "
        << l.statusDisplay;
}

namespace {

// Images: presets {Rock/Pop, Classic, jazz, Movie, Neutral}, switch, levels {Min, Max, Mid}, Auto,
// Info control, status display.
const PanelLook darkLook = {{2, 2, 2, 2, 2}, 2, {2, 2, 2}, 2, 6, 0};
const PanelLook surroundOffLook = {{1, 1, 1, 1, 1}, 1, {1, 1, 1}, 1, 3, 1};

constexpr PixelPoint inSwitch = {50, 20};
constexpr PixelPoint aboutButton = {80, 90};
constexpr PixelPoint spatioLogo = {30, 20};

// Classic, surround on, quality warning, and one level by hand.
constexpr std::uint32_t classicWarned(std::uint32_t level) { return 0x1022 | level; }

struct PanelFixture : testing::Test {
    RecordingEffects fx;
    PanelState state;

    Log start(std::uint32_t word, bool dspEnabled = true, int rating = LevelMid) {
        fx.rating = rating;
        startUp(state, word, dspEnabled, fx);
        return take();
    }
    Log click(int controlId, PixelPoint pointer = inSwitch) {
        clickControl(state, controlId, pointer, fx);
        return take();
    }
    Log tick(bool dspEnabled) {
        timerTick(state, dspEnabled, fx);
        return take();
    }
    Log take() {
        Log out;
        out.swap(fx.log);
        return out;
    }
};

struct LookCase {
    const char* name;
    std::uint32_t word;
    bool dspEnabled;
    int rating;
    PanelLook look;
};

void PrintTo(const LookCase& c, std::ostream* os) { *os << c.name; }

class StartUpLook : public testing::TestWithParam<LookCase> {};

TEST_P(StartUpLook, FollowsTheWordTheEnableTestAndTheRating) {
    RecordingEffects fx;
    fx.rating = GetParam().rating;
    PanelState state;
    fx.observed = &state;
    startUp(state, GetParam().word, GetParam().dspEnabled, fx);
    EXPECT_EQ(look(state), GetParam().look);
    // The face draws whatever the state says when it is asked to repaint.
    ASSERT_EQ(fx.looksAtRepaint.size(), 3u);
    for (const PanelLook& drawn : fx.looksAtRepaint) EXPECT_EQ(drawn, GetParam().look);
}

INSTANTIATE_TEST_SUITE_P(
    Looks, StartUpLook,
    testing::Values(
        // 6 x 4 + 2 + 2: Neutral rated Mid.
        LookCase{"default_rated_mid", 0x1170, true, LevelMid, {{1, 1, 1, 1, 0}, 0, {1, 1, 3}, 0, 0, 28}},
        LookCase{"default_rated_min", 0x1170, true, LevelMin, {{1, 1, 1, 1, 0}, 0, {3, 1, 1}, 0, 0, 26}},
        LookCase{"default_rated_max", 0x1170, true, LevelMax, {{1, 1, 1, 1, 0}, 0, {1, 3, 1}, 0, 0, 27}},
        LookCase{"default_dark", 0x1170, false, LevelMid, darkLook},
        LookCase{"surround_off_dark", 0x0202, false, LevelMid, darkLook},
        LookCase{"surround_off", 0x0202, true, LevelMid, surroundOffLook},
        LookCase{"surround_off_auto", 0x1302, true, LevelMax, surroundOffLook},
        LookCase{"rock_pop_min", 0x0221, true, LevelMid, {{0, 1, 1, 1, 1}, 0, {0, 1, 1}, 1, 0, 5}},
        LookCase{"classic_max", 0x0422, true, LevelMid, {{1, 0, 1, 1, 1}, 0, {1, 0, 1}, 1, 0, 12}},
        LookCase{"jazz_mid", 0x0824, true, LevelMid, {{1, 1, 0, 1, 1}, 0, {1, 1, 0}, 1, 0, 19}},
        LookCase{"movie_max", 0x1428, true, LevelMid, {{1, 1, 1, 0, 1}, 0, {1, 0, 1}, 1, 0, 24}},
        LookCase{"neutral_mid_last_picture", 0x0830, true, LevelMid, {{1, 1, 1, 1, 0}, 0, {1, 1, 0}, 1, 0, 31}},
        // In Auto mode the rating, not the stored level bit, chooses the level.
        LookCase{"auto_over_stored_min", 0x1321, true, LevelMax, {{0, 1, 1, 1, 1}, 0, {1, 3, 1}, 0, 0, 3}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PanelFixture, DefaultStartRatesOnceAndPublishesTheWordAsRead) {
    // The default word goes to the block as it is, without a level bit.
    EXPECT_EQ(start(0x1170), (Log{"rating"} + repaintAll +
                              Log{"startTimer", "publish(4, 0x0)", "publish(0, 0x1)", "publish(2, 0x1)",
                                  "publish(3, 0x1170)", "postHostPaint"}));
    EXPECT_EQ(state.settingsWord, 0x1170u);
    EXPECT_TRUE(state.showWarning);
}

TEST_F(PanelFixture, StartWithSurroundOffLeavesTheSwitchSlotAlone) {
    EXPECT_EQ(start(0x0202), (repaintAll + Log{"startTimer", "publish(4, 0x0)", "publish(0, 0x1)", "publish(3, 0x202)",
                                               "postHostPaint"}));
    // The choice comes back when the switch is turned on: Classic at Min, 6 + 2 + 3.
    EXPECT_EQ(click(SwitchId), Log{"publish(2, 0x1)"} + repaintAll);
    EXPECT_EQ(look(state), (PanelLook{{1, 0, 1, 1, 1}, 0, {0, 1, 1}, 1, 0, 11}));
}

TEST_F(PanelFixture, BlockGetsTheLowSixteenBitsAndTheRegistryTheComposedWord) {
    // Classic, surround on, Min, plus bits the panel never composes.
    EXPECT_EQ(start(0x12344222), (repaintAll + Log{"startTimer", "publish(4, 0x0)", "publish(0, 0x1)",
                                                   "publish(2, 0x1)", "publish(3, 0x4222)", "postHostPaint"}));
    EXPECT_EQ(state.settingsWord, 0x12344222u);
    shutDown(state, fx);
    EXPECT_EQ(take(), (Log{"closeBlock", "save(0x222)", "killTimer"}));
}

TEST_F(PanelFixture, RatingOutsideTheLevelsCountsAsMin) {
    start(0x1170, true, 7);
    EXPECT_EQ(state.autoLevel, LevelMin);
    EXPECT_EQ(look(state).levels, (std::array<int, 3>{3, 1, 1}));
}

TEST_F(PanelFixture, DisabledDspRefusesEverySettingAndKeepsTheChoices) {
    start(0x1170, false);
    EXPECT_EQ(look(state), darkLook);
    EXPECT_EQ(click(presetId(PresetNeutral)), Log{"dspInactive"});
    EXPECT_EQ(click(presetId(PresetClassic)), Log{"dspInactive"});
    EXPECT_EQ(click(AutoId), Log{"dspInactive"});
    for (int level = 0; level < LevelCount; ++level) EXPECT_EQ(click(levelId(level)), Log{"dspInactive"});
    // The switch refuses only inside its hot rectangle.
    EXPECT_EQ(click(SwitchId, {10, 10}), Log{});
    EXPECT_EQ(click(SwitchId, {50, 20}), Log{"dspInactive"});
    EXPECT_EQ(look(state), darkLook);

    // Enabled by the player: the choices made before reappear, and the rating is not rerun.
    EXPECT_EQ(tick(true), repaintAll + Log{"repaintHost"});
    EXPECT_EQ(look(state), (PanelLook{{1, 1, 1, 1, 0}, 0, {1, 1, 3}, 0, 0, 28}));
    EXPECT_EQ(tick(true), Log{});
    EXPECT_EQ(tick(false), repaintAll + Log{"repaintHost"});
    EXPECT_EQ(look(state), darkLook);
}

struct SwitchPointCase {
    const char* name;
    PixelPoint pointer;
    bool toggles;
};

void PrintTo(const SwitchPointCase& c, std::ostream* os) { *os << c.name; }

class SwitchHotRectangle : public PanelFixture, public testing::WithParamInterface<SwitchPointCase> {};

TEST_P(SwitchHotRectangle, OnlyAClickInsideToggles) {
    start(0x1170);
    const Log expected = GetParam().toggles ? Log{"publish(2, 0x0)"} + repaintAll : Log{};
    EXPECT_EQ(click(SwitchId, GetParam().pointer), expected);
    EXPECT_EQ(state.surroundOn, !GetParam().toggles);
}

INSTANTIATE_TEST_SUITE_P(
    Panel, SwitchHotRectangle,
    testing::Values(SwitchPointCase{"first_corner", {41, 9}, true}, SwitchPointCase{"last_corner", {69, 37}, true},
                    SwitchPointCase{"left_of", {40, 20}, false}, SwitchPointCase{"right_of", {70, 20}, false},
                    SwitchPointCase{"above", {50, 8}, false}, SwitchPointCase{"below", {50, 38}, false},
                    SwitchPointCase{"corner", {10, 10}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PanelFixture, SwitchTogglesPublishOnlyTheSwitchSlot) {
    start(0x1170);
    const PanelLook before = look(state);
    EXPECT_EQ(click(SwitchId), Log{"publish(2, 0x0)"} + repaintAll);
    EXPECT_EQ(look(state), surroundOffLook);
    EXPECT_EQ(click(SwitchId), Log{"publish(2, 0x1)"} + repaintAll);
    EXPECT_EQ(look(state), before);
    EXPECT_EQ(state.settingsWord, 0x1170u);  // not recomposed until a setting changes
}

TEST_F(PanelFixture, SurroundOffIgnoresPresetsLevelsAndAuto) {
    start(0x0202);
    EXPECT_EQ(click(presetId(PresetClassic)), Log{});
    EXPECT_EQ(click(presetId(PresetMovie)), Log{});
    EXPECT_EQ(click(AutoId), Log{});
    EXPECT_EQ(click(levelId(LevelMax)), Log{});
    EXPECT_EQ(look(state), surroundOffLook);
    EXPECT_EQ(state.settingsWord, 0x0202u);
}

TEST_F(PanelFixture, PresetClickSelectsOnePresetAndPublishes) {
    start(0x1170);
    // Movie, surround on, Auto, Mid from the rating, warning.
    EXPECT_EQ(click(presetId(PresetMovie)), (Log{"publish(3, 0x1928)", "repaint(presets)", "repaint(status)"}));
    EXPECT_EQ(look(state), (PanelLook{{1, 1, 1, 0, 1}, 0, {1, 1, 3}, 0, 0, 22}));
    EXPECT_EQ(click(presetId(PresetMovie)), Log{});
    EXPECT_EQ(click(presetId(PresetRockPop)), (Log{"publish(3, 0x1921)", "repaint(presets)", "repaint(status)"}));
    EXPECT_EQ(look(state).presets, (std::array<int, 5>{0, 1, 1, 1, 1}));
    EXPECT_EQ(look(state).statusDisplay, 4);
}

TEST_F(PanelFixture, AutoOffKeepsTheRatedLevelAndAutoOnRatesAgain) {
    start(0x1170, true, LevelMid);
    EXPECT_EQ(click(AutoId), (Log{"publish(3, 0x1830)", "repaint(levels)", "repaint(status)"}));
    EXPECT_EQ(look(state), (PanelLook{{1, 1, 1, 1, 0}, 0, {1, 1, 0}, 1, 0, 31}));
    fx.rating = LevelMax;
    EXPECT_EQ(click(AutoId), (Log{"rating", "publish(3, 0x1530)", "repaint(levels)", "repaint(status)"}));
    EXPECT_EQ(look(state), (PanelLook{{1, 1, 1, 1, 0}, 0, {1, 3, 1}, 0, 0, 27}));
}

TEST_F(PanelFixture, SwitchingOnAgainReusesTheLastRating) {
    start(0x1170, true, LevelMax);
    click(SwitchId);
    fx.rating = LevelMin;
    EXPECT_EQ(click(SwitchId), Log{"publish(2, 0x1)"} + repaintAll);
    EXPECT_EQ(look(state).levels, (std::array<int, 3>{1, 3, 1}));
    EXPECT_EQ(look(state).statusDisplay, 27);
}

TEST_F(PanelFixture, MidFromAutoMaxNeedsNoWarning) {
    start(0x1170, true, LevelMax);
    EXPECT_EQ(click(levelId(LevelMid)), (Log{"repaint(levels)", "repaint(status)", "publish(3, 0x1830)"}));
    EXPECT_FALSE(state.autoMode);
    EXPECT_EQ(look(state), (PanelLook{{1, 1, 1, 1, 0}, 0, {1, 1, 0}, 1, 0, 31}));
}

TEST_F(PanelFixture, MaxFromAutoMinWarnsAndATickedBoxLastsAcrossSessions) {
    start(0x1170, true, LevelMin);
    fx.showAgain = false;  // the user ticks "Don't show me this message again."
    EXPECT_EQ(click(levelId(LevelMax)), (Log{"askWarning", "repaint(levels)", "repaint(status)", "publish(3, 0x430)"}));
    EXPECT_EQ(look(state), (PanelLook{{1, 1, 1, 1, 0}, 0, {1, 0, 1}, 1, 0, 30}));
    shutDown(state, fx);
    // Bit 10 (Max) set, bit 12 (warning) clear.
    EXPECT_EQ(take(), (Log{"closeBlock", "save(0x430)", "killTimer"}));

    start(0x0430);
    click(levelId(LevelMin));
    EXPECT_EQ(click(levelId(LevelMax)), (Log{"repaint(levels)", "repaint(status)", "publish(3, 0x430)"}));
}

struct WarningCase {
    const char* name;
    std::uint32_t word;
    int clicked;
    bool asks;
    const char* publishes;
};

void PrintTo(const WarningCase& c, std::ostream* os) { *os << c.name; }

class QualityWarning : public PanelFixture, public testing::WithParamInterface<WarningCase> {};

TEST_P(QualityWarning, AsksOnlyWhenTheQualityRises) {
    start(GetParam().word);
    const Log changed = {"repaint(levels)", "repaint(status)", GetParam().publishes};
    EXPECT_EQ(click(levelId(GetParam().clicked)), (GetParam().asks ? Log{"askWarning"} : Log{}) + changed);
    EXPECT_EQ(look(state).levels[GetParam().clicked], 0);
}

// Classic and surround on; the warning answered "show again", so bit 12 stays where it was.
INSTANTIATE_TEST_SUITE_P(
    Levels, QualityWarning,
    testing::Values(WarningCase{"min_to_max", classicWarned(0x200), LevelMax, true, "publish(3, 0x1422)"},
                    WarningCase{"mid_to_max", classicWarned(0x800), LevelMax, true, "publish(3, 0x1422)"},
                    WarningCase{"max_to_max", classicWarned(0x400), LevelMax, false, "publish(3, 0x1422)"},
                    WarningCase{"min_to_mid", classicWarned(0x200), LevelMid, true, "publish(3, 0x1822)"},
                    WarningCase{"max_to_mid", classicWarned(0x400), LevelMid, false, "publish(3, 0x1822)"},
                    WarningCase{"mid_to_mid", classicWarned(0x800), LevelMid, false, "publish(3, 0x1822)"},
                    WarningCase{"max_to_min", classicWarned(0x400), LevelMin, false, "publish(3, 0x1222)"},
                    WarningCase{"mid_to_min", classicWarned(0x800), LevelMin, false, "publish(3, 0x1222)"},
                    WarningCase{"min_to_min", classicWarned(0x200), LevelMin, false, "publish(3, 0x1222)"},
                    WarningCase{"min_to_max_warning_off", 0x0222, LevelMax, false, "publish(3, 0x422)"},
                    WarningCase{"min_to_mid_warning_off", 0x0222, LevelMid, false, "publish(3, 0x822)"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PanelFixture, LevelsShowTheirHandPickedPictures) {
    start(classicWarned(0x200));
    click(levelId(LevelMax));
    EXPECT_EQ(look(state).statusDisplay, 6 + 2 + 4);
    click(levelId(LevelMid));
    EXPECT_EQ(look(state).statusDisplay, 6 + 2 + 5);
    click(levelId(LevelMin));
    EXPECT_EQ(look(state).statusDisplay, 6 + 2 + 3);
}

// The warning dialog's message loop keeps the timer running; the player may switch the DSP off
// meanwhile. The level change still proceeds, and the panel stays dark until the DSP is back.
TEST_F(PanelFixture, TimerDuringTheWarningKeepsTheLookConsistent) {
    start(classicWarned(0x200));
    fx.duringWarning = [this] { timerTick(state, false, fx); };
    EXPECT_EQ(click(levelId(LevelMax)),
              (Log{"askWarning"} + repaintAll +
               Log{"repaintHost", "repaint(levels)", "repaint(status)", "publish(3, 0x1422)"}));
    EXPECT_EQ(look(state), darkLook);
    tick(true);
    EXPECT_EQ(look(state), (PanelLook{{1, 0, 1, 1, 1}, 0, {1, 0, 1}, 1, 0, 12}));
}

struct InfoCase {
    const char* name;
    std::uint32_t word;
    bool dspEnabled;
};

void PrintTo(const InfoCase& c, std::ostream* os) { *os << c.name; }

class InfoAndLinksInEveryLook : public PanelFixture, public testing::WithParamInterface<InfoCase> {};

TEST_P(InfoAndLinksInEveryLook, OpenWhatThePointerIsOver) {
    start(GetParam().word, GetParam().dspEnabled);
    EXPECT_EQ(click(InfoControlId, aboutButton), Log{"openAbout"});
    EXPECT_EQ(click(InfoControlId, {10, 90}), Log{"openHelp"});
    EXPECT_EQ(click(InfoControlId, {40, 40}), Log{"open(product)"});
    EXPECT_EQ(click(InfoControlId, {50, 90}), Log{});
    // The status display's links open on the press, whatever picture the look gives it.
    const int status = look(state).statusDisplay;
    EXPECT_EQ(hotPicture(StatusDisplayId, status, true, spatioLogo).opens, LinkTarget::spatioPage);
    EXPECT_EQ(hotPicture(StatusDisplayId, status, true, {30, 50}).opens, LinkTarget::panorixPage);
    EXPECT_EQ(hotPicture(StatusDisplayId, status, true, {30, 35}).opens, std::nullopt);
    EXPECT_EQ(hotPicture(StatusDisplayId, status, true, spatioLogo).picture, status);
    // A click on the status display does nothing: it acts on the press.
    EXPECT_EQ(click(StatusDisplayId, spatioLogo), Log{});
}

INSTANTIATE_TEST_SUITE_P(Panel, InfoAndLinksInEveryLook,
                         testing::Values(InfoCase{"active", 0x1170, true}, InfoCase{"surround_off", 0x0202, true},
                                         InfoCase{"dark", 0x1170, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PanelFixture, UnknownControlsAreIgnored) {
    start(0x1170);
    EXPECT_EQ(click(999), Log{});
    EXPECT_EQ(click(1012), Log{});
}

TEST_F(PanelFixture, ShutDownClosesTheBlockThenSavesTheRecomposedDefault) {
    start(0x1170, true, LevelMid);
    shutDown(state, fx);
    // Bit 6 of the default is gone and the rated level is in.
    EXPECT_EQ(take(), (Log{"closeBlock", "save(0x1930)", "killTimer"}));
}

// Every image any look can choose, and every picture the hot rules derive from it, exists in the
// control's bitmap list.
TEST(PanelLooks, StayWithinEachControlsBitmaps) {
    for (int preset = 0; preset < PresetCount; ++preset) {
        for (int level = 0; level < LevelCount; ++level) {
            for (int rating = 0; rating < LevelCount; ++rating) {
                for (std::uint32_t flags : {0x0u, 0x20u, 0x100u, 0x120u}) {
                    for (bool dsp : {false, true}) {
                        RecordingEffects fx;
                        fx.rating = rating;
                        const std::uint32_t word = (1u << preset) | (0x200u << level) | flags | 0x1000u;
                        PanelState state;
                        startUp(state, word, dsp, fx);
                        const PanelLook l = look(state);
                        for (const ControlSpec& c : PanelControls) {
                            SCOPED_TRACE(testing::Message() << "word " << word << " dsp " << dsp << " id " << c.id);
                            const int image = l.imageOf(c.id);
                            ASSERT_GE(image, 0);
                            for (bool pressed : {false, true}) {
                                for (PixelPoint p : {PixelPoint{80, 90}, PixelPoint{10, 90}, PixelPoint{0, 0}}) {
                                    const int picture = hotPicture(c.id, image, pressed, p).picture;
                                    ASSERT_GE(picture, 0);
                                    ASSERT_LT(picture, c.bitmapCount);
                                }
                            }
                        }
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace tevaro::panel
