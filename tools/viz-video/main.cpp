// viz-video: frames a visualization drew (DIR/frame_NNNN.png, as viz-render and host_sim viz
// write them) and the sound they were drawn from, as one WebM to watch with the sound.
//
//   viz-video --frames DIR --fps N --audio FILE --out OUT.webm
//   viz-video --probe FILE        the streams a player decodes from a file
#include <png.h>
#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/viz-video/probe.h"
#include "tools/viz-video/webm_writer.h"

namespace {

bool readRgb(const std::string& path, int& width, int& height, std::vector<std::uint8_t>& rgb) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
    image.format = PNG_FORMAT_RGB;
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    rgb.resize(PNG_IMAGE_SIZE(image));
    const bool ok = png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

int usage() {
    std::fprintf(stderr,
                 "usage: viz-video --frames DIR --fps N --audio FILE --out OUT.webm\n"
                 "       viz-video --probe FILE\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--probe") {
        std::string description;
        if (!tevaro::vizvideo::describeMedia(argv[2], description))
            return std::fprintf(stderr, "viz-video: %s does not decode\n", argv[2]), 1;
        std::fputs(description.c_str(), stdout);
        return 0;
    }
    std::string frames, audioPath, out;
    int fps = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--frames")
            frames = argv[i + 1];
        else if (arg == "--fps")
            fps = std::atoi(argv[i + 1]);
        else if (arg == "--audio")
            audioPath = argv[i + 1];
        else if (arg == "--out")
            out = argv[i + 1];
        else
            return usage();
    }
    if (frames.empty() || audioPath.empty() || out.empty() || fps <= 0) return usage();

    SF_INFO info{};
    SNDFILE* sound = sf_open(audioPath.c_str(), SFM_READ, &info);
    if (sound == nullptr) return std::fprintf(stderr, "viz-video: cannot read %s\n", audioPath.c_str()), 1;
    std::vector<float> interleaved(static_cast<std::size_t>(info.frames) * static_cast<std::size_t>(info.channels));
    sf_readf_float(sound, interleaved.data(), info.frames);
    sf_close(sound);
    std::vector<float> stereo(static_cast<std::size_t>(info.frames) * 2);
    for (sf_count_t f = 0; f < info.frames; ++f) {
        const auto at = static_cast<std::size_t>(f * info.channels);
        stereo[static_cast<std::size_t>(2 * f)] = interleaved[at];
        stereo[static_cast<std::size_t>(2 * f + 1)] = info.channels > 1 ? interleaved[at + 1] : interleaved[at];
    }

    tevaro::vizvideo::WebmWriter writer;
    std::vector<std::uint8_t> rgb;
    int width = 0, height = 0, count = 0;
    for (;; ++count) {
        char name[32];
        std::snprintf(name, sizeof name, "/frame_%04d.png", count);
        int w = 0, h = 0;
        if (!readRgb(frames + name, w, h, rgb)) break;
        if (count == 0) {
            width = w;
            height = h;
            std::string error;
            if (!writer.open(out, width, height, fps, info.samplerate, error))
                return std::fprintf(stderr, "viz-video: %s\n", error.c_str()), 1;
        } else if (w != width || h != height) {
            return std::fprintf(stderr, "viz-video: %s is not %dx%d\n", name + 1, width, height), 1;
        }
        // The sound of this frame's span: frame k shows the levels at k / fps seconds.
        const long long from = static_cast<long long>(count) * info.samplerate / fps;
        const long long to = static_cast<long long>(count + 1) * info.samplerate / fps;
        const long long available = std::max(0LL, std::min<long long>(to, info.frames) - from);
        std::vector<float> span(static_cast<std::size_t>(to - from) * 2, 0.0f);
        if (available > 0) std::copy_n(stereo.begin() + from * 2, available * 2, span.begin());
        if (!writer.addFrame(rgb.data(), span.data(), static_cast<int>(to - from)))
            return std::fprintf(stderr, "viz-video: encoding failed at frame %d\n", count), 1;
    }
    if (count == 0) return std::fprintf(stderr, "viz-video: no frames in %s\n", frames.c_str()), 1;
    if (!writer.finish()) return std::fprintf(stderr, "viz-video: cannot finish %s\n", out.c_str()), 1;
    std::printf("viz-video: %d frames at %d fps with their sound in %s\n", count, fps, out.c_str());
    return 0;
}
