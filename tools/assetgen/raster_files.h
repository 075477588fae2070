#pragma once
// Writers for the picture files the resource compiler embeds and the effect decodes.
#include <cairo.h>

namespace tevaro::assetgen {

// A baseline (sequential, Huffman-coded) JFIF file with full-resolution chroma, so that the hard
// edge between a pure colour and another keeps its colour. The surface is RGB24 or ARGB32
// (alpha dropped).
bool writeJpeg(const char* path, cairo_surface_t* surface, int quality);
// An RGBA PNG (8 bits a channel, straight alpha) of an ARGB32 surface.
bool writePng(const char* path, cairo_surface_t* surface);

}  // namespace tevaro::assetgen
