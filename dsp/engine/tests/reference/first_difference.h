#pragma once
// Where two interleaved stereo outputs first differ, and a message that names the sample.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tevaro::dsp::reference {

struct SampleDifference {
    std::size_t frame;
    int channel;  // 0 left, 1 right
    std::int16_t expected;
    std::int16_t actual;
};

inline std::optional<SampleDifference> firstDifference(const std::vector<std::int16_t>& expected,
                                                       const std::vector<std::int16_t>& actual) {
    const std::size_t n = expected.size() < actual.size() ? expected.size() : actual.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (expected[i] != actual[i]) return SampleDifference{i / 2, static_cast<int>(i % 2), expected[i], actual[i]};
    }
    return std::nullopt;
}

// "frame 1234 right: <expectedName> 17, <actualName> 18"
inline std::string describe(const SampleDifference& d, const char* expectedName, const char* actualName) {
    return "frame " + std::to_string(d.frame) + (d.channel == 0 ? " left: " : " right: ") + expectedName + " " +
           std::to_string(d.expected) + ", " + actualName + " " + std::to_string(d.actual);
}

}  // namespace tevaro::dsp::reference
