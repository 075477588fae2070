#pragma once
// The room reverberator written plainly: one frame at a time, 57 tap indexes each advanced every
// frame, every formula evaluated in double and rounded to float wherever a float value is kept
// (memory slots, states and the two working values). The oracle the optimised RoomReverb, with
// its runs of frames and its one head counter, is compared with bit for bit.
#include <cstddef>
#include <cstdint>

namespace tevaro::dsp::reference {

struct ReverbReference {
    std::int16_t inputLeft, inputRight;
    std::int16_t scaledLeft, scaledRight;
    float workA, workB;  // all-pass intermediates
    float diffuseGain1, diffuseGain2;
    float damping;
    float outputSmoothing;
    float slowCoef;
    float slowGain;
    float tankGain;
    float earlyGain2, earlyGain1;
    std::int16_t preDelay;
    float spread;
    std::int16_t sizeA, sizeB, sizeBase;
    float dry, wet;
    float feedback;
    float inputGain;
    std::int16_t earlyBase[4];
    float lowPassLeft, lowPassRight;
    float smoothWetLeft, smoothWetRight;
    float slowFollower;
    float wetSumLeft, wetSumRight;
    std::int32_t memorySize;
    float memory[65536];
    std::int16_t tapCount;
    std::int16_t position[57];
    std::uint16_t distance[57];
    std::uint16_t index[57];

    void initialise();
    void configure(std::uint32_t word);
    void process(std::size_t samples, const std::int16_t* in, std::int16_t* out);

private:
    void frame(const std::int16_t* in, std::int16_t* out);
    float& slot(int k) { return memory[index[k]]; }
};

}  // namespace tevaro::dsp::reference
