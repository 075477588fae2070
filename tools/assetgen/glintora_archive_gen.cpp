// Writes the star-field visualization's image archive, and optionally a C++ source holding it
// for native builds:  glintora_archive_gen --out ARCHIVE.bin [--source FILE.cpp]
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "tools/assetgen/archive_encoder.h"
#include "tools/assetgen/glintora_pictures.h"

int main(int argc, char** argv) {
    std::string out, source;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--out") == 0)
            out = argv[i + 1];
        else if (std::strcmp(argv[i], "--source") == 0)
            source = argv[i + 1];
    }
    if (out.empty()) {
        std::fprintf(stderr, "usage: glintora_archive_gen --out ARCHIVE.bin [--source FILE.cpp]\n");
        return 2;
    }
    const std::vector<std::uint8_t> bytes = tevaro::assetgen::encodeArchive(tevaro::assetgen::glintoraPictures());
    std::ofstream(out, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!source.empty()) std::ofstream(source) << tevaro::assetgen::archiveSource(bytes, "glintoraArchive");
    return 0;
}
