// The DSP hosted the way the player hosts DSP plug-ins when it plays through DirectShow: inside the
// DMO Wrapper Filter, which aggregates the DMO. A real filter graph, File Source (Async) -> WAVE
// Parser -> DMO Wrapper with our DSP -> Sample Grabber -> Null Renderer, runs a programme file to
// its end without a clock, and the grabbed audio must equal the native chain's output for the word
// the panel wrote, byte for byte.
#include <dshow.h>
#include <qedit.h>

#include <cstring>
#include <string>
#include <vector>

#include "com_support/dmo.h"
#include "dmodshow.h"
#include "dsp/engine/offline/offline_render.h"
#include "dsp/engine/offline/programmes.h"
#include "dsp_test_support.h"
#include "host_sim/dsp_session.h"
#include "host_sim/panel_writes.h"

namespace tevaro::plugin::test {
namespace {

// {D51BD5A1-7548-11CF-A520-0080C77EF58A}: the platform's WAVE parser filter.
constexpr CLSID WaveParserClsid = {0xd51bd5a1, 0x7548, 0x11cf, {0xa5, 0x20, 0x00, 0x80, 0xc7, 0x7e, 0xf5, 0x8a}};
// {C1F400A0-3F08-11D3-9F0B-006008039E37} and {C1F400A4-…}: the Sample Grabber and Null Renderer of
// qedit, which mingw's header does not declare.
constexpr CLSID SampleGrabberClsid = {0xc1f400a0, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};
constexpr CLSID NullRendererClsid = {0xc1f400a4, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};

// Owns one reference; the graph code reads better without a Release on every early return.
template <class T>
class Ref {
public:
    Ref() = default;
    ~Ref() { reset(); }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    T* operator->() const { return p_; }
    T* get() const { return p_; }
    T** out() {
        reset();
        return &p_;
    }
    void** outVoid() { return reinterpret_cast<void**>(out()); }
    void reset() {
        if (p_ != nullptr) p_->Release();
        p_ = nullptr;
    }

private:
    T* p_ = nullptr;
};

// Collects every sample the grabber passes on, in order.
class Collector final : public ISampleGrabberCB {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_ISampleGrabberCB) {
            *object = static_cast<ISampleGrabberCB*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Lives on the test's stack for longer than the graph.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE SampleCB(double, IMediaSample* sample) override {
        BYTE* data = nullptr;
        if (FAILED(sample->GetPointer(&data))) return S_OK;
        const long length = sample->GetActualDataLength();
        bytes.insert(bytes.end(), data, data + length);
        ++samples;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE BufferCB(double, BYTE*, long) override { return E_NOTIMPL; }

    std::vector<std::uint8_t> bytes;
    int samples = 0;
};

// The first pin of `filter` in `direction` that is not connected yet.
HRESULT freePin(IBaseFilter* filter, PIN_DIRECTION direction, IPin** pin) {
    Ref<IEnumPins> pins;
    HRESULT hr = filter->EnumPins(pins.out());
    if (FAILED(hr)) return hr;
    IPin* candidate = nullptr;
    while (pins->Next(1, &candidate, nullptr) == S_OK) {
        PIN_DIRECTION d;
        IPin* peer = nullptr;
        const bool connected = candidate->ConnectedTo(&peer) == S_OK;
        if (peer != nullptr) peer->Release();
        if (SUCCEEDED(candidate->QueryDirection(&d)) && d == direction && !connected) {
            *pin = candidate;
            return S_OK;
        }
        candidate->Release();
    }
    return VFW_E_NOT_FOUND;
}

HRESULT connect(IGraphBuilder* graph, IBaseFilter* from, IBaseFilter* to) {
    Ref<IPin> out, in;
    HRESULT hr = freePin(from, PINDIR_OUTPUT, out.out());
    if (FAILED(hr)) return hr;
    hr = freePin(to, PINDIR_INPUT, in.out());
    if (FAILED(hr)) return hr;
    return graph->ConnectDirect(out.get(), in.get(), nullptr);
}

HRESULT addFilter(IGraphBuilder* graph, REFCLSID clsid, const wchar_t* name, IBaseFilter** filter) {
    HRESULT hr =
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, reinterpret_cast<void**>(filter));
    if (FAILED(hr)) return hr;
    return graph->AddFilter(*filter, name);
}

struct GraphCase {
    const char* name;
    std::uint32_t word;
};

void PrintTo(const GraphCase& c, std::ostream* out) { *out << c.name; }

class DspInFilterGraph : public testing::TestWithParam<GraphCase> {};

TEST_P(DspInFilterGraph, RunsToTheEndAndMatchesTheNativeChainByteForByte) {
    const GraphCase& c = GetParam();
    constexpr std::size_t frames = 44100 * 6;
    const dsp::Programme programme = dsp::demoProgramme(frames);
    host_sim::WavFile file = pcmFormat(16);
    file.data.assign(reinterpret_cast<const std::uint8_t*>(programme.data()),
                     reinterpret_cast<const std::uint8_t*>(programme.data() + programme.size()));
    wchar_t directory[MAX_PATH], path[MAX_PATH];
    ASSERT_NE(GetTempPathW(MAX_PATH, directory), 0u);
    ASSERT_NE(GetTempFileNameW(directory, L"tvg", 0, path), 0u);
    char narrow[MAX_PATH];
    WideCharToMultiByte(CP_ACP, 0, path, -1, narrow, MAX_PATH, nullptr, nullptr);
    ASSERT_TRUE(host_sim::writeWav(narrow, file));

    host_sim::PanelWrites panel;
    ASSERT_TRUE(panel.start(c.word));

    Ref<IGraphBuilder> graph;
    ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, graph.outVoid()),
              S_OK);
    Ref<IBaseFilter> source, parser, wrapper, grabberFilter, renderer;
    ASSERT_EQ(addFilter(graph.get(), CLSID_AsyncReader, L"File Source (Async)", source.out()), S_OK);
    Ref<IFileSourceFilter> fileSource;
    ASSERT_EQ(source->QueryInterface(IID_IFileSourceFilter, fileSource.outVoid()), S_OK);
    ASSERT_EQ(fileSource->Load(path, nullptr), S_OK);
    ASSERT_EQ(addFilter(graph.get(), WaveParserClsid, L"WAVE Parser", parser.out()), S_OK);
    ASSERT_EQ(connect(graph.get(), source.get(), parser.get()), S_OK);

    // The wrapper creates the DMO aggregated; a factory that refuses aggregation fails Init.
    ASSERT_EQ(
        CoCreateInstance(CLSID_DMOWrapperFilter, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter, wrapper.outVoid()),
        S_OK);
    Ref<IDMOWrapperFilter> dmoWrapper;
    ASSERT_EQ(wrapper->QueryInterface(IID_IDMOWrapperFilter, dmoWrapper.outVoid()), S_OK);
    ASSERT_EQ(dmoWrapper->Init(DspClsid, DMOCATEGORY_AUDIO_EFFECT), S_OK);
    const DWORD created = GetTickCount();
    ASSERT_EQ(graph->AddFilter(wrapper.get(), L"Tevaro Player SE DSP"), S_OK);
    ASSERT_EQ(connect(graph.get(), parser.get(), wrapper.get()), S_OK);

    Collector collector;
    ASSERT_EQ(addFilter(graph.get(), SampleGrabberClsid, L"Sample Grabber", grabberFilter.out()), S_OK);
    Ref<ISampleGrabber> grabber;
    ASSERT_EQ(grabberFilter->QueryInterface(IID_ISampleGrabber, grabber.outVoid()), S_OK);
    AM_MEDIA_TYPE wanted{};
    wanted.majortype = MEDIATYPE_Audio;
    wanted.subtype = MEDIASUBTYPE_PCM;
    ASSERT_EQ(grabber->SetMediaType(&wanted), S_OK);
    ASSERT_EQ(grabber->SetBufferSamples(FALSE), S_OK);
    ASSERT_EQ(grabber->SetCallback(&collector, 0), S_OK);
    ASSERT_EQ(connect(graph.get(), wrapper.get(), grabberFilter.get()), S_OK);
    ASSERT_EQ(addFilter(graph.get(), NullRendererClsid, L"Null Renderer", renderer.out()), S_OK);
    ASSERT_EQ(connect(graph.get(), grabberFilter.get(), renderer.get()), S_OK);

    // No reference clock: the graph streams as fast as the filters go.
    Ref<IMediaFilter> graphFilter;
    ASSERT_EQ(graph->QueryInterface(IID_IMediaFilter, graphFilter.outVoid()), S_OK);
    ASSERT_EQ(graphFilter->SetSyncSource(nullptr), S_OK);

    // As the player does, playback starts once a refresh interval has passed since the plug-in's
    // creation, so the first buffer refreshes the settings like the native renderer's.
    host_sim::waitForFirstRefresh(created);
    Ref<IMediaControl> control;
    Ref<IMediaEvent> events;
    ASSERT_EQ(graph->QueryInterface(IID_IMediaControl, control.outVoid()), S_OK);
    ASSERT_EQ(graph->QueryInterface(IID_IMediaEvent, events.outVoid()), S_OK);
    ASSERT_TRUE(SUCCEEDED(control->Run()));
    long code = 0;
    EXPECT_EQ(events->WaitForCompletion(120000, &code), S_OK);
    EXPECT_EQ(code, EC_COMPLETE);
    EXPECT_EQ(control->Stop(), S_OK);

    std::vector<std::int16_t> expected(programme.size());
    dsp::renderProgramme({c.word, true, false}, programme.data(), expected.data(), frames);
    EXPECT_GT(collector.samples, 1) << "the parser delivers the file in many buffers";
    ASSERT_EQ(collector.bytes.size(), expected.size() * sizeof(std::int16_t));
    const auto* got = reinterpret_cast<const std::int16_t*>(collector.bytes.data());
    std::size_t first = 0;
    while (first < expected.size() && got[first] == expected[first]) ++first;
    EXPECT_EQ(first, expected.size()) << "first differing sample " << first << " (frame " << first / 2 << ", "
                                      << (first % 2 ? "right" : "left") << "): DLL " << got[first] << ", native "
                                      << expected[first];

    graph->RemoveFilter(wrapper.get());
    DeleteFileW(path);
}

INSTANTIATE_TEST_SUITE_P(PanelWords, DspInFilterGraph,
                         testing::Values(GraphCase{"Neutral_Max", 0x0430}, GraphCase{"Movie_Mid", 0x0828}),
                         [](const testing::TestParamInfo<GraphCase>& info) { return info.param.name; });

}  // namespace
}  // namespace tevaro::plugin::test
