#pragma once
// Magnitude responses of the head-related filters, for drawing.
#include <vector>

namespace tevaro::charts {

// `count` frequencies spaced evenly on a log axis from `low` to `high` inclusive.
std::vector<double> logFrequencies(double low, double high, int count);

// |H(f)| in dB of an FIR of `taps` coefficients at sample rate `rate`, for each frequency.
std::vector<double> magnitudeDb(const double* coefficients, int taps, const std::vector<double>& frequencies,
                                double rate);

}  // namespace tevaro::charts
