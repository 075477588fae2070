// IMediaObject and the other faces of DspPlugin through CoCreateInstance on the registered DLL,
// in the manner of Wine's DMO conformance tests: every limit with its exact HRESULT, out-parameters
// pre-filled with sentinels, every final Release returning 0.
#include <ocidl.h>

#include <functional>
#include <string>

#include <cstring>

#include "com_support/tests/win/aggregation_check.h"
#include "com_support/tests/win/interface_table_check.h"
#include "dsp/plugin/dsp_scale_control.h"
#include "dsp_test_support.h"

namespace tevaro::plugin::test {
namespace {

using host_sim::MediaBuffer;

class DspConformance : public testing::Test {
protected:
    void SetUp() override {
        dmo_ = createDsp();
        ASSERT_NE(dmo_, nullptr);
    }
    void TearDown() override {
        if (dmo_ != nullptr) {
            EXPECT_EQ(dmo_->Release(), 0u);
        }
    }
    IMediaObject* dmo_ = nullptr;
};

TEST_F(DspConformance, AnswersForItsFourInterfacesWithOneIdentity) {
    const com_support::test::InterfaceRow rows[] = {
        {"IUnknown", IID_IUnknown, S_OK},
        {"IDspScaleControl", {0x532a1eda, 0xe5b9, 0x479a, {0x88, 0x10, 0xb3, 0x22, 0x04, 0x91, 0x79, 0x98}}, S_OK},
        {"IMediaObject", IID_IMediaObject, S_OK},
        {"IWMPPluginEnable", {0x5fca444c, 0x7ad1, 0x479d, {0xa4, 0xef, 0x40, 0x56, 0x6a, 0x53, 0x09, 0xd6}}, S_OK},
        {"ISpecifyPropertyPages", IID_ISpecifyPropertyPages, S_OK},
        {"IPropertyPage", IID_IPropertyPage, E_NOINTERFACE},
        {"IMediaObjectInPlace", IID_IMediaObjectInPlace, E_NOINTERFACE},
    };
    com_support::test::expectInterfaceTable(dmo_, rows);
}

TEST_F(DspConformance, StreamCountAndStreamInfo) {
    DWORD inputs = Sentinel, outputs = Sentinel, flags = Sentinel;
    EXPECT_EQ(dmo_->GetStreamCount(nullptr, &outputs), E_POINTER);
    EXPECT_EQ(dmo_->GetStreamCount(&inputs, nullptr), E_POINTER);
    EXPECT_EQ(dmo_->GetStreamCount(&inputs, &outputs), S_OK);
    EXPECT_EQ(inputs, 1u);
    EXPECT_EQ(outputs, 1u);
    using Info = HRESULT (STDMETHODCALLTYPE IMediaObject::*)(DWORD, DWORD*);
    for (Info info : {&IMediaObject::GetInputStreamInfo, &IMediaObject::GetOutputStreamInfo}) {
        flags = Sentinel;
        EXPECT_EQ((dmo_->*info)(1, &flags), InvalidStreamIndex);
        EXPECT_EQ((dmo_->*info)(0, nullptr), E_POINTER);
        EXPECT_EQ((dmo_->*info)(0, &flags), S_OK);
        EXPECT_EQ(flags, 0u);
    }
}

TEST_F(DspConformance, PreferredTypesAreAudioPcmUntilTheOtherStreamIsSet) {
    using Get = HRESULT (STDMETHODCALLTYPE IMediaObject::*)(DWORD, DWORD, DMO_MEDIA_TYPE*);
    using Set = HRESULT (STDMETHODCALLTYPE IMediaObject::*)(DWORD, const DMO_MEDIA_TYPE*, DWORD);
    struct Side {
        const char* name;
        Get get;
        Set setOther;
    };
    const Side sides[] = {{"input", &IMediaObject::GetInputType, &IMediaObject::SetOutputType},
                          {"output", &IMediaObject::GetOutputType, &IMediaObject::SetInputType}};
    for (const Side& side : sides) {
        SCOPED_TRACE(side.name);
        IMediaObject* dmo = createDsp();
        DMO_MEDIA_TYPE type;
        std::memset(&type, 0xCC, sizeof type);
        EXPECT_EQ((dmo->*side.get)(1, 0, &type), InvalidStreamIndex);
        EXPECT_EQ((dmo->*side.get)(0, 1, &type), NoMoreItems);
        EXPECT_EQ((dmo->*side.get)(0, 0, nullptr), E_POINTER);
        ASSERT_EQ((dmo->*side.get)(0, 0, &type), S_OK);
        EXPECT_EQ(type.majortype, MEDIATYPE_Audio);
        EXPECT_EQ(type.subtype, MEDIASUBTYPE_PCM);
        EXPECT_EQ(type.formattype, GUID_NULL);
        EXPECT_EQ(type.cbFormat, 0u);
        EXPECT_EQ(type.pbFormat, nullptr);
        EXPECT_EQ(type.lSampleSize, 0u);

        MediaType other(pcmFormat(16, 2, 48000));
        ASSERT_EQ((dmo->*side.setOther)(0, &other.type, 0), S_OK);
        ASSERT_EQ((dmo->*side.get)(0, 0, &type), S_OK);
        EXPECT_EQ(type.cbFormat, other.type.cbFormat);
        ASSERT_NE(type.pbFormat, nullptr);
        EXPECT_NE(type.pbFormat, other.type.pbFormat);
        EXPECT_EQ(std::memcmp(type.pbFormat, other.type.pbFormat, type.cbFormat), 0);
        MoFreeMediaType(&type);
        EXPECT_EQ(dmo->Release(), 0u);
    }
}

// One mutation of a valid 16-bit stereo type per row, with what SetInputType must answer.
struct TypeCase {
    const char* name;
    host_sim::WavFile format;
    std::function<void(MediaType&)> mutate;
    bool accepted;
};

std::vector<TypeCase> typeCases() {
    auto none = [](MediaType&) {};
    return {
        {"pcm_16_stereo", pcmFormat(16), none, true},
        {"pcm_8_mono", pcmFormat(8, 1), none, true},
        {"pcm_16_six_channels", pcmFormat(16, 6), none, true},
        {"pcm_16_any_rate", pcmFormat(16, 2, 7350), none, true},
        {"pcm_tag_24_bits", pcmFormat(24), none, false},
        {"pcm_tag_32_bits", pcmFormat(32), none, false},
        {"bits_12", pcmFormat(16), [](MediaType& t) { t.wave().Format.wBitsPerSample = 12; }, false},
        {"major_video", pcmFormat(16), [](MediaType& t) { t.type.majortype = MEDIATYPE_Video; }, false},
        {"format_type_none", pcmFormat(16), [](MediaType& t) { t.type.formattype = GUID_NULL; }, false},
        {"format_17_bytes", pcmFormat(16), [](MediaType& t) { t.type.cbFormat = 17; }, false},
        {"subtype_not_compared_alone", pcmFormat(16), [](MediaType& t) { t.type.subtype = MEDIASUBTYPE_IEEE_FLOAT; },
         true},
        {"zero_channels", pcmFormat(16), [](MediaType& t) { t.wave().Format.nChannels = 0; }, false},
        {"zero_rate", pcmFormat(16), [](MediaType& t) { t.wave().Format.nSamplesPerSec = 0; }, false},
        {"zero_byte_rate", pcmFormat(16), [](MediaType& t) { t.wave().Format.nAvgBytesPerSec = 0; }, false},
        {"zero_block_align", pcmFormat(16), [](MediaType& t) { t.wave().Format.nBlockAlign = 0; }, false},
        {"zero_bits", pcmFormat(16), [](MediaType& t) { t.wave().Format.wBitsPerSample = 0; }, false},
        // The block must be channels × sample bytes, or processing would run past the buffers.
        {"block_align_too_small", pcmFormat(16), [](MediaType& t) { t.wave().Format.nBlockAlign = 2; }, false},
        {"block_align_too_large", pcmFormat(16), [](MediaType& t) { t.wave().Format.nBlockAlign = 8; }, false},
        {"tag_float", pcmFormat(16), [](MediaType& t) { t.wave().Format.wFormatTag = 3; }, false},
        {"ext_16_16", extensibleFormat(16, 16), none, true},
        {"ext_8_8", extensibleFormat(8, 8, 1), none, true},
        {"ext_24_24", extensibleFormat(24, 24), none, true},
        {"ext_24_20", extensibleFormat(24, 20), none, true},
        {"ext_32_32", extensibleFormat(32, 32), none, true},
        {"ext_32_24", extensibleFormat(32, 24), none, true},
        {"ext_32_16", extensibleFormat(32, 16), none, true},
        {"ext_16_12", extensibleFormat(16, 12), none, false},
        {"ext_24_18", extensibleFormat(24, 18), none, false},
        {"ext_24_0", extensibleFormat(24, 0), none, false},
        {"ext_24_32", extensibleFormat(24, 32), none, false},
        {"ext_39_bytes", extensibleFormat(24, 24), [](MediaType& t) { t.type.cbFormat = 39; }, false},
        {"ext_float_subformat", extensibleFormat(32, 32),
         [](MediaType& t) { t.wave().SubFormat = MEDIASUBTYPE_IEEE_FLOAT; }, false},
    };
}

class DspTypeValidation : public testing::TestWithParam<TypeCase> {};

TEST_P(DspTypeValidation, SetInputAndOutputTypeAnswerAsTheRuleSays) {
    const TypeCase& c = GetParam();
    using Set = HRESULT (STDMETHODCALLTYPE IMediaObject::*)(DWORD, const DMO_MEDIA_TYPE*, DWORD);
    using Current = HRESULT (STDMETHODCALLTYPE IMediaObject::*)(DWORD, DMO_MEDIA_TYPE*);
    const std::pair<Set, Current> sides[] = {{&IMediaObject::SetInputType, &IMediaObject::GetInputCurrentType},
                                             {&IMediaObject::SetOutputType, &IMediaObject::GetOutputCurrentType}};
    for (auto [set, current] : sides) {
        IMediaObject* dmo = createDsp();
        MediaType type(c.format);
        c.mutate(type);
        DMO_MEDIA_TYPE held{};
        EXPECT_EQ((dmo->*set)(0, &type.type, DMO_SET_TYPEF_TEST_ONLY), c.accepted ? S_OK : S_FALSE);
        EXPECT_EQ((dmo->*current)(0, &held), TypeNotSet) << "a test-only call stores nothing";
        EXPECT_EQ((dmo->*set)(0, &type.type, 0), c.accepted ? S_OK : TypeNotAccepted);
        EXPECT_EQ((dmo->*current)(0, &held), c.accepted ? S_OK : TypeNotSet);
        if (c.accepted) {
            EXPECT_EQ(held.cbFormat, type.type.cbFormat);
            EXPECT_EQ(std::memcmp(held.pbFormat, type.type.pbFormat, held.cbFormat), 0);
            MoFreeMediaType(&held);
        }
        EXPECT_EQ(dmo->Release(), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, DspTypeValidation, testing::ValuesIn(typeCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DspConformance, SetTypeLimitsClearAndRefusalsKeepTheStoredType) {
    MediaType good(pcmFormat(16));
    MediaType refused(pcmFormat(16));
    refused.wave().Format.nBlockAlign = 3;
    EXPECT_EQ(dmo_->SetInputType(1, &good.type, 0), InvalidStreamIndex);
    EXPECT_EQ(dmo_->SetOutputType(1, &good.type, 0), InvalidStreamIndex);
    EXPECT_EQ(dmo_->SetInputType(0, nullptr, 0), E_POINTER);
    EXPECT_EQ(dmo_->SetInputType(0, nullptr, DMO_SET_TYPEF_TEST_ONLY), E_POINTER);
    ASSERT_EQ(dmo_->SetInputType(0, &good.type, 0), S_OK);
    EXPECT_EQ(dmo_->SetInputType(0, &refused.type, 0), TypeNotAccepted);
    DMO_MEDIA_TYPE held{};
    ASSERT_EQ(dmo_->GetInputCurrentType(0, &held), S_OK);
    EXPECT_EQ(reinterpret_cast<WAVEFORMATEX*>(held.pbFormat)->nBlockAlign, 4);
    MoFreeMediaType(&held);
    EXPECT_EQ(dmo_->SetInputType(0, nullptr, DMO_SET_TYPEF_CLEAR), S_OK);
    EXPECT_EQ(dmo_->GetInputCurrentType(0, &held), TypeNotSet);
    EXPECT_EQ(dmo_->SetOutputType(0, nullptr, DMO_SET_TYPEF_CLEAR), S_OK) << "clearing an unset type";
}

// The second stream must carry exactly the first stream's format: one differing field per row.
TEST_F(DspConformance, MismatchingInputAndOutputFormatsAreRefusedFieldByField) {
    struct Row {
        const char* name;
        host_sim::WavFile format;
        std::function<void(MediaType&)> mutate;
    };
    auto none = [](MediaType&) {};
    const Row rows[] = {
        {"channels", pcmFormat(16, 1), none},
        {"rate", pcmFormat(16, 2, 48000), none},
        {"byte_rate", pcmFormat(16), [](MediaType& t) { t.wave().Format.nAvgBytesPerSec += 4; }},
        {"bits_and_block", pcmFormat(8, 4), none},
        {"format_tag", extensibleFormat(16, 16), none},
        {"subtype", pcmFormat(16), [](MediaType& t) { t.type.subtype = MEDIASUBTYPE_IEEE_FLOAT; }},
    };
    using Set = HRESULT (STDMETHODCALLTYPE IMediaObject::*)(DWORD, const DMO_MEDIA_TYPE*, DWORD);
    const std::pair<Set, Set> orders[] = {{&IMediaObject::SetInputType, &IMediaObject::SetOutputType},
                                          {&IMediaObject::SetOutputType, &IMediaObject::SetInputType}};
    for (auto [first, second] : orders) {
        for (const Row& row : rows) {
            SCOPED_TRACE(row.name);
            IMediaObject* dmo = createDsp();
            MediaType base(pcmFormat(16));
            MediaType other(row.format);
            row.mutate(other);
            ASSERT_EQ((dmo->*first)(0, &base.type, 0), S_OK);
            EXPECT_EQ((dmo->*second)(0, &other.type, DMO_SET_TYPEF_TEST_ONLY), S_FALSE);
            EXPECT_EQ((dmo->*second)(0, &other.type, 0), TypeNotAccepted);
            EXPECT_EQ((dmo->*second)(0, &base.type, 0), S_OK);
            EXPECT_EQ(dmo->Release(), 0u);
        }
    }
}

TEST_F(DspConformance, CurrentTypesAndSizeInfo) {
    DMO_MEDIA_TYPE held{};
    DWORD size = Sentinel, lookahead = Sentinel, alignment = Sentinel;
    EXPECT_EQ(dmo_->GetInputCurrentType(1, &held), InvalidStreamIndex);
    EXPECT_EQ(dmo_->GetOutputCurrentType(0, nullptr), E_POINTER);
    EXPECT_EQ(dmo_->GetOutputCurrentType(0, &held), TypeNotSet);
    EXPECT_EQ(dmo_->GetInputSizeInfo(1, &size, &lookahead, &alignment), InvalidStreamIndex);
    EXPECT_EQ(dmo_->GetInputSizeInfo(0, nullptr, &lookahead, &alignment), E_POINTER);
    EXPECT_EQ(dmo_->GetInputSizeInfo(0, &size, nullptr, &alignment), E_POINTER);
    EXPECT_EQ(dmo_->GetInputSizeInfo(0, &size, &lookahead, nullptr), E_POINTER);
    EXPECT_EQ(dmo_->GetInputSizeInfo(0, &size, &lookahead, &alignment), TypeNotSet);
    EXPECT_EQ(dmo_->GetOutputSizeInfo(1, &size, &alignment), InvalidStreamIndex);
    EXPECT_EQ(dmo_->GetOutputSizeInfo(0, nullptr, &alignment), E_POINTER);
    EXPECT_EQ(dmo_->GetOutputSizeInfo(0, &size, &alignment), TypeNotSet);

    MediaType type(extensibleFormat(24, 20, 2));  // 6-byte blocks; sample size field 6
    type.type.lSampleSize = 1234;                 // reported as given, not recomputed
    ASSERT_EQ(dmo_->SetInputType(0, &type.type, 0), S_OK);
    ASSERT_EQ(dmo_->SetOutputType(0, &type.type, 0), S_OK);
    EXPECT_EQ(dmo_->GetInputSizeInfo(0, &size, &lookahead, &alignment), S_OK);
    EXPECT_EQ(size, 1234u);
    EXPECT_EQ(lookahead, 0u);
    EXPECT_EQ(alignment, 6u);
    size = alignment = Sentinel;
    EXPECT_EQ(dmo_->GetOutputSizeInfo(0, &size, &alignment), S_OK);
    EXPECT_EQ(size, 1234u);
    EXPECT_EQ(alignment, 6u);
    REFERENCE_TIME latency = 0;
    EXPECT_EQ(dmo_->GetInputMaxLatency(0, &latency), E_NOTIMPL);
    EXPECT_EQ(dmo_->SetInputMaxLatency(0, 10), E_NOTIMPL);
}

TEST_F(DspConformance, InputOutputLimitsAndInputStatus) {
    auto* buffer = new MediaBuffer(64);
    buffer->SetLength(64);
    DWORD status = Sentinel;
    EXPECT_EQ(dmo_->ProcessInput(1, buffer, 0, 0, 0), InvalidStreamIndex);
    EXPECT_EQ(dmo_->ProcessInput(0, nullptr, 0, 0, 0), E_POINTER);
    EXPECT_EQ(dmo_->ProcessInput(0, buffer, 0, 0, 0), TypeNotSet);
    EXPECT_EQ(dmo_->GetInputStatus(1, &status), InvalidStreamIndex);
    EXPECT_EQ(dmo_->GetInputStatus(0, nullptr), E_POINTER);
    EXPECT_EQ(dmo_->GetInputStatus(0, &status), S_OK);
    EXPECT_EQ(status, static_cast<DWORD>(DMO_INPUT_STATUSF_ACCEPT_DATA));

    DMO_OUTPUT_DATA_BUFFER out{};
    out.pBuffer = new MediaBuffer(64);
    out.dwStatus = Sentinel;
    status = Sentinel;
    EXPECT_EQ(dmo_->ProcessOutput(0, 1, nullptr, &status), E_POINTER);
    EXPECT_EQ(dmo_->ProcessOutput(0, 2, &out, &status), E_INVALIDARG);
    EXPECT_EQ(dmo_->ProcessOutput(0, 1, &out, &status), TypeNotSet);

    MediaType type(pcmFormat(16));
    ASSERT_EQ(dmo_->SetInputType(0, &type.type, 0), S_OK);
    ASSERT_EQ(dmo_->SetOutputType(0, &type.type, 0), S_OK);
    out.pBuffer->SetLength(10);
    EXPECT_EQ(dmo_->ProcessOutput(0, 1, &out, &status), S_FALSE) << "nothing held";
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(out.dwStatus, 0u);
    DWORD length = Sentinel;
    out.pBuffer->GetBufferAndLength(nullptr, &length);
    EXPECT_EQ(length, 0u);

    ASSERT_EQ(dmo_->ProcessInput(0, buffer, 0, 0, 0), S_OK);
    EXPECT_EQ(buffer->references(), 2) << "the DMO holds the input buffer";
    EXPECT_EQ(dmo_->GetInputStatus(0, &status), S_OK);
    EXPECT_EQ(status, 0u);
    DMO_OUTPUT_DATA_BUFFER noBuffer{};
    noBuffer.dwStatus = Sentinel;
    EXPECT_EQ(dmo_->ProcessOutput(0, 1, &noBuffer, nullptr), S_FALSE) << "no output buffer";
    EXPECT_EQ(noBuffer.dwStatus, 0u);
    for (auto release : {&IMediaObject::Flush, &IMediaObject::FreeStreamingResources}) {
        ASSERT_EQ(dmo_->ProcessInput(0, buffer, 0, 0, 0), S_OK);
        EXPECT_EQ((dmo_->*release)(), S_OK);
        EXPECT_EQ(buffer->references(), 1);
        EXPECT_EQ(dmo_->GetInputStatus(0, &status), S_OK);
        EXPECT_EQ(status, static_cast<DWORD>(DMO_INPUT_STATUSF_ACCEPT_DATA));
    }
    EXPECT_EQ(dmo_->Discontinuity(1), InvalidStreamIndex);
    EXPECT_EQ(dmo_->Discontinuity(0), S_OK);
    EXPECT_EQ(dmo_->AllocateStreamingResources(), S_OK);
    EXPECT_EQ(dmo_->Lock(TRUE), S_OK);
    EXPECT_EQ(dmo_->Lock(FALSE), S_OK);
    EXPECT_EQ(out.pBuffer->Release(), 0u);
    EXPECT_EQ(buffer->Release(), 0u);
}

TEST_F(DspConformance, EnableScaleAndPropertyPages) {
    IWMPPluginEnable* enable = nullptr;
    ASSERT_EQ(dmo_->QueryInterface(__uuidof(IWMPPluginEnable), reinterpret_cast<void**>(&enable)), S_OK);
    BOOL on = static_cast<BOOL>(Sentinel);
    EXPECT_EQ(enable->GetEnable(nullptr), E_POINTER);
    EXPECT_EQ(enable->GetEnable(&on), S_OK);
    EXPECT_EQ(on, TRUE);
    EXPECT_EQ(enable->SetEnable(FALSE), S_OK);
    EXPECT_EQ(enable->GetEnable(&on), S_OK);
    EXPECT_EQ(on, FALSE);
    enable->Release();

    IDspScaleControl* scale = nullptr;
    ASSERT_EQ(dmo_->QueryInterface(__uuidof(IDspScaleControl), reinterpret_cast<void**>(&scale)), S_OK);
    double value = -1.0;
    EXPECT_EQ(scale->GetScale(nullptr), E_POINTER);
    EXPECT_EQ(scale->GetScale(&value), S_OK);
    EXPECT_EQ(value, 0.0);
    EXPECT_EQ(scale->PutScale(2.75), S_OK);
    EXPECT_EQ(scale->GetScale(&value), S_OK);
    EXPECT_EQ(value, 2.75);
    scale->Release();

    ISpecifyPropertyPages* specify = nullptr;
    ASSERT_EQ(dmo_->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(&specify)), S_OK);
    CAUUID pages{Sentinel, nullptr};
    EXPECT_EQ(specify->GetPages(nullptr), E_POINTER);
    ASSERT_EQ(specify->GetPages(&pages), S_OK);
    ASSERT_EQ(pages.cElems, 1u);
    EXPECT_EQ(pages.pElems[0], PageClsid);
    CoTaskMemFree(pages.pElems);
    specify->Release();
}

// DllCanUnloadNow follows the live objects and the class factories' locks.
TEST(DspModule, CanUnloadNowOnlyWithoutObjectsAndLocks) {
    IMediaObject* dmo = createDsp();
    HMODULE module = dspModule();
    ASSERT_NE(module, nullptr);
    using CanUnload = HRESULT(WINAPI*)();
    using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    auto canUnload = reinterpret_cast<CanUnload>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    auto getClassObject =
        reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    ASSERT_NE(canUnload, nullptr);
    ASSERT_NE(getClassObject, nullptr);
    EXPECT_EQ(canUnload(), S_FALSE) << "an object is alive";
    EXPECT_EQ(dmo->Release(), 0u);
    EXPECT_EQ(canUnload(), S_OK);

    void* factory = reinterpret_cast<void*>(static_cast<std::uintptr_t>(Sentinel));
    const CLSID unknownClass = {0x1, 0x2, 0x3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(getClassObject(unknownClass, IID_IClassFactory, &factory), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(factory, nullptr);
    for (const CLSID& clsid : {DspClsid, PageClsid}) {
        IClassFactory* cf = nullptr;
        ASSERT_EQ(getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&cf)), S_OK);
        IUnknown* object = reinterpret_cast<IUnknown*>(static_cast<std::uintptr_t>(Sentinel));
        EXPECT_EQ(cf->CreateInstance(nullptr, IID_IClassFactory, reinterpret_cast<void**>(&object)), E_NOINTERFACE);
        EXPECT_EQ(object, nullptr);
        EXPECT_EQ(cf->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);
        EXPECT_EQ(cf->LockServer(TRUE), S_OK);
        EXPECT_EQ(cf->Release(), 0u);
        EXPECT_EQ(canUnload(), S_FALSE) << "locked";
        ASSERT_EQ(getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&cf)), S_OK);
        EXPECT_EQ(cf->LockServer(FALSE), S_OK);
        EXPECT_EQ(cf->Release(), 0u);
        EXPECT_EQ(canUnload(), S_OK);
    }
}

// Hosts that build the DMO into a larger object (DirectShow's DMO wrapper filter) aggregate it.
class DspAggregation : public testing::TestWithParam<com_support::test::AggregationRow> {};

TEST_P(DspAggregation, InnerUnknownAndDelegatingInterfaces) {
    com_support::test::expectAggregatable(GetParam(), L"TevaroPlayerDSP.dll");
}

INSTANTIATE_TEST_SUITE_P(
    EveryInterface, DspAggregation,
    testing::Values(
        com_support::test::AggregationRow{"DspPlugin_IMediaObject", DspClsid, IID_IMediaObject},
        com_support::test::AggregationRow{
            "DspPlugin_IDspScaleControl",
            DspClsid,
            {0x532a1eda, 0xe5b9, 0x479a, {0x88, 0x10, 0xb3, 0x22, 0x04, 0x91, 0x79, 0x98}}},
        com_support::test::AggregationRow{
            "DspPlugin_IWMPPluginEnable",
            DspClsid,
            {0x5fca444c, 0x7ad1, 0x479d, {0xa4, 0xef, 0x40, 0x56, 0x6a, 0x53, 0x09, 0xd6}}},
        com_support::test::AggregationRow{"DspPlugin_ISpecifyPropertyPages", DspClsid, IID_ISpecifyPropertyPages},
        com_support::test::AggregationRow{"DspPluginPropertyPage_IPropertyPage", PageClsid, IID_IPropertyPage}),
    [](const testing::TestParamInfo<com_support::test::AggregationRow>& info) { return info.param.name; });

}  // namespace
}  // namespace tevaro::plugin::test
