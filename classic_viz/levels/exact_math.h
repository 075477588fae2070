#pragma once
// The few transcendental values the player's spectrum needs, computed from IEEE basic operations
// only (series in a fixed order, no library calls), so that every compiler and C library we build
// with — glibc natively, mingw-w64's runtime under Wine — gives the same bits and therefore the
// same spectrum bytes.

namespace tevaro::levels {

// cos and sin of 2*pi*k/n for 0 <= k < n, n a multiple of 8.
double exactCosTurn(int k, int n);
double exactSinTurn(int k, int n);

// Natural logarithm of x > 0.
double exactLog(double x);

}  // namespace tevaro::levels
