#include "host_sim/wav_file.h"

#include <cstdio>
#include <cstring>

namespace host_sim {
namespace {

std::uint32_t le32(const std::uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24; }
std::uint16_t le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

}  // namespace

bool readWav(const std::string& path, WavFile& wav, std::string& error) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return error = "cannot open " + path, false;
    std::vector<std::uint8_t> file;
    std::uint8_t chunk[65536];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) file.insert(file.end(), chunk, chunk + n);
    std::fclose(f);
    if (file.size() < 12 || std::memcmp(file.data(), "RIFF", 4) != 0 || std::memcmp(file.data() + 8, "WAVE", 4) != 0)
        return error = "not a RIFF/WAVE file", false;
    bool haveFormat = false, haveData = false;
    for (std::size_t at = 12; at + 8 <= file.size();) {
        const std::uint32_t size = le32(file.data() + at + 4);
        const std::uint8_t* body = file.data() + at + 8;
        if (size > file.size() - at - 8) return error = "truncated chunk", false;
        if (std::memcmp(file.data() + at, "fmt ", 4) == 0 && size >= 16) {
            wav.formatTag = le16(body);
            wav.channels = le16(body + 2);
            wav.sampleRate = le32(body + 4);
            wav.bitsPerSample = le16(body + 14);
            wav.validBits = wav.bitsPerSample;
            if (wav.formatTag == 0xFFFE && size >= 40) wav.validBits = le16(body + 18);
            haveFormat = true;
        } else if (std::memcmp(file.data() + at, "data", 4) == 0) {
            wav.data.assign(body, body + size);
            haveData = true;
        }
        at += 8 + size + (size & 1);
    }
    if (!haveFormat || !haveData) return error = "missing fmt or data chunk", false;
    if (wav.formatTag != 1 && wav.formatTag != 0xFFFE) return error = "not PCM", false;
    if (wav.channels == 0 || wav.bitsPerSample % 8 != 0 || wav.bitsPerSample == 0 || wav.sampleRate == 0)
        return error = "unsupported format", false;
    wav.data.resize(wav.data.size() / wav.blockAlign() * wav.blockAlign());
    return true;
}

bool writeWav(const std::string& path, const WavFile& wav) {
    const bool extensible = wav.formatTag == 0xFFFE;
    const std::uint32_t fmtSize = extensible ? 40 : 16;
    std::vector<std::uint8_t> out;
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    put32(out, static_cast<std::uint32_t>(4 + 8 + fmtSize + 8 + wav.data.size()));
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(out, fmtSize);
    put16(out, wav.formatTag);
    put16(out, wav.channels);
    put32(out, wav.sampleRate);
    put32(out, wav.byteRate());
    put16(out, wav.blockAlign());
    put16(out, wav.bitsPerSample);
    if (extensible) {
        put16(out, 22);
        put16(out, wav.validBits);
        put32(out, 0);  // channel mask: unspecified
        static const std::uint8_t pcm[16] = {1, 0, 0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
        out.insert(out.end(), pcm, pcm + 16);
    }
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put32(out, static_cast<std::uint32_t>(wav.data.size()));
    out.insert(out.end(), wav.data.begin(), wav.data.end());
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace host_sim
