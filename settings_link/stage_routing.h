#pragma once
// Which processing stages the DSP runs on a 16-bit buffer for a given settings word.
#include <cstdint>

namespace tevaro {

enum class EngineBranch : std::uint8_t {
    none,
    room,         // Neutral: the engine writes the whole result itself
    virtualiser,  // filtering presets at Mid/Max: the engine renders its surround feeds through rear sets
};

struct StageRouting {
    bool passThrough = false;                  // the word selects nothing: copy the input unchanged
    bool roomReverb = false;                   // stage 1 writes the output buffer
    EngineBranch engine = EngineBranch::none;  // stage 2
    bool virtualiserStage = false;             // stage 3 renders the front pair
    bool addsEarlierStages = false;            // stage 3 adds what stages 1 and 2 left (not at Min)
};

// Words the panel never writes (no preset bit, several preset bits, a filtering preset without
// a quality bit) select pass-through: better silence of the effect than a guess at the user's intent.
StageRouting routeStages(std::uint32_t word);

}  // namespace tevaro
