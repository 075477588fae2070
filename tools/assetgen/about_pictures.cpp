#include "tools/assetgen/about_pictures.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "tools/assetgen/panel_pictures.h"

namespace tevaro::assetgen::panel {

namespace {

constexpr double Pi = 3.14159265358979323846;
// The band the box paints behind its logos and animation, RGB(142, 142, 188).
constexpr Rgb Band{142 / 255.0, 142 / 255.0, 188 / 255.0};
constexpr Rgb Navy{0.07, 0.10, 0.24};
constexpr Rgb Link{0.07, 0.42, 0.78};

Surface filled(int width, int height, Rgb colour) {
    Surface s = newSurface(width, height);
    Painter cr(s.get());
    setSource(cr, colour);
    cairo_paint(cr);
    return s;
}

// Arcs of sound on both sides of (cx, cy); `spread` moves them outward.
void waves(cairo_t* cr, double cx, double cy, double first, double gap, int count, double spread, Rgb colour,
           double alpha) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int ring = 0; ring < count; ++ring) {
        const double r = first + ring * gap + spread;
        const double fade = alpha * std::clamp(1.0 - (ring + spread / gap) / count, 0.0, 1.0);
        cairo_set_line_width(cr, 2.0 - ring * 0.3);
        setSource(cr, colour, fade);
        for (int side = -1; side <= 1; side += 2) {
            const double a = side < 0 ? Pi : 0.0;
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx, cy, r, a - 0.6, a + 0.6);
            cairo_stroke(cr);
        }
    }
}

void roundBadge(cairo_t* cr, double cx, double cy, double r) {
    cairo_arc(cr, cx, cy + 1, r, 0, 2 * Pi);
    cairo_set_source_rgba(cr, 0, 0, 0.1, 0.35);
    cairo_fill(cr);
    cairo_pattern_t* glass = cairo_pattern_create_radial(cx, cy - r / 3, 2, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(glass, 0, 0.13, 0.24, 0.46);
    cairo_pattern_add_color_stop_rgb(glass, 1, 0.03, 0.06, 0.15);
    cairo_arc(cr, cx, cy, r, 0, 2 * Pi);
    cairo_set_source(cr, glass);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);
    cairo_set_line_width(cr, 1.5);
    setSource(cr, {0.80, 0.84, 0.92});
    cairo_arc(cr, cx, cy, r - 0.75, 0, 2 * Pi);
    cairo_stroke(cr);
}

}  // namespace

Surface makerLogo() {
    Surface s = filled(79, 72, Band);
    Painter cr(s.get());
    roundBadge(cr, 39.5, 27, 24);
    headphones(cr, 39.5, 24, 1.05, true, false);
    text(cr, "VARDAL", {"DejaVu Sans", 11.0, true, 1.5}, 40, 63, Align::Centre, {1, 1, 1});
    text(cr, "ACOUSTICS", {"DejaVu Sans", 6.5, false, 1.2}, 40, 71, Align::Centre, Navy);
    return s;
}

Surface spatioLogo() {
    Surface s = filled(106, 43, Band);
    Painter cr(s.get());
    waves(cr, 18, 21, 6, 4, 3, 0, {1, 1, 1}, 0.9);
    cairo_arc(cr, 18, 21, 3.5, 0, 2 * Pi);
    setSource(cr, Navy);
    cairo_fill(cr);
    text(cr, "Spatio", {"DejaVu Sans", 19.0, true}, 37, 27, Align::Left, {1, 1, 1});
    text(cr, "SOUND IN FRONT", {"DejaVu Sans", 6.0, false, 1.0}, 38, 38, Align::Left, Navy);
    return s;
}

Surface panorixLogo() {
    Surface s = filled(40, 44, Band);
    Painter cr(s.get());
    roundBadge(cr, 20, 17, 15);
    const TextStyle letter{"DejaVu Sans", 17.0, true};
    text(cr, "P", letter, 20, capCentredBaseline(cr, letter, 17), Align::Centre, colours::Cyan);
    text(cr, "PANORIX", {"DejaVu Sans", 6.0, true, 0.4}, 20, 42, Align::Centre, Navy);
    return s;
}

Surface linkLabel(int id) {
    const int width = id == 487 ? 73 : id == 488 ? 88 : 120;
    const char* label = id == 487 ? "vardal-acoustics" : id == 488 ? "halvern-audio" : "quillmark-software";
    Surface s = filled(width, 13, {1, 1, 1});
    Painter cr(s.get());
    const TextStyle style{"DejaVu Sans", 9.0};
    text(cr, id == 487 ? std::string(label) : std::string(label) + " ›", style, 0, 10, Align::Left, Link);
    setSource(cr, Link, 0.6);
    cairo_rectangle(cr, 0, 11, std::min<double>(width, textWidth(cr, label, style)), 1);
    cairo_fill(cr);
    return s;
}

Surface aboutBackground() {
    constexpr int Width = 211, Height = 192;
    Surface s = filled(Width, Height, {1, 1, 1});
    Painter cr(s.get());
    // A pale watermark behind the credits: large headphones in sound rings, fading to white at the
    // left where the link labels lie, so black text stays easy to read over it.
    waves(cr, 140, 100, 46, 12, 4, 0, Band, 0.55);
    headphones(cr, 140, 92, 3.0, false, false);
    cairo_pattern_t* wash = cairo_pattern_create_linear(0, 0, Width, 0);
    cairo_pattern_add_color_stop_rgba(wash, 0.0, 1, 1, 1, 1.0);
    cairo_pattern_add_color_stop_rgba(wash, 0.45, 1, 1, 1, 0.86);
    cairo_pattern_add_color_stop_rgba(wash, 1.0, 1, 1, 1, 0.72);
    cairo_set_source(cr, wash);
    cairo_paint(cr);
    cairo_pattern_destroy(wash);
    return s;
}

Surface aboutAnimationFrame(double t) {
    Surface s = filled(80, 60, Band);
    Painter cr(s.get());
    // Three breaths in fifteen seconds: the waves run outward while the lamps brighten, then sink.
    const double breath = 0.5 - 0.5 * std::cos(2 * Pi * 3 * t);
    const double run = std::fmod(t * 15.0, 1.0);  // one new wave a second
    cairo_pattern_t* glow = cairo_pattern_create_radial(40, 30, 2, 40, 30, 34);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1, 1, 1, 0.25 + 0.35 * breath);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1, 1, 1, 0);
    cairo_set_source(cr, glow);
    cairo_paint(cr);
    cairo_pattern_destroy(glow);
    waves(cr, 40, 31, 20, 7, 3, run * 7, {1, 1, 1}, 0.55 + 0.45 * breath);
    headphones(cr, 40, 27, 1.15 + 0.08 * breath, breath > 0.35, false);
    return s;
}

AviClip aboutAnimation() {
    constexpr int Frames = 299;
    AviClip clip;
    clip.width = 80;
    clip.height = 60;
    clip.microsecondsPerFrame = 50000;
    std::vector<Surface> frames;
    for (int i = 0; i < Frames; ++i) frames.push_back(aboutAnimationFrame(i / static_cast<double>(Frames)));

    // The palette: the most used colours at 5 bits a channel, over every frame; each pixel then
    // takes the nearest of them.
    auto key = [](std::uint32_t c) { return (c >> 9 & 0x7C00) | (c >> 6 & 0x03E0) | (c >> 3 & 0x001F); };
    std::map<std::uint32_t, long> used;
    for (const Surface& f : frames) {
        cairo_surface_flush(f.get());
        const unsigned char* data = cairo_image_surface_get_data(f.get());
        const int stride = cairo_image_surface_get_stride(f.get());
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x) ++used[key(reinterpret_cast<const std::uint32_t*>(data + y * stride)[x])];
    }
    std::vector<std::pair<long, std::uint32_t>> ranked;
    for (const auto& [k, n] : used) ranked.push_back({n, k});
    std::sort(ranked.rbegin(), ranked.rend());
    const std::size_t colours = std::min<std::size_t>(256, ranked.size());
    auto expand = [](std::uint32_t k) {
        const std::uint32_t r = (k >> 10) & 31, g = (k >> 5) & 31, b = k & 31;
        return (r << 3 | r >> 2) << 16 | (g << 3 | g >> 2) << 8 | (b << 3 | b >> 2);
    };
    for (std::size_t i = 0; i < colours; ++i) clip.palette[i] = expand(ranked[i].second);
    std::map<std::uint32_t, std::uint8_t> nearest;
    auto indexOf = [&](std::uint32_t c) {
        const std::uint32_t k = key(c);
        if (auto it = nearest.find(k); it != nearest.end()) return it->second;
        const std::uint32_t e = expand(k);
        long best = -1;
        std::uint8_t at = 0;
        for (std::size_t i = 0; i < colours; ++i) {
            const std::uint32_t p = clip.palette[i];
            const long dr = static_cast<long>(p >> 16 & 0xFF) - static_cast<long>(e >> 16 & 0xFF);
            const long dg = static_cast<long>(p >> 8 & 0xFF) - static_cast<long>(e >> 8 & 0xFF);
            const long db = static_cast<long>(p & 0xFF) - static_cast<long>(e & 0xFF);
            const long d = dr * dr * 3 + dg * dg * 4 + db * db * 2;
            if (best < 0 || d < best) {
                best = d;
                at = static_cast<std::uint8_t>(i);
            }
        }
        nearest[k] = at;
        return at;
    };
    for (const Surface& f : frames) {
        const unsigned char* data = cairo_image_surface_get_data(f.get());
        const int stride = cairo_image_surface_get_stride(f.get());
        std::vector<std::uint8_t> indexes(80 * 60);
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x)
                indexes[static_cast<std::size_t>(y * 80 + x)] =
                    indexOf(reinterpret_cast<const std::uint32_t*>(data + y * stride)[x]);
        clip.frames.push_back(std::move(indexes));
    }
    return clip;
}

}  // namespace tevaro::assetgen::panel
