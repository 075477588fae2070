// Records the golden table of dsp_golden_test from the chain as it is built now.
//
// The golden test exists to catch changes of the chain's output that nobody meant; recording the
// table anew makes it accept whatever the chain does today, wrong or right. So this is a separate
// command, never run by the build or by ctest: run it only after a deliberate change of the
// chain's arithmetic or data has been reviewed (and dsp_reference_test agrees with it), and commit
// the new table together with that change.
#include <cstdio>
#include <string>

#include "dsp/engine/tests/golden_renders.h"

int main(int argc, char** argv) {
    using namespace tevaro::dsp;
    if (argc != 2) {
        std::fprintf(stderr,
                     "usage: dsp_golden_record dsp/engine/tests/golden_checksums.inc\n"
                     "\n"
                     "Writes the checksums of the chain's output for every preset and quality, the table\n"
                     "dsp_golden_test compares the chain with. That test is there to catch changes of\n"
                     "the output that nobody meant: recording anew makes it accept whatever the chain\n"
                     "does now. Run this only after a deliberate, reviewed change of the chain's\n"
                     "arithmetic or data, once dsp_reference_test agrees with the change, and commit\n"
                     "the new table with that change.\n");
        return 2;
    }
    std::FILE* file = std::fopen(argv[1], "w");
    if (file == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(file, "// Written by dsp_golden_record (see its usage); not to be edited by hand.\n");
    for (const GoldenCase& c : goldenCases()) {
        std::fprintf(file, "    {\"%s\", \"%s\", 0x%016llxull},\n", c.preset.c_str(), c.quality.c_str(),
                     static_cast<unsigned long long>(goldenChecksum(renderGolden(c))));
    }
    return std::fclose(file) == 0 ? 0 : 1;
}
