// dsp-charts: the pictures of what the presets do, for the demo page.
//   dsp-charts --responses DIR        each preset's ear responses at Max, DIR/responses-<preset>.png
//   dsp-charts --loudness TSV PNG     tevaro-loudness --tsv's table as a chart against the ±2 LU band
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "dsp/engine/coefficient_sets.h"
#include "dsp/engine/offline/presets.h"
#include "dsp/engine/surround_engine.h"
#include "dsp/engine/virtualiser_stage.h"
#include "settings_link/settings_word.h"
#include "tools/dsp-charts/chart_drawing.h"
#include "tools/dsp-charts/response_curve.h"

namespace tevaro::charts {
namespace {

using dsp::CoefficientSet;

constexpr const char* displayNames[] = {"Rock/Pop", "Classic", "jazz", "Movie", "Neutral"};

// Filter 0 of a pair is the left source at the left ear (near), filter 1 at the right ear (far).
int drawResponses(const std::string& dir) {
    const std::vector<double> f = logFrequencies(20.0, 20000.0, 400);
    int failures = 0;
    for (std::size_t p = 0; p < dsp::presetNames.size(); ++p) {
        const std::uint32_t word = dsp::presetNames[p].flag | FlagQualityMax;
        const dsp::VirtualiserChoice front = dsp::chooseVirtualiser(word);
        const dsp::RearChoice rear = dsp::chooseRearSet(static_cast<std::int32_t>(word));
        if (front.set == nullptr || rear.set == nullptr) continue;  // Neutral: a room, no loudspeaker pairs
        const std::vector<Curve> curves = {
            {"front, near ear", magnitudeDb(front.set->filter(0), front.taps, f, 44100.0), 0x2a7de1, false},
            {"front, far ear", magnitudeDb(front.set->filter(1), front.taps, f, 44100.0), 0x2a7de1, true},
            {"rear, near ear", magnitudeDb(rear.set->filter(0), rear.taps, f, 44100.0), 0xe07a1f, false},
            {"rear, far ear", magnitudeDb(rear.set->filter(1), rear.taps, f, 44100.0), 0xe07a1f, true},
        };
        const std::string title = std::string(displayNames[p]) + " at Max: front " + std::to_string(front.taps) +
                                  " taps, rear " + std::to_string(rear.taps) + " taps";
        const std::string path = dir + "/responses-" + std::string(dsp::presetNames[p].name) + ".png";
        if (!drawResponseChart(path, title, f, curves)) {
            std::fprintf(stderr, "dsp-charts: cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

int drawLoudness(const std::string& tsv, const std::string& png) {
    std::ifstream in(tsv);
    std::string line;
    if (!std::getline(in, line)) return std::fprintf(stderr, "dsp-charts: %s is empty\n", tsv.c_str()), 1;
    std::vector<std::string> signals;
    {
        std::istringstream header(line);
        std::string column;
        for (int k = 0; std::getline(header, column, '\t'); ++k)
            if (k >= 2) signals.push_back(column);
    }
    std::vector<LoudnessRow> rows;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        LoudnessRow row;
        std::string value;
        std::getline(fields, row.preset, '\t');
        for (std::size_t p = 0; p < dsp::presetNames.size(); ++p)
            if (dsp::presetNames[p].name == row.preset) row.preset = displayNames[p];
        std::getline(fields, row.quality, '\t');
        while (std::getline(fields, value, '\t')) row.lu.push_back(std::stod(value));
        if (row.lu.size() != signals.size())
            return std::fprintf(stderr, "dsp-charts: %s: a row without every signal\n", tsv.c_str()), 1;
        rows.push_back(row);
    }
    if (!drawLoudnessChart(png, signals, rows))
        return std::fprintf(stderr, "dsp-charts: cannot write %s\n", png.c_str()), 1;
    return 0;
}

}  // namespace
}  // namespace tevaro::charts

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--responses") == 0) return tevaro::charts::drawResponses(argv[2]);
    if (argc == 4 && std::strcmp(argv[1], "--loudness") == 0) return tevaro::charts::drawLoudness(argv[2], argv[3]);
    std::fputs("usage: dsp-charts --responses DIR | --loudness TSV PNG\n", stderr);
    return 2;
}
