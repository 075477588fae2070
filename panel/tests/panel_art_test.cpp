// The panel's generated bitmaps as the resource compiler gets them: every id there, each a 24-bit
// bottom-up BMP of its control's size, and the looks the panel switches between told apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

struct Pixel {
    int r, g, b;
};

// A BMP read independently of the generator's writer, rows stored top-down.
struct Bitmap {
    int width = 0, height = 0;
    std::vector<Pixel> pixels;
    const Pixel& at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

std::uint32_t le32(const std::vector<unsigned char>& f, std::size_t at) {
    return f[at] | f[at + 1] << 8 | f[at + 2] << 16 | static_cast<std::uint32_t>(f[at + 3]) << 24;
}
std::uint16_t le16(const std::vector<unsigned char>& f, std::size_t at) {
    return static_cast<std::uint16_t>(f[at] | f[at + 1] << 8);
}

std::string pathOf(int id) { return std::string(TEVARO_PANEL_ART_DIR) + "/" + std::to_string(id) + ".bmp"; }

// Checks the headers the resource compiler and LoadBitmap rely on, then reads the pixels.
void readBmp(int id, Bitmap& out) {
    std::ifstream in(pathOf(id), std::ios::binary);
    ASSERT_TRUE(in) << pathOf(id);
    const std::vector<unsigned char> f((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GE(f.size(), 54u);
    ASSERT_EQ(f[0], 'B');
    ASSERT_EQ(f[1], 'M');
    EXPECT_EQ(le32(f, 2), f.size()) << "file size field";
    ASSERT_EQ(le32(f, 14), 40u) << "BITMAPINFOHEADER";
    const auto width = static_cast<std::int32_t>(le32(f, 18)), height = static_cast<std::int32_t>(le32(f, 22));
    ASSERT_GT(width, 0);
    ASSERT_GT(height, 0) << "rows must run bottom-up";
    EXPECT_EQ(le16(f, 26), 1) << "planes";
    ASSERT_EQ(le16(f, 28), 24) << "bits per pixel";
    ASSERT_EQ(le32(f, 30), 0u) << "BI_RGB, uncompressed";
    const std::uint32_t offset = le32(f, 10);
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    ASSERT_EQ(f.size(), offset + rowBytes * static_cast<std::size_t>(height));
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const std::size_t row = offset + rowBytes * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::size_t p = row + 3 * static_cast<std::size_t>(x);
            out.pixels[static_cast<std::size_t>(y * width + x)] = {f[p + 2], f[p + 1], f[p]};
        }
    }
}

Bitmap load(int id) {
    Bitmap b;
    readBmp(id, b);
    return b;
}

// Inclusive pixel ranges in a control's own coordinates.
struct Area {
    int left, top, right, bottom;
};

double luminance(const Pixel& p) { return 0.2126 * p.r + 0.7152 * p.g + 0.0722 * p.b; }

double meanLuminance(const Bitmap& b, Area a) {
    double sum = 0;
    for (int y = a.top; y <= a.bottom; ++y)
        for (int x = a.left; x <= a.right; ++x) sum += luminance(b.at(x, y));
    return sum / ((a.right - a.left + 1) * (a.bottom - a.top + 1));
}

double meanLuminance(const Bitmap& b) { return meanLuminance(b, {0, 0, b.width - 1, b.height - 1}); }

// The colour of a lamp: the mean of the brightest pixels of its area, the glass of a lamp the size
// of the panel's.
Pixel lampColour(const Bitmap& b, Area a) {
    std::vector<Pixel> area;
    for (int y = a.top; y <= a.bottom; ++y)
        for (int x = a.left; x <= a.right; ++x) area.push_back(b.at(x, y));
    constexpr std::size_t Glass = 12;
    std::partial_sort(area.begin(), area.begin() + Glass, area.end(),
                      [](const Pixel& p, const Pixel& q) { return luminance(p) > luminance(q); });
    int r = 0, g = 0, bl = 0;
    for (std::size_t i = 0; i < Glass; ++i) {
        r += area[i].r;
        g += area[i].g;
        bl += area[i].b;
    }
    return {r / static_cast<int>(Glass), g / static_cast<int>(Glass), bl / static_cast<int>(Glass)};
}

int differingPixels(const Bitmap& a, const Bitmap& b, Area area) {
    int n = 0;
    for (int y = area.top; y <= area.bottom; ++y)
        for (int x = area.left; x <= area.right; ++x) {
            const Pixel &p = a.at(x, y), &q = b.at(x, y);
            n += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b) > 24;
        }
    return n;
}

int differingPixels(const Bitmap& a, const Bitmap& b) {
    return differingPixels(a, b, {0, 0, a.width - 1, a.height - 1});
}

// Auto, and whatever Auto chose, is drawn in amber throughout the panel; nothing else is.
int amberPixels(const Bitmap& b) {
    int n = 0;
    for (const Pixel& p : b.pixels) n += p.r > 150 && p.g > 70 && p.g < p.r - 30 && p.b < 90;
    return n;
}

// Each control's bitmaps: consecutive ids from its first, all of its rectangle's size.
struct Control {
    const char* name;
    int firstId, count, width, height;
};
constexpr Control Controls[] = {
    {"preset Rock/Pop", 116, 3, 71, 25},
    {"preset Classic", 119, 3, 72, 25},
    {"preset jazz", 122, 3, 72, 25},
    {"preset Movie", 125, 3, 71, 25},
    {"preset Neutral", 128, 3, 73, 25},
    {"surround switch", 131, 3, 113, 104},
    {"level Min", 148, 4, 72, 20},
    {"level Max", 152, 4, 72, 20},
    {"level Mid", 156, 4, 72, 20},
    {"Auto", 160, 3, 72, 19},
    {"background, DSP enabled", 264, 1, 251, 124},
    {"background, DSP disabled", 265, 1, 286, 116},
    {"Info control", 267, 9, 93, 104},
    {"status display", 332, 32, 287, 79},
    {"dialog picture", 446, 1, 151, 137},
    {"about: Spatio logo", 143, 1, 106, 43},
    {"about: Panorix logo", 172, 1, 40, 44},
    {"about: maker logo", 183, 1, 79, 72},
    {"about: background", 462, 1, 211, 192},
    {"about: maker label", 487, 1, 73, 13},
    {"about: licensor label", 488, 1, 88, 13},
    {"about: developer label", 489, 1, 120, 13},
    {"help: header", 463, 1, 480, 61},
    {"help: side strip", 464, 1, 14, 647},
    {"help: introduction", 465, 1, 441, 99},
    {"help: overview", 466, 1, 425, 143},
    {"help: switch", 467, 1, 441, 73},
    {"help: presets", 468, 1, 441, 39},
    {"help: quality", 469, 1, 441, 135},
    {"help: Auto", 470, 1, 441, 40},
    {"help: dark panel", 471, 1, 441, 27},
    {"help: warning", 472, 1, 441, 27},
    {"help: Spatio rule", 473, 1, 24, 8},
    {"help: Spatio badge", 474, 1, 32, 21},
    {"help: web", 476, 1, 441, 29},
    {"help: Spatio", 477, 1, 441, 58},
    {"help: Panorix rule", 478, 1, 51, 8},
    {"help: Panorix badge", 479, 1, 22, 24},
    {"help: Panorix", 480, 1, 441, 86},
    {"help: presets in detail", 481, 1, 420, 221},
    {"help: tips heading", 482, 1, 441, 28},
    {"help: tips", 483, 1, 420, 86},
    {"help: no change", 484, 1, 441, 39},
    {"help: closing", 485, 1, 441, 43},
};

// Where the help page's rules act, the picture says so: every overview label is inked inside its
// rectangle and nowhere in the gaps between them, and every link key lies in its press area.
bool isLinkInk(const Pixel& p) { return p.b > p.r + 60 && p.b > 120; }

int linkInk(const Bitmap& b, Area a) {
    int n = 0;
    for (int y = a.top; y <= std::min(a.bottom, b.height - 1); ++y)
        for (int x = a.left; x <= std::min(a.right, b.width - 1); ++x) n += isLinkInk(b.at(x, y));
    return n;
}

TEST(PanelArt, HelpLabelsAndLinkKeysAreDrawnOverTheirHotRectangles) {
    struct Spot {
        const char* name;
        int id;
        Area area;
        bool inked;
    };
    const Spot spots[] = {
        {"Surround label", 466, {51, 3, 109, 14}, true},
        {"Presets label", 466, {161, 3, 219, 14}, true},
        {"Quality label", 466, {261, 3, 319, 14}, true},
        {"Web label", 466, {371, 3, 409, 14}, true},
        {"Auto label", 466, {116, 126, 174, 139}, true},
        {"Dark label", 466, {291, 126, 334, 139}, true},
        {"Warning label", 466, {351, 126, 404, 139}, true},
        {"left of the labels", 466, {0, 3, 49, 14}, false},
        {"between Surround and Presets", 466, {111, 3, 159, 14}, false},
        {"between Presets and Quality", 466, {221, 3, 259, 14}, false},
        {"between Auto and Dark", 466, {176, 126, 289, 139}, false},
        {"maker link", 476, {141, 11, 209, 28}, true},
        {"left of the maker link", 476, {100, 17, 139, 28}, false},
        {"Spatio link", 477, {261, 26, 349, 49}, true},
        {"under the Spatio text", 477, {0, 50, 255, 57}, false},
        {"Panorix link", 480, {301, 56, 429, 74}, true},
        {"left of the Panorix link", 480, {0, 60, 295, 74}, false},
    };
    for (const Spot& s : spots) {
        SCOPED_TRACE(s.name);
        const Bitmap b = load(s.id);
        const int area = (s.area.right - s.area.left + 1) * (s.area.bottom - s.area.top + 1);
        if (s.inked)
            EXPECT_GT(linkInk(b, s.area), area / 12);
        else
            EXPECT_EQ(linkInk(b, s.area), 0);
    }
}

// Every section with a "to the top" rule shows its arrow button where the rule acts, and the
// page behind the pictures is white.
TEST(PanelArt, SectionHeadingsCarryTheArrowWhereTheRuleActs) {
    for (int id : {467, 468, 469, 470, 471, 472, 476}) {
        SCOPED_TRACE(id);
        const Bitmap b = load(id);
        const Area arrow{424, 3, 439, 14};
        EXPECT_GT(meanLuminance(b, {429, 6, 434, 10}), meanLuminance(b, {410, 4, 418, 12}) + 40)
            << "a light arrow on the dark heading";
        EXPECT_LT(meanLuminance(b, arrow), 200);
        EXPECT_GT(luminance(b.at(440, b.height - 1)), 250) << "white page under the heading";
    }
}

TEST(PanelArt, EveryBitmapIsA24BitBottomUpBmpOfItsControlsSize) {
    for (const Control& c : Controls)
        for (int id = c.firstId; id < c.firstId + c.count; ++id) {
            SCOPED_TRACE(std::string(c.name) + ", bitmap " + std::to_string(id));
            Bitmap b;
            readBmp(id, b);
            if (HasFatalFailure()) continue;
            EXPECT_EQ(b.width, c.width);
            EXPECT_EQ(b.height, c.height);
        }
}

// Image 0 lights the lamp, image 1 leaves it off, image 2 is the DSP-disabled look.
struct LampButton {
    const char* name;
    int firstId;
    Area lamp;  // the lamp sits at the key's left end
};
constexpr LampButton LampButtons[] = {
    {"Rock/Pop", 116, {3, 4, 17, 20}}, {"Classic", 119, {3, 4, 17, 20}}, {"jazz", 122, {3, 4, 17, 20}},
    {"Movie", 125, {3, 4, 17, 20}},    {"Neutral", 128, {3, 4, 17, 20}}, {"Min", 148, {3, 3, 17, 16}},
    {"Max", 152, {3, 3, 17, 16}},      {"Mid", 156, {3, 3, 17, 16}},     {"Auto", 160, {3, 3, 17, 15}},
};

TEST(PanelArt, ALitLampIsClearlyBrighterAndDisabledButtonsAreDark) {
    for (const LampButton& button : LampButtons) {
        SCOPED_TRACE(button.name);
        const Bitmap lit = load(button.firstId), off = load(button.firstId + 1), dark = load(button.firstId + 2);
        EXPECT_GT(meanLuminance(lit, button.lamp), 1.4 * meanLuminance(off, button.lamp));
        EXPECT_LT(meanLuminance(dark), 0.7 * meanLuminance(off));
        EXPECT_LT(meanLuminance(dark), 0.7 * meanLuminance(lit));
    }
}

TEST(PanelArt, ALevelChosenByAutoIsAmberAndOneChosenByHandIsNot) {
    for (const LampButton& level : {LampButtons[5], LampButtons[6], LampButtons[7]}) {
        SCOPED_TRACE(level.name);
        const Bitmap byHand = load(level.firstId), byAuto = load(level.firstId + 3), off = load(level.firstId + 1);
        const Pixel handLamp = lampColour(byHand, level.lamp), autoLamp = lampColour(byAuto, level.lamp);
        EXPECT_GT(handLamp.b, handLamp.r + 20) << "a level chosen by hand lights the blue lamp";
        EXPECT_GT(autoLamp.r, autoLamp.b + 40) << "a level chosen by Auto lights the amber lamp";
        EXPECT_GT(meanLuminance(byAuto, level.lamp), 1.4 * meanLuminance(off, level.lamp));
        EXPECT_EQ(amberPixels(byHand), 0);
        EXPECT_GT(amberPixels(byAuto), 40) << "lamp and mark";
    }
}

TEST(PanelArt, TheSwitchKnobInItsHotSpotLightsWhenOn) {
    const Area knob{41, 9, 69, 37};
    const Bitmap on = load(131), off = load(132), disabled = load(133);
    EXPECT_GT(meanLuminance(on, knob), 1.3 * meanLuminance(off, knob));
    EXPECT_LT(meanLuminance(disabled), 0.7 * meanLuminance(off));
    // The knob is the picture's brightest part when on: the user sees where to click.
    EXPECT_GT(meanLuminance(on, knob), 1.5 * meanLuminance(on));
}

// Info control image = look × 3 + press state; looks active, surround off, DSP disabled; press
// states help pressed, about pressed, nothing pressed.
TEST(PanelArt, InfoControlShowsThePressedSubButtonAndOnlyThat) {
    const Area help{6, 81, 22, 97}, about{71, 81, 87, 97}, logo{18, 16, 74, 74};
    for (int look = 0; look < 3; ++look) {
        SCOPED_TRACE("look " + std::to_string(look));
        const Bitmap helpPressed = load(267 + 3 * look), aboutPressed = load(268 + 3 * look),
                     released = load(269 + 3 * look);
        EXPECT_GT(differingPixels(helpPressed, released, help), 20);
        EXPECT_EQ(differingPixels(helpPressed, released, about), 0);
        EXPECT_GT(differingPixels(aboutPressed, released, about), 20);
        EXPECT_EQ(differingPixels(aboutPressed, released, help), 0);
        EXPECT_EQ(differingPixels(helpPressed, released, logo), 0);
        EXPECT_EQ(differingPixels(aboutPressed, released, logo), 0);
    }
    const Area logoCore{30, 28, 62, 62};
    const Bitmap active = load(269), surroundOff = load(272), disabled = load(275);
    EXPECT_GT(meanLuminance(active, logoCore), 1.2 * meanLuminance(surroundOff, logoCore));
    EXPECT_LT(meanLuminance(disabled), 0.7 * meanLuminance(surroundOff));
}

// Status display: 0 DSP disabled, 1 surround off, then 2 + 6 × preset + quality offset, the offsets
// 0..2 being Min, Max, Mid chosen by Auto and 3..5 the same chosen by hand.
TEST(PanelArt, EveryStatusPictureIsItsOwnAndAutoChoicesAreMarked) {
    std::vector<Bitmap> status;
    for (int image = 0; image < 32; ++image) status.push_back(load(332 + image));
    for (int a = 0; a < 32; ++a)
        for (int b = a + 1; b < 32; ++b)
            EXPECT_GT(differingPixels(status[a], status[b]), 60) << "status images " << a << " and " << b;
    for (int image = 2; image < 32; ++image) {
        const bool byAuto = (image - 2) % 6 < 3;
        if (byAuto)
            EXPECT_GT(amberPixels(status[image]), 30) << image;
        else
            EXPECT_EQ(amberPixels(status[image]), 0) << image;
    }
    // The surround-off picture is a dim display; the disabled picture dims the plate around it too.
    for (int image = 2; image < 32; ++image) {
        EXPECT_LT(meanLuminance(status[1]), meanLuminance(status[image])) << image;
        EXPECT_LT(meanLuminance(status[0]), meanLuminance(status[image])) << image;
    }
}

// A tile repeated in both directions shows no seam: across its wrapped edges neighbouring pixels
// differ no more than neighbours inside it do.
TEST(PanelArt, BackgroundsTileSeamlesslyAndTheDisabledOneIsDarker) {
    for (int id : {264, 265}) {
        SCOPED_TRACE(id);
        const Bitmap t = load(id);
        auto columnStep = [&](int x0, int x1) {
            double sum = 0;
            for (int y = 0; y < t.height; ++y) sum += std::abs(luminance(t.at(x0, y)) - luminance(t.at(x1, y)));
            return sum / t.height;
        };
        auto rowStep = [&](int y0, int y1) {
            double sum = 0;
            for (int x = 0; x < t.width; ++x) sum += std::abs(luminance(t.at(x, y0)) - luminance(t.at(x, y1)));
            return sum / t.width;
        };
        double inside = 0;
        for (int x = 0; x + 1 < t.width; ++x) inside += columnStep(x, x + 1);
        inside /= t.width - 1;
        EXPECT_LE(columnStep(t.width - 1, 0), 1.5 * inside + 0.5);
        inside = 0;
        for (int y = 0; y + 1 < t.height; ++y) inside += rowStep(y, y + 1);
        inside /= t.height - 1;
        EXPECT_LE(rowStep(t.height - 1, 0), 1.5 * inside + 0.5);
        // The means of the first and last columns and rows match too: no gradient across the tile.
        EXPECT_NEAR(meanLuminance(t, {0, 0, 0, t.height - 1}),
                    meanLuminance(t, {t.width - 1, 0, t.width - 1, t.height - 1}), 1.5);
        EXPECT_NEAR(meanLuminance(t, {0, 0, t.width - 1, 0}),
                    meanLuminance(t, {0, t.height - 1, t.width - 1, t.height - 1}), 1.5);
    }
    EXPECT_LT(meanLuminance(load(265)), 0.8 * meanLuminance(load(264)));
}

// The dialogs lay black text over the picture, so it is a pale watermark: plainly there, yet never
// dark enough to fight with the text.
TEST(PanelArt, TheDialogPictureIsAWatermarkOnWhite) {
    const Bitmap b = load(446);
    auto white = [](const Pixel& p) { return p.r >= 250 && p.g >= 250 && p.b >= 250; };
    for (int x = 0; x < b.width; ++x) {
        EXPECT_TRUE(white(b.at(x, 0))) << x;
        EXPECT_TRUE(white(b.at(x, b.height - 1))) << x;
    }
    for (int y = 0; y < b.height; ++y) {
        EXPECT_TRUE(white(b.at(0, y))) << y;
        EXPECT_TRUE(white(b.at(b.width - 1, y))) << y;
    }
    double darkest = 255;
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) darkest = std::min(darkest, luminance(b.at(x, y)));
    EXPECT_LT(meanLuminance(b), 250) << "an emblem, not a blank page";
    EXPECT_LT(darkest, 215) << "its strongest marks are visible";
    EXPECT_GT(darkest, 150) << "no mark as dark as the dialogs' text";
}

}  // namespace
