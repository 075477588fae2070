#include "dsp/engine/offline/programmes.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tevaro::dsp {
namespace {

constexpr double sampleRate = 44100.0;
constexpr double twoPi = 6.283185307179586;

// sin(2 pi t) from a Taylor polynomial after reduction to a quarter turn (error below 4e-6).
double sineTurns(double t) {
    t -= std::floor(t);
    if (t >= 0.5) t -= 1.0;     // -0.5 .. 0.5
    if (t > 0.25) t = 0.5 - t;  // fold onto -0.25 .. 0.25
    if (t < -0.25) t = -0.5 - t;
    const double x = twoPi * t;
    const double x2 = x * x;
    return x * (1.0 - x2 / 6.0 * (1.0 - x2 / 20.0 * (1.0 - x2 / 42.0 * (1.0 - x2 / 72.0))));
}

class Random {
public:
    explicit Random(std::uint32_t seed) : state(seed ? seed : 0x9E3779B9u) {}
    double uniform() {  // -1 .. 1
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state;
};

// Three one-pole sections spaced so that their sum falls by 3 dB per octave over the audio band.
class PinkFilter {
public:
    double next(double white) {
        b0 = 0.99765 * b0 + white * 0.0990460;
        b1 = 0.96300 * b1 + white * 0.2965164;
        b2 = 0.57000 * b2 + white * 1.0526913;
        return b0 + b1 + b2 + white * 0.1848;
    }

private:
    double b0 = 0, b1 = 0, b2 = 0;
};

std::int16_t toPcm(double v) { return static_cast<std::int16_t>(std::clamp(std::lround(v), -32768L, 32767L)); }

// Scales a float programme so that its largest magnitude sits at `peakDbfs`.
Programme normalised(const std::vector<double>& x, double peakDbfs) {
    double peak = 1e-9;
    for (double v : x) peak = std::max(peak, std::fabs(v));
    const double scale = 32767.0 * std::pow(10.0, peakDbfs / 20.0) / peak;
    Programme out(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) out[i] = toPcm(x[i] * scale);
    return out;
}

double midiHz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// Weight of a harmonic at `hz` through two vowel formants.
double formant(double hz, double f1, double f2) {
    const auto bump = [](double d, double width) { return 1.0 / (1.0 + d * d / (width * width)); };
    return bump(hz - f1, 90.0) + 0.6 * bump(hz - f2, 150.0) + 0.05;
}

}  // namespace

Programme pinkNoise(std::size_t frames, NoiseImage image, double rmsDbfs, std::uint32_t seed) {
    Random random(seed);
    PinkFilter left, right;
    std::vector<double> x(2 * frames);
    double energy = 0.0;
    for (std::size_t f = 0; f < frames; ++f) {
        const double l = left.next(random.uniform());
        double r = l;
        if (image == NoiseImage::uncorrelated) r = right.next(random.uniform());
        if (image == NoiseImage::antiPhase) r = -l;
        x[2 * f] = l;
        x[2 * f + 1] = r;
        energy += l * l + r * r;
    }
    const double rms = std::sqrt(energy / std::max<std::size_t>(1, x.size()));
    const double scale = 32767.0 * std::pow(10.0, rmsDbfs / 20.0) / std::max(rms, 1e-12);
    Programme out(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) out[i] = toPcm(x[i] * scale);
    return out;
}

Programme demoProgramme(std::size_t frames) {
    // A minor - F - C - G at 100 beats per minute, one chord per bar of four beats.
    const std::array<std::array<int, 3>, 4> chords = {{{57, 60, 64}, {53, 57, 60}, {48, 52, 55}, {55, 59, 62}}};
    const std::array<int, 8> melody = {0, 2, 1, 2, 0, 1, 2, 1};  // chord tone per beat, an octave up
    const std::array<std::array<double, 2>, 3> vowels = {{{730, 1090}, {530, 1840}, {570, 840}}};
    const double beatFrames = sampleRate * 60.0 / 100.0;
    Random random(2024);
    PinkFilter ambienceLeft, ambienceRight;
    double hatEnvelope = 0.0, hatPan = 0.0, hatHighPass = 0.0;
    double voicePhase = 0.0, bassPhase = 0.0, pluckPhase = 0.0;
    std::vector<double> x(2 * frames);

    for (std::size_t f = 0; f < frames; ++f) {
        const double t = f / sampleRate;
        const double beatPos = f / beatFrames;
        const int beat = static_cast<int>(beatPos);
        const double inBeat = beatPos - beat;
        const auto& chord = chords[(beat / 4) % 4];
        const int section = static_cast<int>(t / 15.0) % 4;  // intro, verse, bridge, chorus

        // Voice: a formant-shaped harmonic series with vibrato, one syllable per beat.
        double voice = 0.0;
        if (section != 0) {
            const double hz = midiHz(chord[melody[beat % 8]] + 12) * (1.0 + 0.006 * sineTurns(5.2 * t));
            voicePhase += hz / sampleRate;
            const auto& vowel = vowels[beat % 3];
            for (int h = 1; h <= 16 && h * hz < 5000.0; ++h) {
                voice += formant(h * hz, vowel[0], vowel[1]) / h * sineTurns(h * voicePhase);
            }
            const double syllable = std::min(1.0, inBeat * 30.0) * (1.0 - 0.6 * inBeat);
            voice *= syllable * (section == 2 ? 0.5 : 1.0);
        }

        // Bass, left of centre: root note, plucked per beat.
        bassPhase += midiHz(chord[0] - 24) / sampleRate;
        const double bass =
            (sineTurns(bassPhase) + 0.3 * sineTurns(2.0 * bassPhase)) * std::max(0.0, 1.0 - 0.8 * inBeat);

        // Plucked arpeggio in eighth notes, right of centre.
        const double eighth = beatPos * 2.0;
        const int step = static_cast<int>(eighth);
        const double inEighth = eighth - step;
        pluckPhase += midiHz(chord[step % 3] + 12 * (1 + step % 2)) / sampleRate;
        const double pluckDecay = 1.0 / (1.0 + 12.0 * inEighth);
        const double pluck = (sineTurns(pluckPhase) + 0.5 * sineTurns(2.0 * pluckPhase) * pluckDecay +
                              0.25 * sineTurns(3.0 * pluckPhase) * pluckDecay * pluckDecay) *
                             pluckDecay * (section == 0 ? 0.0 : 1.0);

        // Hi-hats on the off-beats, moving from left to right over each bar.
        if (std::fabs(inBeat - 0.5) < 0.5 / beatFrames) {
            hatEnvelope = 1.0;
            hatPan = (beat % 4) / 3.0;
        }
        const double white = random.uniform();
        const double hat = (white - hatHighPass) * hatEnvelope;
        hatHighPass = 0.6 * hatHighPass + 0.4 * white;
        hatEnvelope *= 0.9993;

        // Ambience: slowly breathing, partly out of phase between the sides (strongest in the bridge).
        const double swell = 0.5 + 0.5 * sineTurns(t / 8.0);
        const double aL = ambienceLeft.next(random.uniform());
        const double aR = ambienceRight.next(random.uniform());
        const double wide = section == 2 ? 0.9 : 0.35;
        double pad = 0.0;
        for (int note : chord) pad += sineTurns(midiHz(note) * t) + 0.3 * sineTurns(midiHz(note) * 2.003 * t);
        const double ambienceL = 0.04 * swell * (aL + wide * aR) + 0.05 * pad * swell;
        const double ambienceR =
            0.04 * swell * (aR - wide * aL) - 0.05 * wide * pad * swell + 0.05 * (1 - wide) * pad * swell;

        x[2 * f] = 0.30 * voice + 0.40 * bass * 0.8 + 0.22 * pluck * 0.35 + 0.10 * hat * (1.0 - hatPan) + ambienceL;
        x[2 * f + 1] = 0.30 * voice + 0.40 * bass * 0.45 + 0.22 * pluck * 0.85 + 0.10 * hat * hatPan + ambienceR;
    }
    return normalised(x, -1.0);
}

Programme steeringWorkout(std::size_t framesPerSection) {
    Programme out = demoProgramme(framesPerSection);
    const Programme antiPhase = pinkNoise(framesPerSection, NoiseImage::antiPhase, -12.0, 7);
    out.insert(out.end(), antiPhase.begin(), antiPhase.end());
    for (std::size_t f = 0; f < framesPerSection; ++f) {  // left-only tone
        out.push_back(toPcm(12000.0 * sineTurns(330.0 * f / sampleRate)));
        out.push_back(0);
    }
    out.insert(out.end(), framesPerSection, 0);               // silence: half a section
    for (std::size_t f = 0; f < framesPerSection / 2; ++f) {  // full-scale squares, right a fifth up
        out.push_back((f / 50) % 2 ? 32767 : -32768);
        out.push_back((f / 33) % 2 ? -32768 : 32767);
    }
    return out;
}

Programme steeringTour(std::size_t framesPerSection) {
    Programme out = steeringWorkout(framesPerSection);
    const std::size_t half = framesPerSection / 2;
    const auto tone = [](std::size_t f) { return 12000.0 * sineTurns(440.0 * f / sampleRate); };
    for (std::size_t f = 0; f < half; ++f) {  // centred
        out.push_back(toPcm(tone(f)));
        out.push_back(toPcm(tone(f)));
    }
    for (std::size_t f = 0; f < half; ++f) {  // right only
        out.push_back(0);
        out.push_back(toPcm(tone(f)));
    }
    const Programme noise = pinkNoise(half, NoiseImage::uncorrelated, -12.0, 11);
    out.insert(out.end(), noise.begin(), noise.end());
    for (std::size_t f = 0; f < half; ++f) {  // the pattern
        out.push_back(toPcm(tone(f)));
        out.push_back(toPcm(-0.415 * tone(f)));
    }
    // The pattern for one update in four, over a centred tone at half the level: the pattern
    // comes back when its hold has counted down to 1. A high tone, so that little of one part
    // rings on into the next update; the parts start on the updates of a steering reset at the
    // programme's first frame.
    const auto high = [](std::size_t f) { return 12000.0 * sineTurns(3000.0 * f / sampleRate); };
    const std::size_t start = out.size() / 2;
    const std::size_t align = (64 - start % 64) % 64;
    for (std::size_t f = 0; f < align + half; ++f) {
        const bool pattern = f >= align && (f - align) % 256 < 64;
        out.push_back(toPcm(pattern ? high(f) : 0.5 * high(f)));
        out.push_back(toPcm(pattern ? -0.41 * high(f) : 0.5 * high(f)));
    }
    return out;
}

}  // namespace tevaro::dsp
