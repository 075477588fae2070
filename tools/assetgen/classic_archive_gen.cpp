// Writes one classic visualization's image archive, and optionally a C++ source holding it for
// native builds:  classic_archive_gen --archive glintora|tessaray|pulse --out ARCHIVE.bin [--source FILE.cpp]
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "tools/assetgen/archive_encoder.h"
#include "tools/assetgen/glintora_pictures.h"
#include "tools/assetgen/pulse_pictures.h"
#include "tools/assetgen/tessaray_pictures.h"

namespace {

using namespace tevaro::assetgen;

struct Archive {
    const char* name;
    std::vector<ArchivePicture> (*pictures)();
    const char* symbol;  // of the C++ source
};
const Archive archives[] = {
    {"glintora", glintoraPictures, "glintoraArchive"},
    {"tessaray", tessarayPictures, "tessarayArchive"},
    {"pulse", pulsePictures, "pulseArchive"},
};

}  // namespace

int main(int argc, char** argv) {
    std::string name, out, source;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--archive") == 0)
            name = argv[i + 1];
        else if (std::strcmp(argv[i], "--out") == 0)
            out = argv[i + 1];
        else if (std::strcmp(argv[i], "--source") == 0)
            source = argv[i + 1];
    }
    const Archive* archive = nullptr;
    for (const Archive& a : archives)
        if (name == a.name) archive = &a;
    if (archive == nullptr || out.empty()) {
        std::fprintf(stderr,
                     "usage: classic_archive_gen --archive glintora|tessaray|pulse --out ARCHIVE.bin "
                     "[--source FILE.cpp]\n");
        return 2;
    }
    const std::vector<std::uint8_t> bytes = encodeArchive(archive->pictures());
    std::ofstream(out, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!source.empty()) std::ofstream(source) << archiveSource(bytes, archive->symbol);
    return 0;
}
