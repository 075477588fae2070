#pragma once
// Every picture CoverDrift ships, by resource name: the sky and the two clouds (JPEG), the cover
// panel's frames, empty jewel case and rating star (PNG with alpha), the spectrum bars' blocks,
// peak markers and reflections (24-bit BMP), and two album covers for the demo's tracks.
#include <string>
#include <vector>

#include "tools/assetgen/coverdrift_paint.h"

namespace tevaro::assetgen::coverdrift {

enum class FileKind { Jpeg, Png, Bmp };

struct Picture {
    std::string name;  // the resource name, or the demo file's name without extension
    FileKind kind;
    std::string caption;  // what it shows, for the contact sheet
    Surface surface;      // RGB24 for JPEG and BMP, ARGB32 for PNG
};

inline constexpr int SkyWidth = 800, SkyHeight = 600;
inline constexpr int CloudSize = 500;
inline constexpr int FrameWidth = 206, FrameHeight = 203;
inline constexpr int NoCoverWidth = 202, NoCoverHeight = 182;
inline constexpr int StarSize = 30;
inline constexpr int BlockSize = 10, LargeBlockSize = 20;
inline constexpr int ReflectionWidth = 10, ReflectionHeight = 8;
inline constexpr int BlockCount = 6;
inline constexpr int DemoCoverSize = 500;

Surface sky();
Surface cloud(int which);  // 1 or 2
Surface albumFrame(bool hovered);
Surface noCover();
Surface ratingStar();

// `scale` 1 draws the 10 × 10 bitmaps, 2 the 20 × 20 ones.
Surface barBlock(int row, int scale);  // rows 1..6, lightest at the bottom
Surface weakBlock(int scale);          // the light cyan block of a weak bin
Surface peakMarker(int scale);
Surface reflection(int row);  // 1..3, each paler than the one above
Surface peakReflection();

Surface demoCover(int track);  // 1 or 2

// The resources in the order the .rc fragment lists them, then the demo covers.
std::vector<Picture> drawAllPictures();
std::string fileNameOf(const Picture& picture);  // relative to the output folder
std::string resourceScript(const std::vector<Picture>& pictures);

}  // namespace tevaro::assetgen::coverdrift
