#pragma once
// The player's audio side: find the DSP plug-in the registrar recorded, create it, agree on the
// stream format and push a sound through it buffer by buffer, as the player does.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "com_support/dmo.h"
#include "com_support/wmp_plugin.h"
#include "host_sim/wav_file.h"

namespace host_sim {

struct RegisteredPlugin {
    CLSID clsid{};
    std::wstring friendlyName;
    std::wstring description;
    DWORD priority = 0;
    bool acceptsPcmAudio = false;  // one of its partial media types is audio/PCM
};

// Every DSP plug-in in the registrar's record, by ascending priority.
std::vector<RegisteredPlugin> findDspPlugins();

// The player's per-user switch for one DSP plug-in: "Enabled" = "true"/"false" under DSPConfig.
bool writeEnabledValue(REFCLSID clsid, bool enabled);
// Removes the value, as before the player first recorded the plug-in.
bool deleteEnabledValue(REFCLSID clsid);
// true when the value is missing (a new plug-in starts enabled) or reads "true".
bool readEnabledValue(REFCLSID clsid);

// A DMO_MEDIA_TYPE describing the file's format; free with MoFreeMediaType.
HRESULT makeMediaType(const WavFile& format, DMO_MEDIA_TYPE& type);

struct StreamOptions {
    DWORD inputBytes = 17640;   // per ProcessInput (100 ms of 44.1 kHz stereo 16-bit)
    DWORD outputBytes = 17640;  // capacity of the output buffer; smaller ones make the DMO answer INCOMPLETE
    bool timestamps = true;
    DWORD seekEveryBytes = 0;  // Flush + Discontinuity before every such input position (0: never)
    // Called before each input buffer with its position in bytes; may change the settings block.
    std::function<void(std::size_t position)> beforeInput;
    // Around every ProcessOutput that has input to render.
    std::function<void()> beforeOutput;
    std::function<void(DWORD producedBytes)> afterOutput;
};

struct StreamReport {
    HRESULT result = S_OK;
    std::size_t inputBuffers = 0;
    std::size_t outputCalls = 0;
    std::size_t incompleteCalls = 0;
    bool timestampsContinuous = true;  // each output stamp equals the previous stamp + length
};

// Sets the input and output types from the file and streams all its data through the DMO into
// out (which receives the same format).
StreamReport streamThrough(IMediaObject* dmo, const WavFile& in, WavFile& out, const StreamOptions& options);

}  // namespace host_sim
