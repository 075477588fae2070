#pragma once
// Diffuse room tail for 16-bit stereo: input gain and two diffusing all-passes per side feed the
// early region of one shared delay memory; early taps feed a ring of six damped all-pass stages
// (three per side) that closes on itself; fifteen signed taps per side on the ring form the wet
// signals, which are smoothed and mixed with the dry input.
//
// Every delay is a segment of one 65536-slot memory addressed by 57 taps at fixed distances behind
// the newest slot. All taps advance together, so a value written through tap j is read through
// tap k exactly u[k] - u[j] frames later.
#include <cstddef>
#include <cstdint>

namespace tevaro::dsp {

class RoomReverb {
public:
    static constexpr int memorySlots = 65536;
    static constexpr int taps = 57;

    // Sets the initial parameters, zeroes the memory and computes the tap distances.
    void initialise();
    // Wet level and feedback for a settings word: a larger room for Rock/Pop at Max.
    void configure(std::uint32_t settingsWord);
    // (samples >> 1) interleaved stereo frames from in to out (different buffers).
    void process(std::size_t samples, const std::int16_t* in, std::int16_t* out);

    float wetLevel() const { return wet; }
    float feedbackGain() const { return feedback; }
    std::uint16_t tapDistance(int k) const { return distance[k]; }
    std::int16_t tapPosition(int k) const { return position[k]; }
    const float* memoryData() const { return memory; }

private:
    static constexpr std::size_t maxRunFrames = 64;  // frames per run of fixed tap pointers

    void computeTaps();
    // Frames during which no tap index wraps; slots[k] is tap k's slot for the first of them.
    // Each step of a frame runs as its own loop over all of them: no run is longer than runLimit.
    void processRun(const std::int16_t* in, std::int16_t* out, std::size_t frames, float* const* slots);

    std::int16_t inputLeft, inputRight;
    std::int16_t scaledLeft, scaledRight;  // trunc(input * inputGain)
    float workA, workB;                    // all-pass intermediates, held as floats
    float diffuseGain1, diffuseGain2;      // input all-passes
    float damping;                         // one-pole in the first stage of each tank side
    float outputSmoothing;                 // one-pole on the wet outputs
    float slowCoef;                        // slow follower in left stage 2
    float slowGain;
    float tankGain;  // the six tank all-passes
    float earlyGain2, earlyGain1;
    std::int16_t preDelay;                // frames added to the early tap distances
    float spread;                         // stretch of the ring distances
    std::int16_t sizeA, sizeB, sizeBase;  // early bases scale by (sizeBase + sizeA) / (sizeBase + sizeB)
    float dry, wet;
    float feedback;  // ring feedback and stage inputs
    float inputGain;
    std::int16_t earlyBase[4];
    float lowPassLeft, lowPassRight;
    float smoothWetLeft, smoothWetRight;
    float slowFollower;
    float wetSumLeft, wetSumRight;
    std::int32_t memorySize;
    std::int16_t tapCount;
    std::int16_t position[taps];   // unstretched distances
    std::uint16_t distance[taps];  // frames behind the newest slot
    // Frames a run may last: the distance between the two closest taps, at most maxRunFrames.
    std::uint16_t runLimit;
    // One counter stands for the 57 tap indexes: tap k addresses (head - distance[k]) mod 65536,
    // which is its index 65536 - distance[k] advanced once per frame.
    std::uint32_t head;
    alignas(64) float memory[memorySlots];
};

}  // namespace tevaro::dsp
