// Draws CoverDrift's pictures into one folder for the resource compiler: the JPEG, PNG and BMP
// files named by resource, coverdrift_art.rc declaring them, demo/ with the demo tracks' covers,
// and optionally a contact sheet for review:
//   coverdrift_art_gen --out DIR [--contact FILE.png]
#include <cstdio>
#include <string>

#include <sys/stat.h>

#include "tools/assetgen/bmp24.h"
#include "tools/assetgen/coverdrift_contact_sheet.h"
#include "tools/assetgen/coverdrift_pictures.h"
#include "tools/assetgen/generator_options.h"
#include "tools/assetgen/raster_files.h"

namespace {

using namespace tevaro::assetgen;

bool writePicture(const std::string& path, const coverdrift::Picture& p) {
    switch (p.kind) {
        case coverdrift::FileKind::Jpeg:
            return writeJpeg(path.c_str(), p.surface.get(), 94);
        case coverdrift::FileKind::Png:
            return writePng(path.c_str(), p.surface.get());
        case coverdrift::FileKind::Bmp:
            return writeBmp24(path.c_str(), p.surface.get());
    }
    return false;
}

bool writeText(const std::string& path, const std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string out = tevaro::assetgen::optionValue(argc, argv, "--out");
    const std::string contact = tevaro::assetgen::optionValue(argc, argv, "--contact");
    if (out.empty()) {
        std::fprintf(stderr, "usage: coverdrift_art_gen --out DIR [--contact FILE.png]\n");
        return 2;
    }
    ::mkdir(out.c_str(), 0777);
    ::mkdir((out + "/demo").c_str(), 0777);
    std::string failed;
    {
        const auto pictures = coverdrift::drawAllPictures();
        for (const auto& p : pictures) {
            const std::string path = out + "/" + coverdrift::fileNameOf(p);
            if (failed.empty() && !writePicture(path, p)) failed = path;
        }
        const std::string rc = out + "/coverdrift_art.rc";
        if (failed.empty() && !writeText(rc, coverdrift::resourceScript(pictures))) failed = rc;
        if (failed.empty() && !contact.empty() && !coverdrift::writeContactSheet(contact.c_str(), pictures))
            failed = contact;
    }
    panel::releaseFontCaches();  // after the last surface is gone
    if (!failed.empty()) {
        std::fprintf(stderr, "coverdrift_art_gen: cannot write %s\n", failed.c_str());
        return 1;
    }
    return 0;
}
