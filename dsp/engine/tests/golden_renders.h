#pragma once
// The golden programme through the chain for every preset and quality, and the checksum the
// golden table records of each: shared by the golden test and the tool that records the table.
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "dsp/engine/offline/programmes.h"

namespace tevaro::dsp {

struct GoldenCase {
    std::string preset, quality;  // the tools' names, as the table spells them
    std::uint32_t word;
};
inline void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.preset << " " << c.quality; }

// Every preset and quality, in the order of the table.
std::vector<GoldenCase> goldenCases();

// Four seconds of the steering workout.
const Programme& goldenProgramme();

// The chain's output for one case, rendered as the plug-in runs it.
Programme renderGolden(const GoldenCase& c);

// FNV-1a over the little-endian bytes of the samples.
std::uint64_t goldenChecksum(const Programme& samples);

}  // namespace tevaro::dsp
