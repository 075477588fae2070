#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tevaro::vizvideo {

// A WebM file of VP8 pictures at a fixed rate and Vorbis sound, written as frames and samples
// arrive (the muxer interleaves them by time).
class WebmWriter {
public:
    WebmWriter();
    ~WebmWriter();
    WebmWriter(const WebmWriter&) = delete;
    WebmWriter& operator=(const WebmWriter&) = delete;

    // false with a message when the container or an encoder cannot be set up.
    bool open(const std::string& path, int width, int height, int fps, int sampleRate, std::string& error);
    // One picture, 8-bit RGB rows top-down; the samples are interleaved stereo for the same time
    // span (sampleRate / fps frames of them).
    bool addFrame(const std::uint8_t* rgb, const float* stereo, int sampleFrames);
    bool finish();

private:
    struct State;
    std::unique_ptr<State> s_;
};

}  // namespace tevaro::vizvideo
