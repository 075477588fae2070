#include "host_sim/dsp_host.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "com_support/class_registration.h"
#include "host_sim/media_buffer.h"
#include "host_sim/registrar/plugin_registrar.h"

namespace host_sim {
namespace {

std::wstring readString(HKEY key, const wchar_t* name) {
    wchar_t text[512];
    DWORD bytes = sizeof text - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes) != ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    text[bytes / sizeof(wchar_t)] = L'\0';
    return text;
}

bool listsPcmAudio(HKEY key) {
    DMO_PARTIAL_MEDIATYPE types[16];
    DWORD bytes = sizeof types;
    if (RegQueryValueExW(key, L"MediaTypes", nullptr, nullptr, reinterpret_cast<BYTE*>(types), &bytes) != ERROR_SUCCESS)
        return false;
    for (DWORD i = 0; i < bytes / sizeof(DMO_PARTIAL_MEDIATYPE); ++i)
        if (types[i].type == MEDIATYPE_Audio && types[i].subtype == MEDIASUBTYPE_PCM) return true;
    return false;
}

void enabledKeyPath(REFCLSID clsid, wchar_t* path, int capacity) {
    wchar_t id[39];
    com_support::guidText(clsid, id, 39);
    std::swprintf(path, capacity, L"%ls%ls", com_support::DspConfigKey, id);
}

}  // namespace

std::vector<RegisteredPlugin> findDspPlugins() {
    std::vector<RegisteredPlugin> found;
    wchar_t type[39], path[160];
    com_support::guidText(com_support::WMP_PLUGINTYPE_DSP, type, 39);
    std::swprintf(path, 160, L"%ls\\%ls", MediaPluginsKey, type);
    HKEY dsps = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &dsps) != ERROR_SUCCESS) return found;
    wchar_t name[64];
    for (DWORD i = 0;; ++i) {
        DWORD chars = 64;
        if (RegEnumKeyExW(dsps, i, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        RegisteredPlugin plugin;
        HKEY record = nullptr;
        if (FAILED(CLSIDFromString(name, &plugin.clsid)) ||
            RegOpenKeyExW(dsps, name, 0, KEY_READ, &record) != ERROR_SUCCESS)
            continue;
        plugin.friendlyName = readString(record, L"FriendlyName");
        plugin.description = readString(record, L"Description");
        DWORD bytes = sizeof plugin.priority;
        RegQueryValueExW(record, L"Priority", nullptr, nullptr, reinterpret_cast<BYTE*>(&plugin.priority), &bytes);
        plugin.acceptsPcmAudio = listsPcmAudio(record);
        RegCloseKey(record);
        found.push_back(plugin);
    }
    RegCloseKey(dsps);
    std::stable_sort(found.begin(), found.end(),
                     [](const RegisteredPlugin& a, const RegisteredPlugin& b) { return a.priority < b.priority; });
    return found;
}

bool writeEnabledValue(REFCLSID clsid, bool enabled) {
    wchar_t path[160];
    enabledKeyPath(clsid, path, 160);
    const wchar_t* value = enabled ? L"true" : L"false";
    const DWORD bytes = static_cast<DWORD>((std::wcslen(value) + 1) * sizeof(wchar_t));
    return RegSetKeyValueW(HKEY_CURRENT_USER, path, L"Enabled", REG_SZ, value, bytes) == ERROR_SUCCESS;
}

bool deleteEnabledValue(REFCLSID clsid) {
    wchar_t path[160];
    enabledKeyPath(clsid, path, 160);
    const LSTATUS status = RegDeleteKeyValueW(HKEY_CURRENT_USER, path, L"Enabled");
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool readEnabledValue(REFCLSID clsid) {
    wchar_t path[160], value[16];
    enabledKeyPath(clsid, path, 160);
    DWORD bytes = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, path, L"Enabled", RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS)
        return true;
    return std::wcscmp(value, L"true") == 0;
}

HRESULT makeMediaType(const WavFile& format, DMO_MEDIA_TYPE& type) {
    const bool extensible = format.formatTag == WAVE_FORMAT_EXTENSIBLE;
    const HRESULT hr = MoInitMediaType(&type, extensible ? sizeof(WAVEFORMATEXTENSIBLE) : sizeof(WAVEFORMATEX));
    if (FAILED(hr)) return hr;
    type.majortype = MEDIATYPE_Audio;
    type.subtype = MEDIASUBTYPE_PCM;
    type.bFixedSizeSamples = TRUE;
    type.lSampleSize = format.blockAlign();
    type.formattype = FORMAT_WaveFormatEx;
    std::memset(type.pbFormat, 0, type.cbFormat);
    auto* wave = reinterpret_cast<WAVEFORMATEXTENSIBLE*>(type.pbFormat);
    wave->Format.wFormatTag = format.formatTag;
    wave->Format.nChannels = format.channels;
    wave->Format.nSamplesPerSec = format.sampleRate;
    wave->Format.nAvgBytesPerSec = format.byteRate();
    wave->Format.nBlockAlign = format.blockAlign();
    wave->Format.wBitsPerSample = format.bitsPerSample;
    if (extensible) {
        wave->Format.cbSize = 22;
        wave->Samples.wValidBitsPerSample = format.validBits;
        wave->SubFormat = MEDIASUBTYPE_PCM;  // the same GUID as KSDATAFORMAT_SUBTYPE_PCM
    }
    return S_OK;
}

StreamReport streamThrough(IMediaObject* dmo, const WavFile& in, WavFile& out, const StreamOptions& options) {
    StreamReport report;
    out = in;
    out.data.clear();
    out.data.reserve(in.data.size());

    DMO_MEDIA_TYPE type{};
    report.result = makeMediaType(in, type);
    if (FAILED(report.result)) return report;
    report.result = dmo->SetInputType(0, &type, 0);
    if (report.result == S_OK) report.result = dmo->SetOutputType(0, &type, 0);
    MoFreeMediaType(&type);
    if (report.result != S_OK) return report;

    auto* input = new MediaBuffer(options.inputBytes);
    auto* output = new MediaBuffer(options.outputBytes);
    REFERENCE_TIME expected = -1;
    for (std::size_t pos = 0; pos < in.data.size() && SUCCEEDED(report.result);) {
        if (options.seekEveryBytes != 0 && pos != 0 && pos % options.seekEveryBytes == 0) {
            dmo->Flush();
            dmo->Discontinuity(0);
        }
        if (options.beforeInput) options.beforeInput(pos);
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(options.inputBytes, in.data.size() - pos));
        std::memcpy(input->data(), in.data.data() + pos, chunk);
        input->SetLength(chunk);
        const REFERENCE_TIME stamp = static_cast<REFERENCE_TIME>(pos / in.blockAlign()) * 10'000'000 / in.sampleRate;
        report.result = dmo->ProcessInput(0, input, options.timestamps ? DMO_INPUT_DATA_BUFFERF_TIME : 0, stamp, 0);
        if (FAILED(report.result)) break;
        ++report.inputBuffers;
        expected = stamp;
        for (;;) {
            DMO_OUTPUT_DATA_BUFFER buffer{};
            buffer.pBuffer = output;
            DWORD status = 0;
            output->SetLength(0);
            DWORD inputStatus = 0;
            const bool rendering =
                SUCCEEDED(dmo->GetInputStatus(0, &inputStatus)) && (inputStatus & DMO_INPUT_STATUSF_ACCEPT_DATA) == 0;
            if (rendering && options.beforeOutput) options.beforeOutput();
            const HRESULT hr = dmo->ProcessOutput(0, 1, &buffer, &status);
            if (rendering && options.afterOutput) options.afterOutput(output->length());
            ++report.outputCalls;
            if (FAILED(hr)) {
                report.result = hr;
                break;
            }
            out.data.insert(out.data.end(), output->data(), output->data() + output->length());
            if (options.timestamps && (buffer.dwStatus & DMO_OUTPUT_DATA_BUFFERF_TIME)) {
                if (buffer.rtTimestamp != expected) report.timestampsContinuous = false;
                expected = buffer.rtTimestamp + buffer.rtTimelength;
            }
            // The player keeps asking until the DMO has nothing more for this input.
            if (hr == S_FALSE) break;
            if (buffer.dwStatus & DMO_OUTPUT_DATA_BUFFERF_INCOMPLETE) ++report.incompleteCalls;
        }
        pos += chunk;
    }
    input->Release();
    output->Release();
    return report;
}

}  // namespace host_sim
