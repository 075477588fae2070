#include "tools/coefgen/set_designs.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "tools/coefgen/equaliser.h"
#include "tools/coefgen/head_model.h"

namespace coefgen {
namespace {

// Rock/Pop: a close, bright room: two strong early reflections, then little.
const Room rockPopRoom{{{11, 0.28, 0.8}, {23, 0.18, 0.6}, {37, 0.10, 0.5}}, 0.8, 3};
// Classic: a hall's dense, soft and dull onset of many small reflections.
const Room classicRoom{{{8, 0.16, 0.5},
                        {17, 0.15, 0.45},
                        {27, 0.14, 0.4},
                        {39, 0.12, 0.35},
                        {52, 0.10, 0.3},
                        {68, 0.07, 0.3},
                        {86, 0.05, 0.3}},
                       0.9,
                       2};
// jazz: a club: one strong lateral reflection, a slower tail at the far ear.
const Room jazzRoom{{{15, 0.32, 0.7}, {24, 0.20, 0.5}, {45, 0.13, 0.4}, {78, 0.07, 0.35}}, 1.3, 5};
// Movie: a wide room with a floor bounce and late side walls.
const Room movieRoom{{{16, 0.24, 0.6}, {37, 0.15, 0.45}, {63, 0.08, 0.35}}, 0.7, 4};

constexpr double frontAzimuth = 30.0;
constexpr double rearAzimuth = 110.0;
constexpr double torsoGain = 0.25;   // shoulder reflection, relative to the direct arrival
constexpr double torsoAlpha = 0.35;  // dulled by the shoulder
constexpr double farEarAlphaFloor = 0.7;
constexpr double peakMargin = 1.35;  // main peak over every other coefficient, before the level

// The far ear from the near ear's point of view: 0 = the same side.
bool nearEar(int filter) { return filter == 0 || filter == 3; }

// The modelled response before its peak is placed.
std::vector<double> modelFilter(const SetDesign& design, int filter) {
    const PeakTarget peak = design.peaks[filter];
    const bool near = nearEar(filter);
    const double azimuth = near ? design.azimuthDeg : 180.0 - design.azimuthDeg;  // as the ear sees it
    const double incidence = std::fabs(near ? 90.0 - design.azimuthDeg : 90.0 + design.azimuthDeg);
    // The far ear keeps some highs (diffraction round the head): a floor on its shadow keeps its
    // low end from outweighing the near ear once the peaks are scaled to their stated values.
    const double alpha = std::fmax(shadowAlpha(std::fmin(incidence, 180.0)), near ? 0.0 : farEarAlphaFloor);
    const std::vector<PinnaEcho> pinna = pinnaEchoes(azimuth);

    // A positive main peak is the direct arrival itself; a negative one is the concha's inverted
    // echo (pinna echo 1), so the direct arrival sits that echo's delay earlier.
    const double direct = peak.value > 0 ? peak.index : peak.index - pinna[1].delay;
    const double torsoDelay = design.azimuthDeg < 90.0 ? 22.0 : 14.0;

    std::vector<double> h(design.slots, 0.0);
    addArrival(h, {direct, 1.0, alpha});
    for (const PinnaEcho& echo : pinna) addArrival(h, {direct + echo.delay, echo.gain, alpha});
    addArrival(h, {direct + torsoDelay, torsoGain, torsoAlpha});
    const Room& room = *design.room;
    // A shorter window holds a room folded in sooner: the reflections close up with the length,
    // so each length of a preset is its own response rather than a cut of the longest.
    const double roomScale = std::sqrt(design.slots / 128.0);
    for (const Reflection& r : room.reflections) {
        const double delay = direct + r.delay * roomScale + (near ? 0.0 : room.crossEarDelay);
        const double gain = r.gain * (near ? 1.0 : room.crossEarGain);
        if (delay < design.slots) addArrival(h, {delay, gain, r.alpha});
    }
    return h;
}

void placePeak(const SetDesign& design, int filter, std::vector<double>& h) {
    const PeakTarget peak = design.peaks[filter];
    fadeOut(h, design.slots / 4);

    // Place the main peak: it must be the largest coefficient with the stated sign.
    double others = 0.0;
    for (int i = 0; i < design.slots; ++i)
        if (i != peak.index) others = std::fmax(others, std::fabs(h[i]));
    if ((h[peak.index] > 0) != (peak.value > 0))
        throw std::runtime_error(design.symbol + ": model peak has the wrong sign");
    if (std::fabs(h[peak.index]) < peakMargin * others) h[peak.index] = std::copysign(peakMargin * others, peak.value);

    const double scale = peak.value / h[peak.index];
    const double body = design.bodyGain * (nearEar(filter) ? 1.0 : design.farBodyGain);
    for (int i = 0; i < design.slots; ++i) h[i] *= scale * body;
    h[peak.index] = peak.value;
}

// Centre-panned response at the ears (both ears' power), one value per octave 63 Hz..8 kHz.
std::vector<double> centreBands(const std::vector<double> (&h)[4]) {
    std::vector<double> left(h[0].size()), right(h[0].size()), bands;
    for (std::size_t i = 0; i < left.size(); ++i) {
        left[i] = h[0][i] + h[2][i];
        right[i] = h[1][i] + h[3][i];
    }
    for (double hz = 62.5; hz < 9000; hz *= 2) {
        const double l = std::pow(10.0, octavePowerDb(left, hz) / 10),
                     r = std::pow(10.0, octavePowerDb(right, hz) / 10);
        bands.push_back(10.0 * std::log10((l + r) / 2));
    }
    return bands;
}

// Designs the four filters; with centre equalisation, three rounds of measuring the phantom
// centre and correcting most of each octave's deviation from the mean (at most 9 dB).
void designFilters(const SetDesign& design, std::vector<double> (&h)[4]) {
    std::vector<double> model[4];
    for (int k = 0; k < 4; ++k) model[k] = modelFilter(design, k);
    CentreEq eq;
    for (int round = 0; round <= (design.centreEq ? 3 : 0); ++round) {
        for (int k = 0; k < 4; ++k) {
            h[k] = model[k];
            eq.apply(h[k]);
            placePeak(design, k, h[k]);
        }
        if (!design.centreEq || round == 3) break;
        const std::vector<double> bands = centreBands(h);
        double mean = 0;
        for (double b : bands) mean += b / bands.size();
        const double bass = (bands[0] + bands[1] + bands[2]) / 3 - mean - design.bassTiltDb;  // 63..250 Hz: the shelf
        eq.shelfDb = std::clamp(eq.shelfDb - 0.8 * bass, -9.0, 9.0);
        for (int b = 0; b < CentreEq::bells; ++b)
            eq.bellDb[b] = std::clamp(eq.bellDb[b] - 0.8 * (bands[3 + b] - mean), -9.0, 9.0);
    }
}

}  // namespace

std::vector<SetDesign> setDesigns() {
    const std::vector<double> frontRockPopLeading{0.004054,  -0.038830, 0.015073, 0.037455,
                                                  -0.047509, -0.000492, 0.022593, 0.016491};
    const std::vector<double> rearRockPopLeading{0, 0, -0.002132, 0.010848, -0.011073, -0.017461, 0.022813, -0.008424};
    // clang-format off
    return {
        {.symbol = "rearRockPop96", .slots = 96, .peaks = {{19, -0.1350}, {17, -0.0849}, {17, -0.0747}, {18, -0.1526}}, .azimuthDeg = rearAzimuth, .room = &rockPopRoom, .leadingTaps = rearRockPopLeading},
        {.symbol = "rearRockPop72", .slots = 72, .peaks = {{19, -0.1485}, {17, -0.0936}, {17, -0.0820}, {18, -0.1673}}, .azimuthDeg = rearAzimuth, .room = &rockPopRoom},
        {.symbol = "rearClassic", .slots = 96, .peaks = {{19, -0.1814}, {17, -0.1142}, {17, -0.1007}, {18, -0.2051}}, .azimuthDeg = rearAzimuth, .room = &classicRoom},
        {.symbol = "rearJazz96", .slots = 96, .peaks = {{17, -0.1093}, {27, -0.0582}, {28, -0.0661}, {17, -0.1095}}, .azimuthDeg = rearAzimuth, .room = &jazzRoom},
        {.symbol = "rearJazz72", .slots = 72, .peaks = {{17, -0.1117}, {27, -0.0594}, {28, -0.0689}, {17, -0.1123}}, .azimuthDeg = rearAzimuth, .room = &jazzRoom},
        {.symbol = "rearMovie", .slots = 96, .peaks = {{17, -0.1093}, {27, -0.0582}, {28, -0.0661}, {17, -0.1095}}, .azimuthDeg = rearAzimuth, .room = &jazzRoom, .sameAs = "rearJazz96"},
        {.symbol = "frontRockPop128", .slots = 128, .peaks = {{17, 0.2158}, {22, -0.0671}, {17, 0.0551}, {26, -0.2204}}, .azimuthDeg = frontAzimuth, .room = &rockPopRoom, .bodyGain = 0.75, .leadingTaps = frontRockPopLeading, .centreEq = true, .bassTiltDb = -3.0},
        {.symbol = "frontRockPop96", .slots = 96, .peaks = {{17, 0.2117}, {22, -0.0666}, {17, 0.0528}, {26, -0.2170}}, .azimuthDeg = frontAzimuth, .room = &rockPopRoom, .centreEq = true},
        {.symbol = "frontRockPop72", .slots = 72, .peaks = {{17, 0.2248}, {22, -0.0726}, {17, 0.0554}, {26, -0.2336}}, .azimuthDeg = frontAzimuth, .room = &rockPopRoom, .bodyGain = 1.3, .centreEq = true, .farBodyGain = 0.6},
        {.symbol = "frontClassic", .slots = 128, .peaks = {{18, 0.4422}, {17, 0.0724}, {20, 0.0709}, {17, 0.4538}}, .azimuthDeg = frontAzimuth, .room = &classicRoom, .bodyGain = 0.755, .centreEq = true, .farBodyGain = 0.15, .bassTiltDb = -2.0},
        {.symbol = "frontJazz128", .slots = 128, .peaks = {{17, -0.1818}, {34, 0.1370}, {22, -0.0528}, {17, 0.2318}}, .azimuthDeg = frontAzimuth, .room = &jazzRoom, .bodyGain = 1.2, .centreEq = true, .bassTiltDb = -3.0},
        {.symbol = "frontJazz96", .slots = 96, .peaks = {{17, -0.1899}, {34, 0.1400}, {22, -0.0544}, {17, 0.2436}}, .azimuthDeg = frontAzimuth, .room = &jazzRoom, .bodyGain = 0.9, .centreEq = true},
        {.symbol = "frontJazz72", .slots = 72, .peaks = {{17, -0.1818}, {34, 0.1370}, {22, -0.0528}, {17, 0.2318}}, .azimuthDeg = frontAzimuth, .room = &jazzRoom, .truncationOf = "frontJazz128", .centreEq = true},
        {.symbol = "frontMovie", .slots = 128, .peaks = {{17, 0.1825}, {30, 0.1500}, {27, 0.0794}, {17, 0.1929}}, .azimuthDeg = frontAzimuth, .room = &movieRoom, .bodyGain = 1.29, .centreEq = true, .bassTiltDb = -1.0},
    };
    // clang-format on
}

std::vector<double> designSet(const SetDesign& design, const std::vector<SetDesign>& designs,
                              const std::vector<std::vector<double>>& done) {
    const auto earlier = [&](const std::string& symbol) -> std::size_t {
        for (std::size_t s = 0; s < done.size(); ++s)
            if (designs[s].symbol == symbol) return s;
        throw std::runtime_error(design.symbol + ": " + symbol + " must come earlier");
    };
    if (!design.sameAs.empty()) return done[earlier(design.sameAs)];

    std::vector<double> data;
    if (!design.truncationOf.empty()) {
        const std::size_t source = earlier(design.truncationOf);
        const int sourceSlots = designs[source].slots;
        for (int k = 0; k < 4; ++k)
            for (int i = 0; i < design.slots; ++i) data.push_back(done[source][k * sourceSlots + i]);
        return data;
    }
    std::vector<double> h[4];
    designFilters(design, h);
    for (std::size_t i = 0; i < design.leadingTaps.size(); ++i) h[0][i] = design.leadingTaps[i];
    for (const std::vector<double>& filter : h) data.insert(data.end(), filter.begin(), filter.end());
    return data;
}

}  // namespace coefgen
