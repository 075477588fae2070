#include "tools/coefgen/head_model.h"

#include <cmath>

namespace coefgen {
namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double headRadius = 0.0875;   // m
constexpr double speedOfSound = 343.0;  // m/s
constexpr int sincHalfWidth = 5;        // taps each side of a band-limited impulse

double hannSinc(double t) {
    if (std::fabs(t) >= sincHalfWidth) return 0.0;
    const double window = 0.5 + 0.5 * std::cos(pi * t / sincHalfWidth);
    // 0.9 of Nyquist keeps the pulse band-limited below 20 kHz.
    const double band = 0.9;
    const double x = pi * band * t;
    const double sinc = t == 0.0 ? 1.0 : std::sin(x) / x;
    return band * sinc * window;
}

}  // namespace

// Spherical head (Brown and Duda's one-pole, one-zero approximation): H(s) = (1 + alpha s / 2w0)
// / (1 + s / 2w0) with w0 = c / a, discretised by the bilinear transform.
void addArrival(std::vector<double>& response, const Arrival& arrival) {
    const int size = static_cast<int>(response.size());
    std::vector<double> pulse(size, 0.0);
    for (int i = 0; i < size; ++i) pulse[i] = arrival.gain * hannSinc(i - arrival.delay);
    const double k = 2.0 * sampleRate / (2.0 * speedOfSound / headRadius);
    const double b0 = (1.0 + arrival.alpha * k) / (1.0 + k);
    const double b1 = (1.0 - arrival.alpha * k) / (1.0 + k);
    const double a1 = (1.0 - k) / (1.0 + k);
    double previousIn = 0.0, previousOut = 0.0;
    for (int i = 0; i < size; ++i) {
        const double out = b0 * pulse[i] + b1 * previousIn - a1 * previousOut;
        previousIn = pulse[i];
        previousOut = out;
        response[i] += out;
    }
}

double shadowAlpha(double incidenceDeg) {
    constexpr double alphaMin = 0.1, thetaMin = 150.0;
    return (1.0 + alphaMin / 2.0) + (1.0 - alphaMin / 2.0) * std::cos(incidenceDeg / thetaMin * pi);
}

// Echo k arrives A_k cos(azimuth / 2) sin(D_k * 90 deg) + B_k samples after the arrival
// (horizontal plane), with gains 0.5, -1, 0.5, -0.25, 0.25: the concha's inverted echo 4..9
// samples late carves the notch that tells front from back.
std::vector<PinnaEcho> pinnaEchoes(double azimuthDeg) {
    constexpr double gains[5] = {0.5, -1.0, 0.5, -0.25, 0.25};
    constexpr double a[5] = {1.0, 5.0, 5.0, 5.0, 5.0};
    constexpr double b[5] = {2.0, 4.0, 7.0, 11.0, 13.0};
    constexpr double d[5] = {1.0, 0.5, 0.5, 0.5, 0.5};
    std::vector<PinnaEcho> echoes;
    for (int e = 0; e < 5; ++e) {
        const double delay = a[e] * std::cos(azimuthDeg * pi / 360.0) * std::sin(d[e] * pi / 2.0) + b[e];
        echoes.push_back({delay, gains[e]});
    }
    return echoes;
}

void fadeOut(std::vector<double>& response, int fadeTaps) {
    const int size = static_cast<int>(response.size());
    for (int j = 0; j < fadeTaps; ++j) {
        const int i = size - fadeTaps + j;
        const double t = static_cast<double>(j + 1) / fadeTaps;  // reaches 1 on the last tap
        response[i] *= 0.5 + 0.5 * std::cos(pi * t);
    }
}

}  // namespace coefgen
