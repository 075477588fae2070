#include "tools/assetgen/cairo_picture.h"

#include <cstring>

namespace tevaro::assetgen {

CairoPicture::CairoPicture(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)),
      cr_(cairo_create(surface_)) {
    cairo_set_source_rgb(cr_, 0, 0, 0);
    cairo_paint(cr_);
}

CairoPicture::~CairoPicture() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

ArchivePicture CairoPicture::picture(EntryFormat format) {
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    ArchivePicture p;
    p.width = width_;
    p.height = height_;
    p.format = format;
    p.pixels.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
    for (int row = 0; row < height_; ++row) {
        // Cairo's rows run top-down; archive rows bottom-up.
        const unsigned char* src =
            data + static_cast<std::size_t>(height_ - 1 - row) * static_cast<std::size_t>(stride);
        for (int x = 0; x < width_; ++x) {
            std::uint32_t v;
            std::memcpy(&v, src + 4 * x, 4);
            p.pixels[static_cast<std::size_t>(row * width_ + x)] = v & 0xFFFFFF;
        }
    }
    return p;
}

}  // namespace tevaro::assetgen
