// CoverDrift's generated pictures as the effect gets them: decoded here with libjpeg, libpng and a
// BMP reader of our own, independently of the generator, and checked for what the effect relies
// on: sizes and formats, clouds whose red-to-opacity rule leaves a soft, opaque cloud on a fully
// transparent background, frames and star with alpha, bar blocks darkening row by row, pale
// reflections fading downwards, and a resource fragment naming every file.
#include <gtest/gtest.h>

// jpeglib.h needs FILE and size_t declared first.
#include <cstdio>
#include <cstddef>
#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string Dir = TEVARO_COVERDRIFT_ART_DIR;

struct Pixel {
    double r, g, b, a;  // 0..255, straight alpha
};

struct Image {
    int width = 0, height = 0;
    std::vector<Pixel> pixels;  // rows top-down
    const Pixel& at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

double luminance(const Pixel& p) { return (0.2126 * p.r + 0.7152 * p.g + 0.0722 * p.b) / 255.0; }

std::vector<unsigned char> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The effect's rule: r = red / 255, boosted by 1.08 (capped at 1) from 0.55 up; alpha = the top
// byte of (1 - a) * 0xFF000000 with a = 1 - r^4.
int cloudAlpha(double red) {
    double r = red / 255.0;
    if (r >= 0.55) r = std::min(1.0, r * 1.08);
    const double a = 1.0 - r * r * r * r;
    return static_cast<int>(static_cast<std::uint32_t>((1.0 - a) * 4278190080.0) >> 24);
}

// The first start-of-frame marker of a JPEG: 0xC0 is baseline DCT.
int startOfFrameMarker(const std::vector<unsigned char>& f) {
    std::size_t at = 2;
    while (at + 4 <= f.size() && f[at] == 0xFF) {
        const int marker = f[at + 1];
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) return marker;
        at += 2 + (static_cast<std::size_t>(f[at + 2]) << 8 | f[at + 3]);
    }
    return -1;
}

void readJpeg(const std::string& name, Image& out) {
    const std::vector<unsigned char> f = readFile(Dir + "/" + name);
    ASSERT_GT(f.size(), 4u) << name;
    ASSERT_EQ(f[0], 0xFF);
    ASSERT_EQ(f[1], 0xD8) << name << ": JPEG start of image";
    EXPECT_EQ(startOfFrameMarker(f), 0xC0) << name << ": baseline JPEG";
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, f.data(), static_cast<unsigned long>(f.size()));
    ASSERT_EQ(jpeg_read_header(&info, TRUE), JPEG_HEADER_OK);
    EXPECT_FALSE(info.progressive_mode) << name;
    EXPECT_EQ(info.num_components, 3) << name;
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    out.width = static_cast<int>(info.output_width);
    out.height = static_cast<int>(info.output_height);
    std::vector<unsigned char> row(static_cast<std::size_t>(out.width) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        for (int x = 0; x < out.width; ++x)
            out.pixels.push_back({double(row[3 * x]), double(row[3 * x + 1]), double(row[3 * x + 2]), 255.0});
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
}

void readPng(const std::string& name, Image& out) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    const std::string path = Dir + "/" + name;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << path;
    EXPECT_TRUE(image.format & PNG_FORMAT_FLAG_ALPHA) << name << ": PNG with an alpha channel";
    EXPECT_TRUE(image.format & PNG_FORMAT_FLAG_COLOR) << name;
    image.format = PNG_FORMAT_RGBA;
    std::vector<unsigned char> data(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, data.data(), 0, nullptr)) << name;
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    for (std::size_t i = 0; i + 3 < data.size(); i += 4)
        out.pixels.push_back({double(data[i]), double(data[i + 1]), double(data[i + 2]), double(data[i + 3])});
}

std::uint32_t le32(const std::vector<unsigned char>& f, std::size_t at) {
    return f[at] | f[at + 1] << 8 | f[at + 2] << 16 | static_cast<std::uint32_t>(f[at + 3]) << 24;
}

// What LoadImage of a BITMAP resource relies on: a 24-bit, uncompressed, bottom-up DIB.
void readBmp(const std::string& name, Image& out) {
    const std::vector<unsigned char> f = readFile(Dir + "/" + name);
    ASSERT_GE(f.size(), 54u) << name;
    ASSERT_EQ(f[0], 'B');
    ASSERT_EQ(f[1], 'M');
    EXPECT_EQ(le32(f, 2), f.size()) << name << ": file size field";
    ASSERT_EQ(le32(f, 14), 40u) << name << ": BITMAPINFOHEADER";
    const auto width = static_cast<std::int32_t>(le32(f, 18)), height = static_cast<std::int32_t>(le32(f, 22));
    ASSERT_GT(height, 0) << name << ": rows must run bottom-up";
    ASSERT_EQ(f[28] | f[29] << 8, 24) << name << ": bits per pixel";
    ASSERT_EQ(le32(f, 30), 0u) << name << ": BI_RGB";
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
    const std::uint32_t offset = le32(f, 10);
    ASSERT_EQ(f.size(), offset + rowBytes * static_cast<std::size_t>(height)) << name;
    out.width = width;
    out.height = height;
    for (int y = 0; y < height; ++y) {
        const std::size_t row = offset + rowBytes * static_cast<std::size_t>(height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const std::size_t p = row + 3 * static_cast<std::size_t>(x);
            out.pixels.push_back({double(f[p + 2]), double(f[p + 1]), double(f[p]), 255.0});
        }
    }
}

Image load(const std::string& file) {
    Image image;
    const std::string ext = file.substr(file.size() - 4);
    if (ext == ".jpg") readJpeg(file, image);
    if (ext == ".png") readPng(file, image);
    if (ext == ".bmp") readBmp(file, image);
    return image;
}

Pixel mean(const Image& image, int x0, int y0, int x1, int y1) {
    Pixel sum{0, 0, 0, 0};
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x, ++n) {
            const Pixel& p = image.at(x, y);
            sum = {sum.r + p.r, sum.g + p.g, sum.b + p.b, sum.a + p.a};
        }
    return {sum.r / n, sum.g / n, sum.b / n, sum.a / n};
}
Pixel mean(const Image& image) { return mean(image, 0, 0, image.width, image.height); }

// The declarations of coverdrift_art.rc: resource name to type and file.
std::map<std::string, std::pair<std::string, std::string>> declarations() {
    std::map<std::string, std::pair<std::string, std::string>> out;
    const std::vector<unsigned char> text = readFile(Dir + "/coverdrift_art.rc");
    std::istringstream rc(std::string(text.begin(), text.end()));
    std::string line;
    while (std::getline(rc, line)) {
        if (line.empty() || line.rfind("//", 0) == 0) continue;
        std::istringstream fields(line);
        std::string name, type, file;
        fields >> name >> type >> file;
        out[name] = {type, file.size() >= 2 && file.front() == '"' ? file.substr(1, file.size() - 2) : file};
    }
    return out;
}

struct Expected {
    std::string name;
    const char* type;
    const char* extension;
    int width, height;
};

std::vector<Expected> expectedResources() {
    std::vector<Expected> all = {
        {"DATATABLE_Bkg", "RCDATA", ".jpg", 800, 600},
        {"DATATABLE_Cloud_1", "RCDATA", ".jpg", 500, 500},
        {"DATATABLE_Cloud_2", "RCDATA", ".jpg", 500, 500},
        {"DATATABLE_Album_drop_shadow", "RCDATA", ".png", 206, 203},
        {"DATATABLE_Album_hover", "RCDATA", ".png", 206, 203},
        {"DATATABLE_No_cover", "RCDATA", ".png", 202, 182},
        {"DATATABLE_Rating", "RCDATA", ".png", 30, 30},
        {"DATATABLE_Button_R1", "BITMAP", ".bmp", 10, 8},
        {"DATATABLE_Button_R2", "BITMAP", ".bmp", 10, 8},
        {"DATATABLE_Button_R3", "BITMAP", ".bmp", 10, 8},
        {"DATATABLE_Button_R_Peak", "BITMAP", ".bmp", 10, 8},
    };
    for (const char* block : {"1A", "2A", "3A", "4A", "5A", "6A", "1B", "Peak"}) {
        all.push_back({std::string("DATATABLE_Button_") + block, "BITMAP", ".bmp", 10, 10});
        all.push_back({std::string("DATATABLE_hd_Button_") + block, "BITMAP", ".bmp", 20, 20});
    }
    return all;
}

TEST(CoverDriftArt, FragmentDeclaresEveryPictureWithItsTypeAndAFileOfItsSizeAndFormat) {
    const auto declared = declarations();
    const auto expected = expectedResources();
    EXPECT_EQ(declared.size(), expected.size()) << "no other resources";
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        const auto it = declared.find(e.name);
        ASSERT_NE(it, declared.end()) << "not declared";
        EXPECT_EQ(it->second.first, e.type);
        const std::string& file = it->second.second;
        ASSERT_GT(file.size(), 4u);
        EXPECT_EQ(file.substr(file.size() - 4), e.extension);
        EXPECT_EQ(file.find('/'), std::string::npos) << "relative to the fragment's folder";
        const Image image = load(file);
        EXPECT_EQ(image.width, e.width);
        EXPECT_EQ(image.height, e.height);
    }
}

TEST(CoverDriftArt, DemoCoversAreDistinctSquareJpegs) {
    const Image one = load("demo/track1_art.jpg"), two = load("demo/track2_art.jpg");
    for (const Image* cover : {&one, &two}) {
        EXPECT_EQ(cover->width, 500);
        EXPECT_EQ(cover->height, 500);
        // Striking, not a flat fill: the brightness spreads widely over the picture.
        double sum = 0, sum2 = 0;
        for (const Pixel& p : cover->pixels) {
            sum += luminance(p);
            sum2 += luminance(p) * luminance(p);
        }
        const double n = static_cast<double>(cover->pixels.size());
        EXPECT_GT(std::sqrt(sum2 / n - (sum / n) * (sum / n)), 0.15);
    }
    const Pixel a = mean(one), b = mean(two);
    EXPECT_GT(std::fabs(a.r - b.r) + std::fabs(a.g - b.g) + std::fabs(a.b - b.b), 60.0) << "two different looks";
}

TEST(CoverDriftArt, SkyIsDeeperBlueAtTheTopAndPalerTowardsTheHorizon) {
    const Image sky = load("DATATABLE_Bkg.jpg");
    ASSERT_EQ(sky.width, 800);
    const Pixel top = mean(sky, 0, 0, 800, 60), low = mean(sky, 0, 420, 800, 480);
    EXPECT_GT(top.b, top.r + 60) << "blue sky";
    EXPECT_LT(luminance(top), luminance(low) - 0.2);
    EXPECT_GT(luminance(low), 0.7) << "luminous towards the horizon";
}

struct CloudCase {
    const char* file;
};

class CloudOpacity : public testing::TestWithParam<CloudCase> {};

TEST_P(CloudOpacity, RedRuleLeavesTransparentBlueAroundASoftOpaqueWhiteCloud) {
    const Image cloud = load(GetParam().file);
    ASSERT_EQ(cloud.width, 500);
    ASSERT_EQ(cloud.height, 500);
    std::vector<int> alpha;
    for (const Pixel& p : cloud.pixels) alpha.push_back(cloudAlpha(p.r));
    auto alphaAt = [&](int x, int y) { return alpha[static_cast<std::size_t>(y * 500 + x)]; };
    // Every pixel within 8 of the border, corners included, is transparent and pure blue.
    int borderMax = 0;
    for (int y = 0; y < 500; ++y)
        for (int x = 0; x < 500; ++x)
            if (std::min(std::min(x, 499 - x), std::min(y, 499 - y)) < 8) {
                borderMax = std::max(borderMax, alphaAt(x, y));
                const Pixel& p = cloud.at(x, y);
                ASSERT_TRUE(p.b >= 248 && p.g <= 10) << "not pure blue at " << x << "," << y;
            }
    EXPECT_LE(borderMax, 1);
    for (int corner = 0; corner < 4; ++corner) {
        const int x0 = corner % 2 ? 440 : 0, y0 = corner / 2 ? 440 : 0;
        EXPECT_LE(mean(cloud, x0, y0, x0 + 60, y0 + 60).r, 12.0) << "corner " << corner;
    }
    // An opaque core: some 40 × 40 square is opaque through and through, and the opaque part is
    // white, not grey.
    int bestCore = 0;
    for (int y = 40; y < 460; y += 10)
        for (int x = 40; x < 460; x += 10) {
            int lowest = 255;
            for (int j = 0; j < 40; j += 2)
                for (int i = 0; i < 40; i += 2) lowest = std::min(lowest, alphaAt(x + i, y + j));
            bestCore = std::max(bestCore, lowest);
        }
    EXPECT_GE(bestCore, 250);
    int opaque = 0, edge = 0;
    double opaqueGreen = 0;
    for (std::size_t i = 0; i < alpha.size(); ++i) {
        if (alpha[i] >= 245) {
            ++opaque;
            opaqueGreen += cloud.pixels[i].g;
        } else if (alpha[i] > 10) {
            ++edge;
        }
    }
    ASSERT_GT(opaque, 500 * 500 / 20) << "a cloud of some size";
    EXPECT_GT(opaqueGreen / opaque, 225.0) << "white where opaque";
    // Soft, fluffy edges: a wide rim of partial opacity, not a cut-out outline a pixel or two wide.
    EXPECT_GT(edge, opaque / 5);
}

INSTANTIATE_TEST_SUITE_P(Clouds, CloudOpacity,
                         testing::Values(CloudCase{"DATATABLE_Cloud_1.jpg"}, CloudCase{"DATATABLE_Cloud_2.jpg"}),
                         [](const testing::TestParamInfo<CloudCase>& info) {
                             return std::string(info.param.file).substr(10, 7);  // Cloud_1, Cloud_2
                         });

TEST(CoverDriftArt, TwoDifferentClouds) {
    const Image one = load("DATATABLE_Cloud_1.jpg"), two = load("DATATABLE_Cloud_2.jpg");
    int differing = 0;
    for (std::size_t i = 0; i < one.pixels.size(); ++i)
        differing += std::abs(cloudAlpha(one.pixels[i].r) - cloudAlpha(two.pixels[i].r)) > 128;
    EXPECT_GT(differing, 500 * 500 / 20);
}

TEST(CoverDriftArt, FramesShadowTheArtAndTheHoverFrameGlows) {
    const Image shadow = load("DATATABLE_Album_drop_shadow.png"), hover = load("DATATABLE_Album_hover.png");
    for (const Image* frame : {&shadow, &hover}) {
        // The art area (drawn over by the art) is solid, so a missing art file shows a plate.
        EXPECT_EQ(frame->at(100, 100).a, 255);
        EXPECT_EQ(frame->at(10, 10).a, 255);
    }
    // The margins the art leaves in view (the frame is drawn at 208 × 208, the art 200 × 200 over
    // its top-left): right and bottom strips.
    const Pixel shadowRight = mean(shadow, 200, 20, 206, 180), hoverRight = mean(hover, 200, 20, 206, 180);
    const Pixel shadowBottom = mean(shadow, 20, 197, 180, 203), hoverBottom = mean(hover, 20, 197, 180, 203);
    for (const Pixel& strip : {shadowRight, shadowBottom}) {
        EXPECT_GT(strip.a, 20) << "a visible shadow";
        EXPECT_LT(strip.a, 235) << "soft, partly transparent";
        EXPECT_LT(luminance(strip), 0.35) << "dark";
    }
    for (const Pixel& strip : {hoverRight, hoverBottom}) {
        EXPECT_GT(strip.a, 20);
        EXPECT_GT(luminance(strip), 0.75) << "a bright glow";
    }
    EXPECT_GT(luminance(hoverRight) * hoverRight.a, 3 * luminance(shadowRight) * shadowRight.a);
}

TEST(CoverDriftArt, EmptyJewelCaseIsSeeThrough) {
    const Image box = load("DATATABLE_No_cover.png");
    int partial = 0, opaqueish = 0;
    for (const Pixel& p : box.pixels) {
        partial += p.a > 8 && p.a < 247;
        opaqueish += p.a >= 128;
    }
    EXPECT_GT(partial, static_cast<int>(box.pixels.size()) / 3) << "clear plastic and a smoky tray";
    EXPECT_GT(opaqueish, static_cast<int>(box.pixels.size()) / 3) << "reads as a case, not a ghost";
}

TEST(CoverDriftArt, StarIsGoldOnTransparencyAndAvoidsTheTextPanelsKeyColour) {
    const Image star = load("DATATABLE_Rating.png");
    for (const auto& [x, y] : {std::pair{0, 0}, {29, 0}, {0, 29}}) EXPECT_EQ(star.at(x, y).a, 0) << x << "," << y;
    const Pixel centre = star.at(15, 16);
    EXPECT_EQ(centre.a, 255);
    EXPECT_GT(centre.r, 200);
    EXPECT_GT(centre.r, centre.g);
    EXPECT_GT(centre.g, centre.b + 60) << "gold";
    // The panel clears pixels of exactly 0xFF5992E1 in the text area the stars are drawn into.
    for (const Pixel& p : star.pixels) ASSERT_FALSE(p.a == 255 && p.r == 0x59 && p.g == 0x92 && p.b == 0xE1);
}

TEST(CoverDriftArt, BlocksDarkenStepByStepFromTheBottomRowInBothSizes) {
    for (const std::string prefix : {"DATATABLE_Button_", "DATATABLE_hd_Button_"}) {
        SCOPED_TRACE(prefix);
        double previous = 2.0;
        Pixel lightest{};
        for (int row = 1; row <= 6; ++row) {
            const Image block = load(prefix + std::to_string(row) + "A.bmp");
            const Pixel m = mean(block);
            EXPECT_GT(m.b, m.g) << "row " << row << " blue";
            EXPECT_GT(m.g, m.r) << "row " << row << " blue";
            EXPECT_LT(luminance(m), previous - 0.04) << "row " << row << " darker than the one below";
            previous = luminance(m);
            if (row == 1) lightest = m;
        }
        const Pixel weak = mean(load(prefix + "1B.bmp"));
        EXPECT_GT(weak.g, 0.8 * 255);
        EXPECT_GT(weak.b, 0.9 * 255);
        EXPECT_LT(weak.r, weak.g - 40) << "light cyan";
        EXPECT_GT(luminance(weak), luminance(lightest));
        const Pixel peak = mean(load(prefix + "Peak.bmp"));
        EXPECT_GT(luminance(peak), luminance(lightest)) << "the peak marker stands out from the blocks";
    }
    // The large blocks are the same colours, drawn twice the size.
    for (const char* block : {"1A", "4A", "6A", "1B", "Peak"}) {
        const Pixel normal = mean(load(std::string("DATATABLE_Button_") + block + ".bmp"));
        const Pixel large = mean(load(std::string("DATATABLE_hd_Button_") + block + ".bmp"));
        EXPECT_NEAR(luminance(normal), luminance(large), 0.06) << block;
    }
}

TEST(CoverDriftArt, ReflectionsArePaleAndFadeDownwards) {
    double previous = 0.0;
    for (const char* name : {"R1", "R2", "R3"}) {
        SCOPED_TRACE(name);
        const Image r = load(std::string("DATATABLE_Button_") + name + ".bmp");
        const double overall = luminance(mean(r));
        EXPECT_GT(overall, 0.75) << "pale";
        EXPECT_GT(overall, previous) << "paler than the reflection above";
        previous = overall;
        for (int y = 1; y < r.height; ++y)
            EXPECT_GE(luminance(mean(r, 0, y, r.width, y + 1)), luminance(mean(r, 0, y - 1, r.width, y)))
                << "row " << y;
    }
    const Image rest = load("DATATABLE_Button_R_Peak.bmp");
    EXPECT_GT(luminance(mean(rest)), 0.75);
    EXPECT_GT(luminance(mean(rest, 0, 7, 10, 8)), luminance(mean(rest, 0, 0, 10, 1)));
}

}  // namespace
