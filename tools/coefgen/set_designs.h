#pragma once
// The fourteen coefficient sets: what each must show (slot count, each filter's main peak) and
// the model parameters that shape everything else.
#include <string>
#include <vector>

namespace coefgen {

struct PeakTarget {
    int index;     // tap of the largest coefficient by magnitude
    double value;  // its exact value
};

struct Reflection {
    double delay;  // samples after the direct arrival at the same ear
    double gain;   // relative to the direct arrival
    double alpha;  // its own shadow shelf: early reflections arrive dulled
};

// The preset's listening room, as the first few reflections inside the filter window.
struct Room {
    std::vector<Reflection> reflections;
    double crossEarGain;   // reflection gain at the far ear relative to the near ear
    double crossEarDelay;  // extra samples to the far ear
};

struct SetDesign {
    std::string symbol;  // name of the C++ constant
    int slots;
    PeakTarget peaks[4];  // filters: L->L ear, L->R ear, R->L ear, R->R ear
    double azimuthDeg;    // loudspeaker angle from straight ahead: 30 front, 110 rear
    const Room* room;
    // Level: scales every coefficient except the fixed main peak. It moves the energy (and so
    // the loudness of the set) without touching any stated peak; keep it within ~0.6..1.3 so
    // the main peak stays the largest coefficient (the generator checks).
    double bodyGain = 1.0;
    std::string sameAs{};               // holds the same values as this earlier set
    std::string truncationOf{};         // holds the first `slots` taps of each filter of this earlier set
    std::vector<double> leadingTaps{};  // exact first coefficients of filter 1, if stated
    bool centreEq = false;              // phantom-centre equalisation (the front pairs)
    // Crossfeed: scales the body of the two far-ear filters (2 and 3) on top of bodyGain. Less
    // far-ear body narrows the level gap between a centred and an anti-phase source.
    double farBodyGain = 1.0;
    // Where the centre equalisation puts the bass (63..250 Hz) against the mean of the octaves:
    // below 0 leaves headroom for loud centred bass at the higher input gains.
    double bassTiltDb = 0.0;
};

std::vector<SetDesign> setDesigns();

// The four filters one after the other (4 * slots values). `done` holds the sets designed so far
// (same order as setDesigns()), for sets that copy or truncate an earlier one.
std::vector<double> designSet(const SetDesign& design, const std::vector<SetDesign>& designs,
                              const std::vector<std::vector<double>>& done);

}  // namespace coefgen
