// Render of each visualization DLL under Wine, loaded afresh so its frames can be set beside the
// engine's own: the picture at the rectangle's origin, the player's levels reduced in place and
// nothing else touched, the black repaint on exactly the resized frames, degenerate rectangles,
// the restart on a bad preset, and a long run that keeps the GDI object count flat.
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "fresh_effect.h"
#include "host_sim/viz/render_target.h"

namespace tevaro::viz::test {
namespace {

constexpr std::uint32_t Sentinel = 0x123456;  // a colour no frame of ours starts from

void fill(const host_sim::RenderTarget& target, std::uint32_t rgb) {
    HBRUSH brush = CreateSolidBrush(RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF));
    RECT all{0, 0, target.width(), target.height()};
    FillRect(target.dc(), &all, brush);
    DeleteObject(brush);
}

int countOf(const host_sim::Capture& c, std::uint32_t rgb, const RECT& area) {
    int n = 0;
    for (int y = std::max(0L, area.top); y < std::min<LONG>(c.height, area.bottom); ++y)
        for (int x = std::max(0L, area.left); x < std::min<LONG>(c.width, area.right); ++x) n += c.at(x, y) == rgb;
    return n;
}

// The first pixel where a capture and the reference screen differ, or -1.
int firstDifference(const host_sim::Capture& c, const std::vector<std::uint32_t>& screen) {
    for (std::size_t i = 0; i < screen.size(); ++i)
        if ((c.pixels[i] & 0xFFFFFF) != screen[i]) return static_cast<int>(i);
    return -1;
}

// Live GDI objects of this process. Wine answers GetGuiResources with 0, but looks a handle up by
// its low word whenever the high word (the slot's generation) is 0, so probing every slot counts
// the live objects there.
DWORD gdiObjectCount() {
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0) return reported;
    DWORD live = 0;
    for (std::uintptr_t slot = 1; slot <= 0xFFFF; ++slot) live += GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
    return live;
}

class EffectRender : public testing::TestWithParam<EngineRow> {
protected:
    void SetUp() override {
        fresh_ = std::make_unique<FreshEffect>(*GetParam().effect);
        ASSERT_NE(fresh_->effect(), nullptr);
        levels_ = std::make_unique<TimedLevel>();
    }
    void TearDown() override { fresh_.reset(); }
    std::unique_ptr<ReferenceEngine> reference(int width, int height) {
        auto engine =
            std::make_unique<ReferenceEngine>(GetParam(), fresh_->resource(GetParam().archiveResource), width, height);
        return engine;
    }
    IWMPEffects* effect() const { return fresh_->effect(); }

    std::unique_ptr<FreshEffect> fresh_;
    std::unique_ptr<TimedLevel> levels_;
};

TEST_P(EffectRender, DrawsTheEnginesFramesAtTheRectanglesOriginAndNothingLeftOfOrAboveIt) {
    host_sim::DibTarget target(420, 400, 32);
    ASSERT_TRUE(target.valid());
    fill(target, Sentinel);
    auto engine = reference(420, 400);
    std::fill(const_cast<std::vector<std::uint32_t>&>(engine->screen()).begin(),
              const_cast<std::vector<std::uint32_t>&>(engine->screen()).end(), Sentinel);
    const RECT rect{30, 45, 380, 365};
    for (int preset : {0, 1}) {
        SCOPED_TRACE(testing::Message() << "preset " << preset);
        ASSERT_EQ(effect()->SetCurrentPreset(preset), S_OK);
        engine->setCurrentPreset(preset);
        for (int frame = 0; frame < 24; ++frame) {
            SCOPED_TRACE(testing::Message() << "frame " << frame);
            syntheticLevels(frame, *levels_);
            engine->render(*levels_, rect);  // first: the DLL reduces the levels in place
            ASSERT_TRUE(engine->drew());
            RECT r = rect;
            ASSERT_EQ(effect()->Render(levels_.get(), target.dc(), &r), S_OK);
            const host_sim::Capture c = target.capture();
            EXPECT_EQ(firstDifference(c, engine->screen()), -1);
            EXPECT_EQ(countOf(c, Sentinel, RECT{0, 0, 420, rect.top}), 420 * rect.top) << "above the rectangle";
            EXPECT_EQ(countOf(c, Sentinel, RECT{0, 0, rect.left, 400}), rect.left * 400) << "left of the rectangle";
        }
    }
}

TEST_P(EffectRender, TheSpectrumIsReducedInPlaceAndNothingElseOfTheLevelsIsTouched) {
    host_sim::DibTarget target(350, 320, 32);
    for (int frame = 0; frame < 3; ++frame) {
        SCOPED_TRACE(frame);
        syntheticLevels(frame * 5 + 1, *levels_);
        const TimedLevel before = *levels_;
        RECT r{0, 0, 350, 320};
        ASSERT_EQ(effect()->Render(levels_.get(), target.dc(), &r), S_OK);
        for (int i = 0; i < 256; ++i) {
            const std::uint8_t* bins = before.frequency[0] + 4 * i;
            ASSERT_EQ(levels_->frequency[0][i], *std::max_element(bins, bins + 4)) << "bin " << i;
        }
        EXPECT_EQ(std::memcmp(&levels_->frequency[0][256], &before.frequency[0][256], 1024 - 256), 0)
            << "bins 256..1023";
        EXPECT_EQ(std::memcmp(levels_->frequency[1], before.frequency[1], 1024), 0) << "the second channel";
        EXPECT_EQ(std::memcmp(levels_->waveform, before.waveform, sizeof before.waveform), 0);
        EXPECT_EQ(levels_->state, before.state);
        EXPECT_EQ(levels_->timeStamp, before.timeStamp);
    }
}

TEST_P(EffectRender, BlackRepaintExactlyOnTheFramesWhereTheSizeChangedOrEverySeventeenth) {
    host_sim::DibTarget target(400, 400, 32);
    auto engine = reference(400, 400);
    // The default layout's 350 x 320 canvas stretched to these windows leaves a border.
    const RECT first{0, 0, 360, 331}, second{0, 0, 361, 331};
    const std::vector<int> repainted = {0, 16, 20, 36};
    std::vector<int> seen;
    for (int frame = 0; frame < 45; ++frame) {
        SCOPED_TRACE(testing::Message() << "frame " << frame);
        const RECT rect = frame < 20 ? first : second;
        fill(target, Sentinel);
        syntheticLevels(frame, *levels_);
        engine->render(*levels_, rect);
        RECT r = rect;
        ASSERT_EQ(effect()->Render(levels_.get(), target.dc(), &r), S_OK);
        const host_sim::Capture c = target.capture();
        const int left = countOf(c, Sentinel, rect);
        if (left == 0) {
            seen.push_back(frame);
            continue;
        }
        // Otherwise exactly the window outside the scaled picture is left alone.
        const PresentedImage& image = engine->image();
        ASSERT_LT(image.width * image.height, (rect.right - rect.left) * (rect.bottom - rect.top));
        EXPECT_EQ(left, (rect.right - rect.left) * (rect.bottom - rect.top) - image.width * image.height);
        EXPECT_EQ(countOf(c, Sentinel, RECT{0, 0, image.width, image.height}), 0) << "the picture is whole";
    }
    EXPECT_EQ(seen, repainted);
}

TEST_P(EffectRender, DegenerateRectanglesNeverCrashNorDrawOutsideTheTarget) {
    struct Case {
        const char* name;
        RECT (*rect)(int frame);
    };
    const Case cases[] = {
        {"0 x 0",
         [](int) {
             return RECT{0, 0, 0, 0};
         }},
        {"0 x 0 inside",
         [](int) {
             return RECT{20, 20, 20, 20};
         }},
        {"1 x 1",
         [](int) {
             return RECT{7, 9, 8, 10};
         }},
        {"right < left",
         [](int) {
             return RECT{50, 10, 20, 40};
         }},
        {"bottom < top",
         [](int) {
             return RECT{10, 50, 40, 20};
         }},
        {"4000 x 3000",
         [](int) {
             return RECT{10, 12, 4010, 3012};
         }},
        {"a new size every frame",
         [](int f) {
             return RECT{3, 4, 3 + 1 + (f * 37) % 120, 4 + 1 + (f * 53) % 90};
         }},
        {"narrower than half the canvas",
         [](int) {
             return RECT{10, 10, 90, 60};
         }},
        {"partly off the target",
         [](int) {
             return RECT{-30, -20, 60, 50};
         }},
    };
    TimedLevel levels{};
    EXPECT_EQ(effect()->Render(nullptr, nullptr, nullptr), S_OK) << "nothing to draw is still a frame";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host_sim::DibTarget target(96, 72, 32);
        for (int frame = 0; frame < 6; ++frame) {
            fill(target, Sentinel);
            syntheticLevels(frame, levels);
            RECT rect = c.rect(frame);
            const RECT asked = rect;
            ASSERT_EQ(effect()->Render(&levels, target.dc(), &rect), S_OK);
            EXPECT_EQ(std::memcmp(&rect, &asked, sizeof rect), 0) << "the rectangle is the player's";
            const host_sim::Capture shot = target.capture();
            const int all = 96 * 72;
            const int outside = countOf(shot, Sentinel, RECT{0, 0, 96, 72}) -
                                countOf(shot, Sentinel,
                                        RECT{std::max(0L, asked.left), std::max(0L, asked.top),
                                             std::max(asked.left, asked.right), std::max(asked.top, asked.bottom)});
            const LONG w = std::max(0L, std::min(96L, asked.right) - std::max(0L, asked.left));
            const LONG h = std::max(0L, std::min(72L, asked.bottom) - std::max(0L, asked.top));
            EXPECT_EQ(outside, all - static_cast<int>(std::max(0L, w) * std::max(0L, h))) << "frame " << frame;
        }
    }
    EXPECT_EQ(effect()->Render(&levels, nullptr, nullptr), S_OK);
}

TEST_P(EffectRender, AnInvalidPresetRestartsTheSceneOnlyWhereTheEffectSaysSo) {
    host_sim::DibTarget target(350, 320, 32);
    auto told = reference(350, 320);  // sees the bad index too
    auto untold = reference(350, 320);
    const RECT rect{0, 0, 350, 320};
    ASSERT_EQ(effect()->SetCurrentPreset(1), S_OK);
    told->setCurrentPreset(1);
    untold->setCurrentPreset(1);
    bool restartVisible = false;
    for (int frame = 0; frame < 24; ++frame) {
        SCOPED_TRACE(testing::Message() << "frame " << frame);
        if (frame == 12) {
            EXPECT_EQ(effect()->SetCurrentPreset(3), E_INVALIDARG);
            EXPECT_FALSE(told->setCurrentPreset(3));
            LONG current = -1;
            EXPECT_EQ(effect()->GetCurrentPreset(&current), S_OK);
            EXPECT_EQ(current, 1);
        }
        syntheticLevels(frame, *levels_);
        told->render(*levels_, rect);
        untold->render(*levels_, rect);
        RECT r = rect;
        ASSERT_EQ(effect()->Render(levels_.get(), target.dc(), &r), S_OK);
        const host_sim::Capture c = target.capture();
        EXPECT_EQ(firstDifference(c, told->screen()), -1);
        restartVisible = restartVisible || told->screen() != untold->screen();
    }
    EXPECT_EQ(restartVisible, GetParam().effect->resetsOnBadPreset);
}

TEST_P(EffectRender, ALongRunKeepsTheProcessesGdiObjectCountFlat) {
    host_sim::DibTarget target(350, 320, 32);
    const RECT sizes[] = {{0, 0, 350, 320}, {0, 0, 517, 301}, {5, 5, 200, 150}};
    ASSERT_EQ(effect()->SetCurrentPreset(2), S_OK);
    auto run = [&](int frames) {
        for (int frame = 0; frame < frames; ++frame) {
            syntheticLevels(frame, *levels_);
            RECT r = sizes[(frame / 40) % 3];
            effect()->Render(levels_.get(), target.dc(), &r);
        }
    };
    run(60);  // whatever the first frames keep for good is kept by now
    const DWORD before = gdiObjectCount();
    // The count sees objects come and go: one more bitmap is one more object.
    HBITMAP probe = CreateBitmap(4, 4, 1, 32, nullptr);
    ASSERT_EQ(gdiObjectCount(), before + 1) << "the count is what this test watches";
    DeleteObject(probe);
    run(600);
    EXPECT_EQ(gdiObjectCount(), before);
}

INSTANTIATE_TEST_SUITE_P(Dlls, EffectRender, testing::ValuesIn(EngineRows), engineRowName);

// Strings 100 and 101 are the display name; 102 and 103 are carried but never read.
TEST(ModuleStrings, EveryDllCarriesItsNameAndTheTwoOtherForms) {
    struct Case {
        const EffectRow* row;
        const wchar_t* texts[4];
    };
    const Case cases[] = {
        {&EffectDlls[0], {L"Glintora", L"Glintora", L"Glintora Bars", L"Glintora Wave"}},
        {&EffectDlls[1], {L"Tessaray", L"Tessaray", L"Tessaray-панели", L"Tessaray-волна"}},
        {&EffectDlls[2], {L"Throbwave", L"Throbwave", L"Throbwave-панели", L"Throbwave-волна"}},
        {&EffectDlls[3], {L"Emberlux", L"Emberlux", L"Emberlux-панели", L"Emberlux-волна"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row->name);
        FreshEffect fresh(*c.row);
        ASSERT_NE(fresh.module(), nullptr);
        for (UINT id = 100; id <= 103; ++id) {
            const wchar_t* text = nullptr;
            const int length = LoadStringW(fresh.module(), id, reinterpret_cast<LPWSTR>(&text), 0);
            EXPECT_EQ(std::wstring(text != nullptr ? text : L"", static_cast<std::size_t>(std::max(length, 0))),
                      c.texts[id - 100])
                << "string " << id;
        }
    }
}

// The two bar effects ship one archive: the resource bytes of both DLLs are the same, six entries.
TEST(ShippedArchives, BothBarEffectsCarryTheSameBarArchive) {
    std::vector<std::uint8_t> first;
    for (const EffectRow* row : {&EffectDlls[2], &EffectDlls[3]}) {
        SCOPED_TRACE(row->name);
        FreshEffect fresh(*row);
        const std::span<const std::uint8_t> bytes = fresh.resource(L"DATATABLE_2");
        ASSERT_GE(bytes.size(), 8u);
        std::uint32_t count;
        std::memcpy(&count, bytes.data() + 4, 4);
        EXPECT_EQ(count, 6u);
        if (first.empty())
            first.assign(bytes.begin(), bytes.end());
        else
            EXPECT_TRUE(std::equal(first.begin(), first.end(), bytes.begin(), bytes.end()));
    }
}

TEST(ShippedArchives, TheBlockEffectCarriesSeventyEightEntries) {
    FreshEffect fresh(EffectDlls[1]);
    const std::span<const std::uint8_t> bytes = fresh.resource(L"DATATABLE_3");
    ASSERT_GE(bytes.size(), 8u);
    std::uint32_t count;
    std::memcpy(&count, bytes.data() + 4, 4);
    EXPECT_EQ(count, 78u);
}

}  // namespace
}  // namespace tevaro::viz::test
