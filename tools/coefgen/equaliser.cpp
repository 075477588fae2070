#include "tools/coefgen/equaliser.h"

#include <cmath>
#include <complex>

#include "tools/coefgen/head_model.h"

namespace coefgen {
namespace {
constexpr double pi = 3.14159265358979323846;
}

Biquad peakingBell(double centreHz, double gainDb, double q) {
    const double a = std::pow(10.0, gainDb / 40.0);
    const double w0 = 2.0 * pi * centreHz / sampleRate;
    const double alpha = std::sin(w0) / (2.0 * q);
    const double a0 = 1.0 + alpha / a;
    return {(1.0 + alpha * a) / a0, -2.0 * std::cos(w0) / a0, (1.0 - alpha * a) / a0, -2.0 * std::cos(w0) / a0,
            (1.0 - alpha / a) / a0};
}

// H(s) = (s + g wc) / (s + wc): gain g at DC, 1 at high frequencies.
Biquad lowShelf(double cornerHz, double gainDb) {
    const double g = std::pow(10.0, gainDb / 20.0);
    const double k = std::tan(pi * cornerHz / sampleRate);
    const double a0 = 1.0 + k;
    return {(1.0 + g * k) / a0, (g * k - 1.0) / a0, 0.0, (k - 1.0) / a0, 0.0};
}

void applyBiquad(std::vector<double>& h, const Biquad& f) {
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (double& v : h) {
        const double y = f.b0 * v + f.b1 * x1 + f.b2 * x2 - f.a1 * y1 - f.a2 * y2;
        x2 = x1;
        x1 = v;
        y2 = y1;
        y1 = y;
        v = y;
    }
}

double octavePowerDb(const std::vector<double>& h, double centreHz) {
    double power = 0;
    int count = 0;
    for (double hz = centreHz / std::sqrt(2.0); hz < std::fmin(centreHz * std::sqrt(2.0), 20000.0); hz *= 1.02) {
        const double w = 2.0 * pi * hz / sampleRate;
        std::complex<double> r = 0.0;
        for (std::size_t i = 0; i < h.size(); ++i) r += h[i] * std::polar(1.0, -w * static_cast<double>(i));
        power += std::norm(r);
        ++count;
    }
    return 10.0 * std::log10(power / count);
}

void CentreEq::apply(std::vector<double>& h) const {
    applyBiquad(h, lowShelf(shelfCornerHz, shelfDb));
    for (int b = 0; b < bells; ++b) applyBiquad(h, peakingBell(bellHz[b], bellDb[b], 1.2));
}

}  // namespace coefgen
