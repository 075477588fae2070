#pragma once
// A small AVI writer for the about box's animation: RIFF 'AVI ' with 'hdrl' (avih, one 'vids'
// stream list with strh and strf), 'movi' holding one '00db' chunk of uncompressed 8-bit DIB
// rows per frame, and the 'idx1' index, every frame a key frame. One palette serves all frames.
#include <array>
#include <cstdint>
#include <vector>

namespace tevaro::assetgen {

struct AviClip {
    int width = 0;
    int height = 0;
    std::uint32_t microsecondsPerFrame = 0;
    std::array<std::uint32_t, 256> palette{};       // 0x00RRGGBB
    std::vector<std::vector<std::uint8_t>> frames;  // width x height palette indexes, rows top-down
};

// Empty when the clip is not well formed (no frames, a frame of the wrong size).
std::vector<unsigned char> encodeAvi(const AviClip& clip);

}  // namespace tevaro::assetgen
