// lv2apply hands the plug-in floats read from a file and writes its floats back in the input's
// format; libsndfile writes 16-bit files at 32767 steps per unit but reads them at 32768, so a
// 16-bit round trip would move the loudest samples by one step. The host check therefore feeds
// lv2apply a float file holding the 16-bit samples exactly and compares the float result, step
// by step, with tevaro-dsp's 16-bit output.
//
//   lv2_wav_bridge to-float IN16.wav OUT_FLOAT.wav
//   lv2_wav_bridge compare OUT_FLOAT.wav REFERENCE16.wav
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

bool readAll(const char* path, std::vector<float>& samples, SF_INFO& info) {
    info = {};
    SNDFILE* file = sf_open(path, SFM_READ, &info);
    if (file == nullptr) return std::fprintf(stderr, "cannot read %s\n", path), false;
    samples.resize(static_cast<std::size_t>(info.frames * info.channels));
    const sf_count_t got = sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    return got == info.frames;
}

int toFloat(const char* in, const char* out) {
    std::vector<float> samples;
    SF_INFO info;
    if (!readAll(in, samples, info)) return 1;
    if ((info.format & SF_FORMAT_SUBMASK) != SF_FORMAT_PCM_16)
        return std::fprintf(stderr, "%s is not 16-bit PCM\n", in), 1;
    SF_INFO outInfo{};
    outInfo.samplerate = info.samplerate;
    outInfo.channels = info.channels;
    outInfo.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(out, SFM_WRITE, &outInfo);
    if (file == nullptr) return std::fprintf(stderr, "cannot write %s\n", out), 1;
    const bool ok = sf_writef_float(file, samples.data(), info.frames) == info.frames;
    sf_close(file);
    return ok ? 0 : 1;
}

int compare(const char* floats, const char* reference) {
    std::vector<float> got, want;
    SF_INFO gotInfo, wantInfo;
    if (!readAll(floats, got, gotInfo) || !readAll(reference, want, wantInfo)) return 1;
    if (gotInfo.channels != wantInfo.channels || got.size() != want.size())
        return std::fprintf(stderr, "shapes differ: %zu against %zu samples\n", got.size(), want.size()), 1;
    std::size_t differing = 0, first = 0;
    for (std::size_t i = 0; i < got.size(); ++i) {
        const float steps = got[i] * 32768.0f, wanted = want[i] * 32768.0f;
        if (steps != wanted) {
            if (differing++ == 0) first = i;
        }
    }
    if (differing != 0) {
        std::fprintf(stderr, "%zu of %zu samples differ; the first at frame %zu: %.2f against %.0f\n", differing,
                     got.size(), first / 2, got[first] * 32768.0f, want[first] * 32768.0f);
        return 1;
    }
    std::printf("%zu samples equal at 16 bits\n", got.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "to-float") == 0) return toFloat(argv[2], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "compare") == 0) return compare(argv[2], argv[3]);
    std::fputs("usage: lv2_wav_bridge to-float IN16 OUTF | compare OUTF REF16\n", stderr);
    return 2;
}
