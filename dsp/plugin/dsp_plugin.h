#pragma once
// DspPlugin: the DirectX Media Object the player inserts into its audio path. One input and one
// output stream of the same PCM format; one held input buffer at a time; 16-bit audio runs
// through the processing chain, other sample sizes pass through unchanged.
#include <ocidl.h>

#include <cstdint>

#include "com_support/com_object.h"
#include "com_support/dmo.h"
#include "com_support/wmp_plugin.h"
#include "dsp/engine/dsp_chain.h"
#include "dsp/plugin/dsp_scale_control.h"
#include "dsp/plugin/media_type_slot.h"
#include "settings_link/settings_link.h"

namespace tevaro::plugin {

class DspPlugin final : public com_support::ComObject<DspPlugin, IDspScaleControl, IMediaObject, IWMPPluginEnable,
                                                      ISpecifyPropertyPages> {
public:
    DspPlugin();
    ~DspPlugin();

    // IDspScaleControl
    HRESULT STDMETHODCALLTYPE GetScale(double* value) override;
    HRESULT STDMETHODCALLTYPE PutScale(double value) override;

    // IMediaObject
    HRESULT STDMETHODCALLTYPE GetStreamCount(DWORD* inputs, DWORD* outputs) override;
    HRESULT STDMETHODCALLTYPE GetInputStreamInfo(DWORD stream, DWORD* flags) override;
    HRESULT STDMETHODCALLTYPE GetOutputStreamInfo(DWORD stream, DWORD* flags) override;
    HRESULT STDMETHODCALLTYPE GetInputType(DWORD stream, DWORD typeIndex, DMO_MEDIA_TYPE* type) override;
    HRESULT STDMETHODCALLTYPE GetOutputType(DWORD stream, DWORD typeIndex, DMO_MEDIA_TYPE* type) override;
    HRESULT STDMETHODCALLTYPE SetInputType(DWORD stream, const DMO_MEDIA_TYPE* type, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE SetOutputType(DWORD stream, const DMO_MEDIA_TYPE* type, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE GetInputCurrentType(DWORD stream, DMO_MEDIA_TYPE* type) override;
    HRESULT STDMETHODCALLTYPE GetOutputCurrentType(DWORD stream, DMO_MEDIA_TYPE* type) override;
    HRESULT STDMETHODCALLTYPE GetInputSizeInfo(DWORD stream, DWORD* size, DWORD* lookahead, DWORD* alignment) override;
    HRESULT STDMETHODCALLTYPE GetOutputSizeInfo(DWORD stream, DWORD* size, DWORD* alignment) override;
    HRESULT STDMETHODCALLTYPE GetInputMaxLatency(DWORD stream, REFERENCE_TIME* latency) override;
    HRESULT STDMETHODCALLTYPE SetInputMaxLatency(DWORD stream, REFERENCE_TIME latency) override;
    HRESULT STDMETHODCALLTYPE Flush() override;
    HRESULT STDMETHODCALLTYPE Discontinuity(DWORD stream) override;
    HRESULT STDMETHODCALLTYPE AllocateStreamingResources() override;
    HRESULT STDMETHODCALLTYPE FreeStreamingResources() override;
    HRESULT STDMETHODCALLTYPE GetInputStatus(DWORD stream, DWORD* flags) override;
    HRESULT STDMETHODCALLTYPE ProcessInput(DWORD stream, IMediaBuffer* buffer, DWORD flags, REFERENCE_TIME time,
                                           REFERENCE_TIME length) override;
    HRESULT STDMETHODCALLTYPE ProcessOutput(DWORD flags, DWORD count, DMO_OUTPUT_DATA_BUFFER* buffers,
                                            DWORD* status) override;
    HRESULT STDMETHODCALLTYPE Lock(LONG lock) override;

    // IWMPPluginEnable
    HRESULT STDMETHODCALLTYPE SetEnable(BOOL enable) override;
    HRESULT STDMETHODCALLTYPE GetEnable(BOOL* enable) override;

    // ISpecifyPropertyPages
    HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pages) override;

private:
    static HRESULT getType(DWORD stream, DWORD typeIndex, const MediaTypeSlot& other, DMO_MEDIA_TYPE* type);
    static HRESULT setType(DWORD stream, const DMO_MEDIA_TYPE* type, DWORD flags, MediaTypeSlot& slot,
                           const MediaTypeSlot& other);
    static HRESULT currentType(DWORD stream, const MediaTypeSlot& slot, DMO_MEDIA_TYPE* type);
    void releaseHeldInput();
    // Moves one call's worth from the held input to out; bytes in: what fits, out: what was produced.
    HRESULT render(const BYTE* in, BYTE* out, DWORD& bytes);

    MediaTypeSlot inputType_;  // current stream types
    MediaTypeSlot outputType_;
    IMediaBuffer* heldBuffer_ = nullptr;  // the buffer taken by ProcessInput
    const BYTE* heldData_ = nullptr;      // its unprocessed part
    DWORD heldLength_ = 0;
    bool timeValid_ = false;            // the held buffer came with a time stamp
    REFERENCE_TIME nextTimestamp_ = 0;  // of the next output buffer, 100 ns units
    double scaleValue_ = 0.0;           // IDspScaleControl's value
    bool enabled_ = true;               // IWMPPluginEnable
    SettingsLink link_;                 // the block the panel writes
    dsp::DspChain chain_;               // switch, word, mute, engine, reverberator, virtualiser lines
};

}  // namespace tevaro::plugin
