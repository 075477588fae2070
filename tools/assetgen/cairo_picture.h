#pragma once
#include <cairo.h>

#include "tools/assetgen/archive_encoder.h"

namespace tevaro::assetgen {

// A black, opaque cairo surface to draw a picture on, read back as an archive picture.
class CairoPicture {
public:
    CairoPicture(int width, int height);
    ~CairoPicture();
    CairoPicture(const CairoPicture&) = delete;
    CairoPicture& operator=(const CairoPicture&) = delete;

    cairo_t* cr() { return cr_; }
    // Pixels as 0x00RRGGBB, bottom row first (the archive's order).
    ArchivePicture picture(EntryFormat format = EntryFormat::Rle24);

private:
    int width_, height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

}  // namespace tevaro::assetgen
