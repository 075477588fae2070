#pragma once
// The DSP's pictures for the demo page, drawn with cairo and Pango.
#include <string>
#include <vector>

namespace tevaro::charts {

struct Curve {
    std::string label;
    std::vector<double> db;  // one value per frequency of the chart
    unsigned rgb;            // 0xRRGGBB
    bool dashed;
};

// Magnitude against frequency on a log axis.
bool drawResponseChart(const std::string& pngPath, const std::string& title, const std::vector<double>& frequencies,
                       const std::vector<Curve>& curves);

struct LoudnessRow {
    std::string preset, quality;
    std::vector<double> lu;  // one per signal, against bypass
};

// Every preset and quality's level against bypass per test signal, over the ±2 LU band.
bool drawLoudnessChart(const std::string& pngPath, const std::vector<std::string>& signals,
                       const std::vector<LoudnessRow>& rows);

}  // namespace tevaro::charts
