#include "classic_viz/levels/exact_math.h"

#include <cmath>

namespace tevaro::levels {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Ln2 = 0.69314718055994530942;

// Taylor series on |x| <= pi/4; 14 terms are far past double precision there.
double seriesCos(double x) {
    const double x2 = x * x;
    double term = 1.0, sum = 1.0;
    for (int i = 1; i < 14; ++i) {
        term = -term * x2 / ((2 * i - 1) * (2 * i));
        sum += term;
    }
    return sum;
}

double seriesSin(double x) {
    const double x2 = x * x;
    double term = x, sum = x;
    for (int i = 1; i < 14; ++i) {
        term = -term * x2 / ((2 * i) * (2 * i + 1));
        sum += term;
    }
    return sum;
}

}  // namespace

double exactCosTurn(int k, int n) {
    // Reduce to the first octant by the symmetries of the circle, exactly, in whole steps of k.
    const int eighth = n / 8;
    k %= n;
    if (k < 0) k += n;
    const int octant = k / eighth, rest = k % eighth;
    const double a = 2.0 * Pi * rest / n, b = 2.0 * Pi * (eighth - rest) / n;  // a + b = pi/4
    switch (octant) {
        case 0:
            return seriesCos(a);
        case 1:
            return seriesSin(b);
        case 2:
            return -seriesSin(a);
        case 3:
            return -seriesCos(b);
        case 4:
            return -seriesCos(a);
        case 5:
            return -seriesSin(b);
        case 6:
            return seriesSin(a);
        default:
            return seriesCos(b);
    }
}

double exactSinTurn(int k, int n) { return exactCosTurn(k - n / 4, n); }

double exactLog(double x) {
    // x = m * 2^e with m in [sqrt(1/2), sqrt(2)); ln m = 2 atanh(s), s = (m - 1) / (m + 1), |s| < 0.172.
    int e = 0;
    double m = std::frexp(x, &e);  // exact; m in [0.5, 1)
    if (m < 0.70710678118654752440) {
        m *= 2.0;
        --e;
    }
    const double s = (m - 1.0) / (m + 1.0), s2 = s * s;
    double power = s, sum = 0.0;
    for (int i = 0; i < 20; ++i) {
        sum += power / (2 * i + 1);
        power *= s2;
    }
    return 2.0 * sum + e * Ln2;
}

}  // namespace tevaro::levels
