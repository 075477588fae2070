#include "classic_viz/levels/demo_programme.h"

#include <cmath>
#include <cstdint>

namespace tevaro::levels {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Bpm = 120.0;

double midiHz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// Deterministic white noise for drums.
struct Noise {
    std::uint32_t state = 22222;
    double next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
    }
};

void add(StereoAudio& a, int frame, double left, double right) {
    if (frame < 0 || frame >= a.frames()) return;
    a.samples[static_cast<std::size_t>(2 * frame)] += static_cast<float>(left);
    a.samples[static_cast<std::size_t>(2 * frame + 1)] += static_cast<float>(right);
}

void kick(StereoAudio& a, int at) {
    const int length = a.rate / 4;
    double phase = 0;
    for (int i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / a.rate;
        phase += 2 * Pi * (45.0 + 110.0 * std::exp(-t * 30.0)) / a.rate;
        const double v = 0.8 * std::sin(phase) * std::exp(-t * 9.0);
        add(a, at + i, v, v);
    }
}

void hat(StereoAudio& a, int at, double level, Noise& noise, double pan) {
    const int length = a.rate / 12;
    double previous = 0;
    for (int i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / a.rate;
        const double n = noise.next();
        const double bright = n - previous;  // first difference: a crude high-pass
        previous = n;
        const double v = level * bright * std::exp(-t * 60.0);
        add(a, at + i, v * (1 - pan), v * (1 + pan));
    }
}

// A tone with a few harmonics and an attack-decay envelope.
void tone(StereoAudio& a, int at, int length, double hz, double level, int harmonics, double decay, double pan) {
    for (int i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / a.rate;
        const double env = std::min(1.0, t * 200.0) * std::exp(-t * decay) * std::min(1.0, (length - i) / 400.0);
        double v = 0;
        for (int h = 1; h <= harmonics; ++h) v += std::sin(2 * Pi * hz * h * t) / h;
        v *= level * env;
        add(a, at + i, v * (1 - pan), v * (1 + pan));
    }
}

}  // namespace

StereoAudio demoProgramme() {
    StereoAudio a;
    const int beat = static_cast<int>(a.rate * 60.0 / Bpm);
    const int bars = 9;  // 4 bars, a half-bar break, 4 bars
    a.samples.assign(static_cast<std::size_t>(2 * (bars * 4 * beat + a.rate / 2)), 0.0f);
    Noise noise;

    const int chords[4][3] = {{57, 60, 64}, {53, 57, 60}, {48, 52, 55}, {55, 59, 62}};  // Am F C G
    const int roots[4] = {33, 29, 36, 31};
    const int breakStart = 4 * 4 * beat;
    const int breakLength = 2 * beat;
    for (int bar = 0; bar < 8; ++bar) {
        const int barStart = bar * 4 * beat + (bar >= 4 ? breakLength : 0);
        const int chord = bar % 4;
        const double intensity = bar >= 4 ? 1.0 : 0.6 + 0.1 * bar;
        for (int b = 0; b < 4; ++b) {
            const int at = barStart + b * beat;
            if (b % 2 == 0 || bar >= 4) kick(a, at);
            for (int e = 0; e < 2; ++e)
                hat(a, at + e * beat / 2, (e == 1 ? 0.35 : 0.2) * intensity, noise, e == 1 ? 0.3 : -0.3);
            tone(a, at, beat - 200, midiHz(roots[chord]), 0.35, 4, 3.0, 0.0);
        }
        for (int n = 0; n < 3; ++n)
            tone(a, barStart, 4 * beat - 400, midiHz(chords[chord][n]), 0.09, 6, 0.6, -0.4 + 0.4 * n);
        // A bright arpeggio two octaves up, sixteenths.
        for (int s = 0; s < 16; ++s) {
            const int note = chords[chord][s % 3] + 24 + (s % 6 == 5 ? 12 : 0);
            tone(a, barStart + s * beat / 4, beat / 4, midiHz(note), 0.07 * intensity, 3, 8.0, (s % 2) ? 0.5 : -0.5);
        }
    }
    (void)breakStart;

    // Leave headroom, and keep everything within -1..1.
    float peak = 0;
    for (float v : a.samples) peak = std::max(peak, std::fabs(v));
    if (peak > 0)
        for (float& v : a.samples) v *= 0.9f / peak;
    return a;
}

}  // namespace tevaro::levels
