#pragma once
// Phantom-centre equalisation: one gentle correction shared by the four filters of a set, so the
// interaural differences stay as modelled while a centre-panned source keeps its tone colour.
#include <vector>

namespace coefgen {

struct Biquad {
    double b0, b1, b2, a1, a2;
};

// Peaking bell (the audio-EQ cookbook form).
Biquad peakingBell(double centreHz, double gainDb, double q);
// First-order low shelf (bilinear): gainDb below cornerHz, 0 dB above.
Biquad lowShelf(double cornerHz, double gainDb);
void applyBiquad(std::vector<double>& h, const Biquad& f);

// Mean power (dB) of the filter over the octave band around centreHz, cut at 20 kHz.
double octavePowerDb(const std::vector<double>& h, double centreHz);

// The correction's settings: a low shelf for the bass that the early reflections and the torso
// add up coherently, and one bell per octave from 500 Hz to 8 kHz.
struct CentreEq {
    static constexpr int bells = 5;
    static constexpr double shelfCornerHz = 300.0;
    static constexpr double bellHz[bells] = {500, 1000, 2000, 4000, 8000};
    double shelfDb = 0.0;
    double bellDb[bells] = {};
    void apply(std::vector<double>& h) const;
};

}  // namespace coefgen
