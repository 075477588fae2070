#include "dsp/plugin/dsp_plugin.h"

#include <cstring>

#include "dsp/plugin/media_type_rules.h"
#include "dsp/plugin/plugin_ids.h"

namespace tevaro::plugin {
namespace {

using com_support::DmoInvalidStreamIndex;
using com_support::DmoNoMoreItems;
using com_support::DmoTypeNotAccepted;
using com_support::DmoTypeNotSet;

std::int32_t readLinkSlot(void* context, int slot) { return static_cast<SettingsLink*>(context)->readSlot(slot); }

// 100 ns units per second: output durations come from the format's byte rate.
constexpr int ReferenceTimePerSecond = 10'000'000;

}  // namespace

DspPlugin::DspPlugin() {
    if (link_.open()) link_.writeSlot(SettingsBlock::dspAlive, 1);
    chain_.create(&readLinkSlot, &link_, GetTickCount());
}

DspPlugin::~DspPlugin() { releaseHeldInput(); }

HRESULT DspPlugin::GetScale(double* value) {
    if (value == nullptr) return E_POINTER;
    *value = scaleValue_;
    return S_OK;
}

HRESULT DspPlugin::PutScale(double value) {
    scaleValue_ = value;
    return S_OK;
}

HRESULT DspPlugin::GetStreamCount(DWORD* inputs, DWORD* outputs) {
    if (inputs == nullptr || outputs == nullptr) return E_POINTER;
    *inputs = 1;
    *outputs = 1;
    return S_OK;
}

HRESULT DspPlugin::GetInputStreamInfo(DWORD stream, DWORD* flags) {
    if (stream != 0) return DmoInvalidStreamIndex;
    if (flags == nullptr) return E_POINTER;
    *flags = 0;
    return S_OK;
}

HRESULT DspPlugin::GetOutputStreamInfo(DWORD stream, DWORD* flags) { return GetInputStreamInfo(stream, flags); }

HRESULT DspPlugin::getType(DWORD stream, DWORD typeIndex, const MediaTypeSlot& other, DMO_MEDIA_TYPE* type) {
    if (stream != 0) return DmoInvalidStreamIndex;
    if (typeIndex != 0) return DmoNoMoreItems;
    if (type == nullptr) return E_POINTER;
    if (other.isSet()) return MoCopyMediaType(type, &other.type());
    *type = DMO_MEDIA_TYPE{};
    type->majortype = MEDIATYPE_Audio;
    type->subtype = MEDIASUBTYPE_PCM;
    return S_OK;
}

HRESULT DspPlugin::GetInputType(DWORD stream, DWORD typeIndex, DMO_MEDIA_TYPE* type) {
    return getType(stream, typeIndex, outputType_, type);
}

HRESULT DspPlugin::GetOutputType(DWORD stream, DWORD typeIndex, DMO_MEDIA_TYPE* type) {
    return getType(stream, typeIndex, inputType_, type);
}

HRESULT DspPlugin::setType(DWORD stream, const DMO_MEDIA_TYPE* type, DWORD flags, MediaTypeSlot& slot,
                           const MediaTypeSlot& other) {
    if (stream != 0) return DmoInvalidStreamIndex;
    if (flags & DMO_SET_TYPEF_CLEAR) {
        slot.clear();
        return S_OK;
    }
    if (type == nullptr) return E_POINTER;
    if (!acceptsMediaType(*type, other.isSet() ? &other.type() : nullptr))
        return (flags & DMO_SET_TYPEF_TEST_ONLY) ? S_FALSE : DmoTypeNotAccepted;
    if (flags != 0) return S_OK;
    return slot.assign(*type);
}

HRESULT DspPlugin::SetInputType(DWORD stream, const DMO_MEDIA_TYPE* type, DWORD flags) {
    return setType(stream, type, flags, inputType_, outputType_);
}

HRESULT DspPlugin::SetOutputType(DWORD stream, const DMO_MEDIA_TYPE* type, DWORD flags) {
    return setType(stream, type, flags, outputType_, inputType_);
}

HRESULT DspPlugin::currentType(DWORD stream, const MediaTypeSlot& slot, DMO_MEDIA_TYPE* type) {
    if (stream != 0) return DmoInvalidStreamIndex;
    if (type == nullptr) return E_POINTER;
    if (!slot.isSet()) return DmoTypeNotSet;
    return MoCopyMediaType(type, &slot.type());
}

HRESULT DspPlugin::GetInputCurrentType(DWORD stream, DMO_MEDIA_TYPE* type) {
    return currentType(stream, inputType_, type);
}

HRESULT DspPlugin::GetOutputCurrentType(DWORD stream, DMO_MEDIA_TYPE* type) {
    return currentType(stream, outputType_, type);
}

HRESULT DspPlugin::GetInputSizeInfo(DWORD stream, DWORD* size, DWORD* lookahead, DWORD* alignment) {
    if (stream != 0) return DmoInvalidStreamIndex;
    if (size == nullptr || lookahead == nullptr || alignment == nullptr) return E_POINTER;
    if (!inputType_.isSet()) return DmoTypeNotSet;
    *size = inputType_.type().lSampleSize;
    *lookahead = 0;
    *alignment = inputType_.format().nBlockAlign;
    return S_OK;
}

HRESULT DspPlugin::GetOutputSizeInfo(DWORD stream, DWORD* size, DWORD* alignment) {
    if (stream != 0) return DmoInvalidStreamIndex;
    if (size == nullptr || alignment == nullptr) return E_POINTER;
    if (!outputType_.isSet()) return DmoTypeNotSet;
    *size = outputType_.type().lSampleSize;
    *alignment = outputType_.format().nBlockAlign;
    return S_OK;
}

HRESULT DspPlugin::GetInputMaxLatency(DWORD, REFERENCE_TIME*) { return E_NOTIMPL; }
HRESULT DspPlugin::SetInputMaxLatency(DWORD, REFERENCE_TIME) { return E_NOTIMPL; }

void DspPlugin::releaseHeldInput() {
    if (heldBuffer_ != nullptr) heldBuffer_->Release();
    heldBuffer_ = nullptr;
    heldData_ = nullptr;
    heldLength_ = 0;
    timeValid_ = false;
    nextTimestamp_ = 0;
}

// Seeks and format changes never reset the processing state: only the held input goes.
HRESULT DspPlugin::Flush() {
    releaseHeldInput();
    return S_OK;
}

HRESULT DspPlugin::FreeStreamingResources() { return Flush(); }

HRESULT DspPlugin::Discontinuity(DWORD stream) { return stream != 0 ? DmoInvalidStreamIndex : S_OK; }
HRESULT DspPlugin::AllocateStreamingResources() { return S_OK; }
HRESULT DspPlugin::Lock(LONG) { return S_OK; }

HRESULT DspPlugin::GetInputStatus(DWORD stream, DWORD* flags) {
    if (stream != 0) return DmoInvalidStreamIndex;
    if (flags == nullptr) return E_POINTER;
    *flags = heldBuffer_ == nullptr ? DMO_INPUT_STATUSF_ACCEPT_DATA : 0;
    return S_OK;
}

HRESULT DspPlugin::ProcessInput(DWORD stream, IMediaBuffer* buffer, DWORD flags, REFERENCE_TIME time, REFERENCE_TIME) {
    if (stream != 0) return DmoInvalidStreamIndex;
    if (buffer == nullptr) return E_POINTER;
    if (!inputType_.isSet()) return DmoTypeNotSet;
    BYTE* data = nullptr;
    DWORD length = 0;
    const HRESULT hr = buffer->GetBufferAndLength(&data, &length);
    if (FAILED(hr)) return hr;
    buffer->AddRef();
    releaseHeldInput();
    heldBuffer_ = buffer;
    heldData_ = data;
    heldLength_ = data != nullptr ? length : 0;
    timeValid_ = (flags & DMO_INPUT_DATA_BUFFERF_TIME) != 0;
    nextTimestamp_ = timeValid_ ? time : 0;
    return S_OK;
}

HRESULT DspPlugin::ProcessOutput(DWORD, DWORD count, DMO_OUTPUT_DATA_BUFFER* buffers, DWORD* status) {
    if (buffers == nullptr) return E_POINTER;
    if (count != 1) return E_INVALIDARG;
    if (!outputType_.isSet()) return DmoTypeNotSet;
    if (status != nullptr) *status = 0;
    DMO_OUTPUT_DATA_BUFFER& target = buffers[0];
    if (heldBuffer_ == nullptr || target.pBuffer == nullptr) {
        if (target.pBuffer != nullptr) target.pBuffer->SetLength(0);
        target.dwStatus = 0;
        return S_FALSE;
    }

    BYTE* out = nullptr;
    DWORD currentLength = 0;
    DWORD maxLength = 0;
    HRESULT hr = target.pBuffer->GetBufferAndLength(&out, &currentLength);
    if (SUCCEEDED(hr)) hr = target.pBuffer->GetMaxLength(&maxLength);
    if (FAILED(hr)) return hr;
    if (out == nullptr) maxLength = 0;

    const bool complete = heldLength_ <= maxLength;
    DWORD bytes = complete ? heldLength_ : maxLength;
    hr = render(heldData_, out, bytes);
    if (FAILED(hr)) return hr;

    hr = target.pBuffer->SetLength(bytes);
    if (FAILED(hr)) return hr;
    target.dwStatus = 0;
    if (timeValid_) {
        const REFERENCE_TIME duration = MulDiv(static_cast<int>(bytes), ReferenceTimePerSecond,
                                               static_cast<int>(outputType_.format().nAvgBytesPerSec));
        target.dwStatus |= DMO_OUTPUT_DATA_BUFFERF_TIME | DMO_OUTPUT_DATA_BUFFERF_TIMELENGTH;
        target.rtTimestamp = nextTimestamp_;
        target.rtTimelength = duration;
        nextTimestamp_ += duration;
    }
    if (complete) {
        releaseHeldInput();
    } else {
        target.dwStatus |= DMO_OUTPUT_DATA_BUFFERF_INCOMPLETE;
        heldData_ += bytes;
        heldLength_ -= bytes;
    }
    return S_OK;
}

// Input and output always share one format (validation), so the output type describes the held
// data. Every path below reads at most `bytes` from in and writes at most `bytes` to out, and
// `bytes` never exceeds the held length nor the output buffer's maximum length.
HRESULT DspPlugin::render(const BYTE* in, BYTE* out, DWORD& bytes) {
    if (!enabled_) {
        if (bytes != 0) std::memmove(out, in, bytes);
        return S_OK;
    }
    const WAVEFORMATEX& format = outputType_.format();
    const DWORD samples = (bytes / format.nBlockAlign) * format.nChannels;
    switch (format.wBitsPerSample) {
        case 8:
        case 24:
        case 32:
            bytes = samples * (format.wBitsPerSample / 8u);
            if (bytes != 0) std::memmove(out, in, bytes);
            return S_OK;
        case 16:
            bytes = samples * 2;
            chain_.process16(reinterpret_cast<const std::int16_t*>(in), reinterpret_cast<std::int16_t*>(out), samples,
                             format.nChannels, GetTickCount());
            return S_OK;
        default:
            bytes = 0;
            return E_FAIL;
    }
}

HRESULT DspPlugin::SetEnable(BOOL enable) {
    enabled_ = enable != FALSE;
    return S_OK;
}

HRESULT DspPlugin::GetEnable(BOOL* enable) {
    if (enable == nullptr) return E_POINTER;
    *enable = enabled_ ? TRUE : FALSE;
    return S_OK;
}

HRESULT DspPlugin::GetPages(CAUUID* pages) {
    if (pages == nullptr) return E_POINTER;
    pages->cElems = 0;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
    if (pages->pElems == nullptr) return E_OUTOFMEMORY;
    pages->pElems[0] = CLSID_DspPluginPropertyPage;
    pages->cElems = 1;
    return S_OK;
}

}  // namespace tevaro::plugin
