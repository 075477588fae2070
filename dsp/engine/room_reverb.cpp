#include "dsp/engine/room_reverb.h"

#include <algorithm>

#include "dsp/engine/sample_convert.h"
#include "settings_link/settings_word.h"

namespace tevaro::dsp {

void RoomReverb::initialise() {
    inputLeft = inputRight = scaledLeft = scaledRight = 0;
    workA = workB = 0.0f;
    diffuseGain1 = 0.625f;
    diffuseGain2 = 0.5625f;
    damping = 0.4f;
    outputSmoothing = 0.26f;
    slowCoef = static_cast<float>(1.0 / 45.0);
    slowGain = 0.4f;
    tankGain = 0.4f;
    earlyGain2 = earlyGain1 = 0.7f;
    preDelay = 660;
    spread = 7.0f;
    sizeA = 100;
    sizeB = 256;
    sizeBase = 28;
    dry = 0.9f;
    wet = 0.1f;
    feedback = 0.546875f;
    inputGain = 0.7f;
    earlyBase[0] = 0;
    earlyBase[1] = 871;
    earlyBase[2] = 2395;
    earlyBase[3] = 4497;
    lowPassLeft = lowPassRight = 0.0f;
    smoothWetLeft = smoothWetRight = 0.0f;
    slowFollower = 0.0f;
    wetSumLeft = wetSumRight = 0.0f;
    memorySize = memorySlots;
    std::fill_n(memory, memorySlots, 0.0f);
    tapCount = taps;
    head = 0;
    computeTaps();
}

void RoomReverb::computeTaps() {
    // Early taps: the base distances scaled by the room size, behind the pre-delay.
    const auto scaled = [this](int base) { return base * (sizeBase + sizeA) / (sizeBase + sizeB); };
    int p[taps];
    p[0] = 0;
    p[1] = 8138;
    p[2] = p[0] + preDelay + scaled(earlyBase[2]);
    p[3] = p[0] + preDelay + scaled(earlyBase[0]);
    p[4] = 7138;
    p[5] = p[4] + 880;
    p[6] = p[1] + preDelay + scaled(earlyBase[3]);
    p[7] = p[1] + preDelay + scaled(earlyBase[1]);
    p[8] = p[1] + 7138;
    p[9] = p[8] + 880;
    p[10] = p[1] + 8138;
    // Input all-pass segments (315, 518 left; 273, 434 right once stretched).
    p[11] = p[10] + 45;
    p[12] = p[11] + 74;
    p[13] = p[12] + 39;
    p[14] = p[13] + 62;
    // The ring: tank stage outputs.
    p[15] = p[14] + 850;
    p[16] = p[15] + 850;
    p[17] = p[16] + 728;
    p[18] = p[17] + 1012;
    p[19] = p[18] + 850;
    // Tank all-pass segments behind each stage.
    const int allpassOffsets[6] = {129, 228, 285, 117, 226, 428};
    for (int i = 0; i < 6; ++i) p[20 + i] = p[14 + i] + allpassOffsets[i];
    // Output taps of the left wet sum region, then of the right.
    const int leftOutputs[14] = {154, 336, 456, 601, 744, 915, 1068, 1222, 1466, 1683, 1761, 1971, 2160, 2339};
    for (int i = 0; i < 14; ++i) p[26 + i] = p[14] + leftOutputs[i];
    const int rightOutputs[16] = {67, 155, 412, 567, 766, 944, 1049, 1227, 1399, 1586, 1756, 1899, 2065, 2250, 2427, 2574};
    for (int i = 0; i < 16; ++i) p[40 + i] = p[17] + rightOutputs[i];
    p[56] = p[19] + 850;

    for (int k = 0; k < taps; ++k) {
        position[k] = static_cast<std::int16_t>(p[k]);
        const double stretched = k < 10 ? p[k] : p[10] + (p[k] - p[10]) * static_cast<double>(spread);
        distance[k] = static_cast<std::uint16_t>(static_cast<int>(stretched));
    }
}

void RoomReverb::configure(std::uint32_t settingsWord) {
    const bool largeRoom = (settingsWord & FlagRockPop) != 0 && (settingsWord & FlagQualityMax) != 0;
    wet = largeRoom ? 0.15f : 0.1f;
    feedback = largeRoom ? 0.625f : 0.546875f;
    // Kept for the record only: the taps were placed at initialisation and stay where they are.
    preDelay = largeRoom ? 1320 : 660;
    sizeA = 100;
}

void RoomReverb::process(std::size_t samples, const std::int16_t* in, std::int16_t* out) {
    const double g1 = diffuseGain1;
    const double g2 = diffuseGain2;
    const double a = tankGain;
    const double f = feedback;
    const double early1 = earlyGain1;
    const double early2 = earlyGain2;
    const std::size_t frames = samples >> 1;
    for (std::size_t i = 0; i < frames; ++i) {
        inputLeft = in[2 * i];
        inputRight = in[2 * i + 1];
        ++head;
        scaledLeft = static_cast<std::int16_t>(static_cast<int>(inputLeft * static_cast<double>(inputGain)));
        scaledRight = static_cast<std::int16_t>(static_cast<int>(inputRight * static_cast<double>(inputGain)));

        // Input diffusers, left then right (the left's second all-pass reads tap 12 before the
        // right's first one overwrites it).
        workA = toFloat(-g1 * scaledLeft + tap(11));
        tap(10) = toFloat(g1 * workA + scaledLeft);
        workB = toFloat(-g2 * workA + tap(12));
        tap(11) = toFloat(g2 * workB + workA);
        tap(0) = workB;

        workA = toFloat(-g1 * scaledRight + tap(13));
        tap(12) = toFloat(g1 * workA + scaledRight);
        workB = toFloat(-g2 * workA + tap(14));
        tap(13) = toFloat(g2 * workB + workA);
        tap(1) = workB;

        // Left tank side.
        workB = toFloat(early2 * tap(2) + f * tap(56));
        lowPassLeft = toFloat((1.0 - damping) * lowPassLeft + static_cast<double>(damping) * workB);
        workA = toFloat(-a * lowPassLeft + tap(20));
        tap(14) = toFloat(a * workA + lowPassLeft);
        tap(20) = workA;

        slowFollower = toFloat((1.0 - slowCoef) * slowFollower + static_cast<double>(slowCoef) * tap(15));
        workB = toFloat(f * tap(15) + static_cast<double>(slowGain) * slowFollower + early1 * tap(3));
        workA = toFloat(-a * workB + tap(21));
        tap(15) = toFloat(a * workA + workB);
        tap(21) = workA;

        workB = toFloat(f * tap(16));
        workA = toFloat(-a * workB + tap(22));
        tap(16) = toFloat(a * workA + workB);
        tap(22) = workA;

        // Right tank side.
        workB = toFloat(early2 * tap(6) + f * tap(17));
        lowPassRight = toFloat((1.0 - damping) * lowPassRight + static_cast<double>(damping) * workB);
        workA = toFloat(-a * lowPassRight + tap(23));
        tap(17) = toFloat(a * workA + lowPassRight);
        tap(23) = workA;

        workB = toFloat(early1 * tap(7) + f * tap(18));
        workA = toFloat(-a * workB + tap(24));
        tap(18) = toFloat(a * workA + workB);
        tap(24) = workA;

        workB = toFloat(f * tap(19));
        workA = toFloat(-a * workB + tap(25));
        tap(19) = toFloat(a * workA + workB);
        tap(25) = workA;

        wetSumLeft = toFloat(0.5 * tap(26) + 0.5 * tap(28) + 0.38 * tap(30) + 0.5 * tap(32) + 0.38 * tap(34) +
                             0.5 * tap(36) - 0.5 * tap(38) + 0.5 * tap(40) - 0.5 * tap(42) + 0.38 * tap(44) +
                             0.5 * tap(46) - 0.5 * tap(48) + 0.38 * tap(50) - 0.5 * tap(52) + 0.38 * tap(54));
        wetSumRight = toFloat(-0.5 * tap(27) + 0.38 * tap(29) + 0.5 * tap(31) - 0.5 * tap(33) + 0.38 * tap(35) -
                              0.5 * tap(37) + 0.38 * tap(39) + 0.5 * tap(41) - 0.5 * tap(43) + 0.38 * tap(45) -
                              0.5 * tap(47) + 0.38 * tap(49) + 0.5 * tap(51) - 0.5 * tap(53) + 0.38 * tap(55));

        const double k = outputSmoothing;
        smoothWetLeft = toFloat(k * wetSumLeft + (1.0 - k) * smoothWetLeft);
        smoothWetRight = toFloat(k * wetSumRight + (1.0 - k) * smoothWetRight);

        // -32767, not -32768: the output stays symmetric around zero.
        out[2 * i] = toSampleSymmetric(toFloat(static_cast<double>(wet) * smoothWetLeft + static_cast<double>(dry) * inputLeft));
        out[2 * i + 1] = toSampleSymmetric(toFloat(static_cast<double>(wet) * smoothWetRight + static_cast<double>(dry) * inputRight));
    }
}

}  // namespace tevaro::dsp
