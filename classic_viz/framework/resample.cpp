#include "classic_viz/framework/resample.h"

namespace tevaro::viz {

int resampleAxis(int length, int factor, int* map) {
    int out = 0;
    auto emit = [&](int source, int times) {
        for (int k = 0; k < times; ++k) {
            if (map != nullptr) map[out] = source;
            ++out;
        }
    };
    if (length <= 0) return 0;
    if (factor == 256 || factor <= 0) {
        for (int i = 0; i < length; ++i) emit(i, 1);
        return out;
    }
    std::uint8_t accumulator = 0;
    auto wraps = [&accumulator](int step) {
        const std::uint8_t before = accumulator;
        accumulator = static_cast<std::uint8_t>(accumulator + step);
        return accumulator < before;
    };
    if (factor < 256) {
        const int step = (256 - factor) & 0xFF;
        for (int i = 0; i < length;) {
            emit(i, 1);
            i += wraps(step) ? 2 : 1;
        }
        return out;
    }
    const bool triple = factor > 512;
    const int capped = factor > 768 ? 768 : factor;
    const int step = (triple ? 768 : 512) - capped;
    const int usual = triple ? 3 : 2;
    for (int i = 0; i < length - 1; ++i) emit(i, wraps(step) ? usual - 1 : usual);
    emit(length - 1, usual - 1);
    return out;
}

}  // namespace tevaro::viz
