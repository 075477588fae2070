#include "dsp/engine/tests/reference/reverb_reference.h"

#include <cmath>

namespace tevaro::dsp::reference {
namespace {

float f32(double v) { return static_cast<float>(v); }

// The reverberator's range is symmetric around zero.
std::int16_t toOutput(double v) {
    const double whole = std::trunc(v);
    if (whole < -32767.0) return -32767;
    if (whole > 32767.0) return 32767;
    return static_cast<std::int16_t>(whole);
}

}  // namespace

void ReverbReference::initialise() {
    *this = ReverbReference{};
    diffuseGain1 = 0.625f;
    diffuseGain2 = 0.5625f;
    damping = 0.4f;
    outputSmoothing = 0.26f;
    slowCoef = f32(1.0 / 45.0);
    slowGain = 0.4f;
    tankGain = 0.4f;
    earlyGain2 = 0.7f;
    earlyGain1 = 0.7f;
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
    memorySize = 65536;
    tapCount = 57;

    const auto s = [this](int base) { return base * (sizeBase + sizeA) / (sizeBase + sizeB); };
    int p[57];
    p[0] = 0;
    p[1] = 8138;
    p[2] = p[0] + preDelay + s(earlyBase[2]);
    p[3] = p[0] + preDelay + s(earlyBase[0]);
    p[4] = 7138;
    p[5] = p[4] + 880;
    p[6] = p[1] + preDelay + s(earlyBase[3]);
    p[7] = p[1] + preDelay + s(earlyBase[1]);
    p[8] = p[1] + 7138;
    p[9] = p[8] + 880;
    p[10] = p[1] + 8138;
    p[11] = p[10] + 45;
    p[12] = p[11] + 74;
    p[13] = p[12] + 39;
    p[14] = p[13] + 62;
    p[15] = p[14] + 850;
    p[16] = p[15] + 850;
    p[17] = p[16] + 728;
    p[18] = p[17] + 1012;
    p[19] = p[18] + 850;
    p[20] = p[14] + 129;
    p[21] = p[15] + 228;
    p[22] = p[16] + 285;
    p[23] = p[17] + 117;
    p[24] = p[18] + 226;
    p[25] = p[19] + 428;
    const int left[14] = {154, 336, 456, 601, 744, 915, 1068, 1222, 1466, 1683, 1761, 1971, 2160, 2339};
    for (int i = 0; i < 14; ++i) p[26 + i] = p[14] + left[i];
    const int right[16] = {67, 155, 412, 567, 766, 944, 1049, 1227, 1399, 1586, 1756, 1899, 2065, 2250, 2427, 2574};
    for (int i = 0; i < 16; ++i) p[40 + i] = p[17] + right[i];
    p[56] = p[19] + 850;

    for (int k = 0; k < 57; ++k) {
        position[k] = static_cast<std::int16_t>(p[k]);
        distance[k] = static_cast<std::uint16_t>(k < 10 ? p[k] : std::trunc(p[10] + (p[k] - p[10]) * double{spread}));
        index[k] = static_cast<std::uint16_t>((65536 - distance[k]) % 65536);
    }
}

void ReverbReference::configure(std::uint32_t word) {
    const bool large = (word & 0x1) != 0 && (word & 0x400) != 0;
    wet = large ? 0.15f : 0.1f;
    feedback = large ? 0.625f : 0.546875f;
    preDelay = static_cast<std::int16_t>(large ? 1320 : 660);
    sizeA = 100;
}

void ReverbReference::process(std::size_t samples, const std::int16_t* in, std::int16_t* out) {
    const std::size_t frames = samples >> 1;
    for (std::size_t i = 0; i < frames; ++i) frame(in + 2 * i, out + 2 * i);
}

void ReverbReference::frame(const std::int16_t* in, std::int16_t* out) {
    const double g1 = diffuseGain1;
    const double g2 = diffuseGain2;
    const double a = tankGain;
    const double f = feedback;

    // Each value the formulas store is a float: the memory, the states and the two working
    // values, which hold every intermediate (s, t, v) of the all-passes and stages in turn.
    inputLeft = in[0];
    inputRight = in[1];
    // Every tap moves on before anything is read.
    for (int k = 0; k < 57; ++k) index[k] = static_cast<std::uint16_t>((index[k] + 1) % 65536);
    scaledLeft = static_cast<std::int16_t>(std::trunc(inputLeft * double{inputGain}));
    scaledRight = static_cast<std::int16_t>(std::trunc(inputRight * double{inputGain}));

    // Input all-passes, left then right. The left's second reads tap 12 before the right's first
    // overwrites it.
    workA = f32(-g1 * scaledLeft + slot(11));
    slot(10) = f32(g1 * workA + scaledLeft);
    workB = f32(-g2 * workA + slot(12));
    slot(11) = f32(g2 * workB + workA);
    slot(0) = workB;

    workA = f32(-g1 * scaledRight + slot(13));
    slot(12) = f32(g1 * workA + scaledRight);
    workB = f32(-g2 * workA + slot(14));
    slot(13) = f32(g2 * workB + workA);
    slot(1) = workB;

    // The tank: three damped stages per side.
    workB = f32(earlyGain2 * double{slot(2)} + f * slot(56));
    lowPassLeft = f32((1.0 - damping) * lowPassLeft + damping * double{workB});
    workA = f32(-a * lowPassLeft + slot(20));
    slot(14) = f32(a * workA + lowPassLeft);
    slot(20) = workA;

    slowFollower = f32((1.0 - slowCoef) * slowFollower + slowCoef * double{slot(15)});
    workB = f32(f * slot(15) + slowGain * double{slowFollower} + earlyGain1 * double{slot(3)});
    workA = f32(-a * workB + slot(21));
    slot(15) = f32(a * workA + workB);
    slot(21) = workA;

    workB = f32(f * slot(16));
    workA = f32(-a * workB + slot(22));
    slot(16) = f32(a * workA + workB);
    slot(22) = workA;

    workB = f32(earlyGain2 * double{slot(6)} + f * slot(17));
    lowPassRight = f32((1.0 - damping) * lowPassRight + damping * double{workB});
    workA = f32(-a * lowPassRight + slot(23));
    slot(17) = f32(a * workA + lowPassRight);
    slot(23) = workA;

    workB = f32(earlyGain1 * double{slot(7)} + f * slot(18));
    workA = f32(-a * workB + slot(24));
    slot(18) = f32(a * workA + workB);
    slot(24) = workA;

    workB = f32(f * slot(19));
    workA = f32(-a * workB + slot(25));
    slot(19) = f32(a * workA + workB);
    slot(25) = workA;

    // Wet sums, term by term from the left.
    const auto M = [this](int k) { return double{slot(k)}; };
    wetSumLeft = f32(0.5 * M(26) + 0.5 * M(28) + 0.38 * M(30) + 0.5 * M(32) + 0.38 * M(34) + 0.5 * M(36) - 0.5 * M(38) +
                     0.5 * M(40) - 0.5 * M(42) + 0.38 * M(44) + 0.5 * M(46) - 0.5 * M(48) + 0.38 * M(50) - 0.5 * M(52) +
                     0.38 * M(54));
    wetSumRight = f32(-0.5 * M(27) + 0.38 * M(29) + 0.5 * M(31) - 0.5 * M(33) + 0.38 * M(35) - 0.5 * M(37) +
                      0.38 * M(39) + 0.5 * M(41) - 0.5 * M(43) + 0.38 * M(45) - 0.5 * M(47) + 0.38 * M(49) +
                      0.5 * M(51) - 0.5 * M(53) + 0.38 * M(55));

    smoothWetLeft = f32(outputSmoothing * double{wetSumLeft} + (1.0 - outputSmoothing) * smoothWetLeft);
    smoothWetRight = f32(outputSmoothing * double{wetSumRight} + (1.0 - outputSmoothing) * smoothWetRight);

    // The mix is rounded to a float before it is truncated.
    out[0] = toOutput(f32(wet * double{smoothWetLeft} + dry * static_cast<double>(inputLeft)));
    out[1] = toOutput(f32(wet * double{smoothWetRight} + dry * static_cast<double>(inputRight)));
}

}  // namespace tevaro::dsp::reference
