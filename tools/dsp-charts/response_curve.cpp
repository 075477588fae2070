#include "tools/dsp-charts/response_curve.h"

#include <cmath>
#include <complex>
#include <numbers>

namespace tevaro::charts {

std::vector<double> logFrequencies(double low, double high, int count) {
    std::vector<double> f(static_cast<std::size_t>(count));
    const double step = count > 1 ? std::log(high / low) / (count - 1) : 0.0;
    for (int i = 0; i < count; ++i) f[static_cast<std::size_t>(i)] = low * std::exp(step * i);
    return f;
}

std::vector<double> magnitudeDb(const double* coefficients, int taps, const std::vector<double>& frequencies,
                                double rate) {
    std::vector<double> db;
    db.reserve(frequencies.size());
    for (double f : frequencies) {
        const double w = 2.0 * std::numbers::pi * f / rate;
        std::complex<double> h = 0.0;
        for (int n = 0; n < taps; ++n) h += coefficients[n] * std::polar(1.0, -w * n);
        // A true zero has no level; the floor keeps the curve on the chart.
        db.push_back(20.0 * std::log10(std::max(std::abs(h), 1e-6)));
    }
    return db;
}

}  // namespace tevaro::charts
