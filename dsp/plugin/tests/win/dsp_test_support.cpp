#include "dsp_test_support.h"

#include "host_sim/dsp_host.h"

namespace tevaro::plugin::test {

MediaType::MediaType(const host_sim::WavFile& format) {
    EXPECT_HRESULT_SUCCEEDED(host_sim::makeMediaType(format, type));
}

host_sim::WavFile pcmFormat(std::uint16_t bits, std::uint16_t channels, std::uint32_t rate) {
    host_sim::WavFile f;
    f.formatTag = WAVE_FORMAT_PCM;
    f.bitsPerSample = bits;
    f.validBits = bits;
    f.channels = channels;
    f.sampleRate = rate;
    return f;
}

host_sim::WavFile extensibleFormat(std::uint16_t bits, std::uint16_t validBits, std::uint16_t channels) {
    host_sim::WavFile f = pcmFormat(bits, channels);
    f.formatTag = WAVE_FORMAT_EXTENSIBLE;
    f.validBits = validBits;
    return f;
}

IMediaObject* createDsp() {
    IMediaObject* dmo = nullptr;
    EXPECT_EQ(
        CoCreateInstance(DspClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IMediaObject, reinterpret_cast<void**>(&dmo)),
        S_OK);
    return dmo;
}

std::vector<std::uint8_t> noiseBytes(std::size_t count, std::uint32_t seed) {
    std::vector<std::uint8_t> bytes(count);
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& b : bytes) {
        state = state * 1664525u + 1013904223u;
        b = static_cast<std::uint8_t>(state >> 24);
    }
    return bytes;
}

HMODULE dspModule() { return GetModuleHandleW(L"TevaroPlayerDSP.dll"); }

}  // namespace tevaro::plugin::test
