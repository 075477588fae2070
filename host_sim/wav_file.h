#pragma once
// Plain RIFF/WAVE files of PCM audio (format tag 1 or extensible PCM), whole file in memory.
#include <cstdint>
#include <string>
#include <vector>

namespace host_sim {

struct WavFile {
    std::uint16_t formatTag = 1;
    std::uint16_t channels = 2;
    std::uint32_t sampleRate = 44100;
    std::uint16_t bitsPerSample = 16;
    std::uint16_t validBits = 16;  // extensible formats only
    std::vector<std::uint8_t> data;

    std::uint16_t blockAlign() const { return static_cast<std::uint16_t>(channels * (bitsPerSample / 8)); }
    std::uint32_t byteRate() const { return sampleRate * blockAlign(); }
};

// false (and a reason) on anything but a well-formed PCM file.
bool readWav(const std::string& path, WavFile& wav, std::string& error);
bool writeWav(const std::string& path, const WavFile& wav);

}  // namespace host_sim
