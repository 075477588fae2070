// Draws the control panel's bitmaps as 24-bit BMP files named by resource id, and the about box's
// animation as 490.avi, for the resource compiler, and optionally a contact sheet for review:
//   panel_art_gen --out DIR [--contact FILE.png]
#include <cstdio>
#include <string>
#include <vector>

#include "tools/assetgen/about_pictures.h"
#include "tools/assetgen/bmp24.h"
#include "tools/assetgen/generator_options.h"
#include "tools/assetgen/panel_art.h"
#include "tools/assetgen/panel_contact_sheet.h"

int main(int argc, char** argv) {
    const std::string out = tevaro::assetgen::optionValue(argc, argv, "--out");
    const std::string contact = tevaro::assetgen::optionValue(argc, argv, "--contact");
    if (out.empty()) {
        std::fprintf(stderr, "usage: panel_art_gen --out DIR [--contact FILE.png]\n");
        return 2;
    }
    std::string failed;
    {
        const auto art = tevaro::assetgen::panel::drawPanelArt();
        for (const auto& bitmap : art) {
            const std::string path = out + "/" + std::to_string(bitmap.id) + ".bmp";
            if (failed.empty() && !tevaro::assetgen::writeBmp24(path.c_str(), bitmap.picture.get())) failed = path;
        }
        const std::string clip = out + "/" + std::to_string(tevaro::assetgen::panel::ids::AboutAnimation) + ".avi";
        const std::vector<unsigned char> avi = tevaro::assetgen::encodeAvi(tevaro::assetgen::panel::aboutAnimation());
        if (failed.empty()) {
            std::FILE* f = std::fopen(clip.c_str(), "wb");
            const bool ok = f != nullptr && !avi.empty() && std::fwrite(avi.data(), 1, avi.size(), f) == avi.size();
            if (f == nullptr || std::fclose(f) != 0 || !ok) failed = clip;
        }
        if (failed.empty() && !contact.empty() && !tevaro::assetgen::panel::writeContactSheet(contact.c_str(), art))
            failed = contact;
    }
    tevaro::assetgen::panel::releaseFontCaches();  // after the last surface is gone
    if (!failed.empty()) {
        std::fprintf(stderr, "panel_art_gen: cannot write %s\n", failed.c_str());
        return 1;
    }
    return 0;
}
