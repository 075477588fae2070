#pragma once
// Shared pieces of the plug-in's Wine tests: COM set-up, stream formats, the registered DLL.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <vector>

#include "com_support/dmo.h"
#include "com_support/wmp_plugin.h"
#include "host_sim/media_buffer.h"
#include "host_sim/wav_file.h"

namespace tevaro::plugin::test {

// {79021042-5CA7-422B-8AB4-C0D7E3F7B638} and {FC884E32-34F2-4FC2-A260-6CC769318F30}, spelled out
// here so the tests do not take them from the code under test.
inline constexpr CLSID DspClsid = {0x79021042, 0x5ca7, 0x422b, {0x8a, 0xb4, 0xc0, 0xd7, 0xe3, 0xf7, 0xb6, 0x38}};
inline constexpr CLSID PageClsid = {0xfc884e32, 0x34f2, 0x4fc2, {0xa2, 0x60, 0x6c, 0xc7, 0x69, 0x31, 0x8f, 0x30}};

inline constexpr HRESULT InvalidStreamIndex = static_cast<HRESULT>(0x80040201);
inline constexpr HRESULT TypeNotSet = static_cast<HRESULT>(0x80040203);
inline constexpr HRESULT TypeNotAccepted = static_cast<HRESULT>(0x80040205);
inline constexpr HRESULT NoMoreItems = static_cast<HRESULT>(0x80040206);
inline constexpr DWORD Sentinel = 0xDEADBEEF;

class ComEnvironment : public testing::Environment {
public:
    void SetUp() override { ASSERT_HRESULT_SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)); }
    void TearDown() override { CoUninitialize(); }
};

// An owned media type built from a file format (see host_sim::makeMediaType).
struct MediaType {
    DMO_MEDIA_TYPE type{};
    explicit MediaType(const host_sim::WavFile& format);
    ~MediaType() { MoFreeMediaType(&type); }
    MediaType(const MediaType&) = delete;
    MediaType& operator=(const MediaType&) = delete;
    WAVEFORMATEXTENSIBLE& wave() { return *reinterpret_cast<WAVEFORMATEXTENSIBLE*>(type.pbFormat); }
};

host_sim::WavFile pcmFormat(std::uint16_t bits, std::uint16_t channels = 2, std::uint32_t rate = 44100);
host_sim::WavFile extensibleFormat(std::uint16_t bits, std::uint16_t validBits, std::uint16_t channels = 2);

IMediaObject* createDsp();
// Deterministic bytes (a seeded generator), so differences are reproducible.
std::vector<std::uint8_t> noiseBytes(std::size_t count, std::uint32_t seed);

// The DLL's own module handle, loaded once a DSP object exists (for DllCanUnloadNow & co).
HMODULE dspModule();

}  // namespace tevaro::plugin::test
