#pragma once
#include <string>

namespace tevaro::vizvideo {

// What a player finds in a media file: each stream's codec and shape, and the pictures and sound
// that decode from it, one line per stream ("video vp8 96x72 frames 4", "audio vorbis 44100 Hz 2
// channels 0.16 s"). False when the file does not open or a stream does not decode.
bool describeMedia(const std::string& path, std::string& description);

}  // namespace tevaro::vizvideo
