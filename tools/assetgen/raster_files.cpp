#include "tools/assetgen/raster_files.h"

// jpeglib.h needs FILE and size_t declared first.
#include <cstdio>
#include <cstddef>
#include <jpeglib.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace tevaro::assetgen {

bool writeJpeg(const char* path, cairo_surface_t* surface, int quality) {
    cairo_surface_flush(surface);
    const int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    std::FILE* f = std::fopen(path, "wb");
    if (f == nullptr) return false;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);  // the default handler exits on error: fine for a build tool
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, f);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    for (int c = 0; c < 3; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 3);
    while (info.next_scanline < info.image_height) {
        const unsigned char* src = data + static_cast<std::ptrdiff_t>(info.next_scanline) * stride;
        for (int x = 0; x < width; ++x) {
            std::uint32_t v;
            std::memcpy(&v, src + 4 * x, 4);
            row[3 * static_cast<std::size_t>(x)] = (v >> 16) & 0xFF;
            row[3 * static_cast<std::size_t>(x) + 1] = (v >> 8) & 0xFF;
            row[3 * static_cast<std::size_t>(x) + 2] = v & 0xFF;
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(f) == 0;
}

bool writePng(const char* path, cairo_surface_t* surface) {
    return cairo_image_surface_get_format(surface) == CAIRO_FORMAT_ARGB32 &&
           cairo_surface_write_to_png(surface, path) == CAIRO_STATUS_SUCCESS;
}

}  // namespace tevaro::assetgen
