// Streaming through the registered DLL as the player does: INCOMPLETE with small output buffers
// and advancing time stamps, partial blocks, pass-through of 8/24/32-bit audio, the disabled
// plug-in, and no write past an output buffer's maximum length whatever the format.
#include <algorithm>
#include <cstring>

#include "dsp_test_support.h"
#include "host_sim/dsp_host.h"
#include "host_sim/panel_writes.h"
#include "settings_link/settings_word.h"

namespace tevaro::plugin::test {
namespace {

using host_sim::MediaBuffer;

constexpr std::uint32_t MovieMaxOn = FlagMovie | FlagQualityMax | FlagSurroundOn;

// An IMediaBuffer whose storage reaches past its maximum length; the tail is a guard zone.
class GuardedBuffer final : public IMediaBuffer {
public:
    static constexpr DWORD guardBytes = 64;
    explicit GuardedBuffer(DWORD max) : max_(max), bytes_(max + guardBytes, 0xA5) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs_; }  // lives on the test's stack
    HRESULT STDMETHODCALLTYPE SetLength(DWORD length) override {
        if (length > max_) return E_INVALIDARG;
        length_ = length;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetMaxLength(DWORD* max) override { return *max = max_, S_OK; }
    HRESULT STDMETHODCALLTYPE GetBufferAndLength(BYTE** data, DWORD* length) override {
        if (data) *data = bytes_.data();
        if (length) *length = length_;
        return S_OK;
    }
    bool guardIntact() const {
        for (DWORD i = max_; i < bytes_.size(); ++i)
            if (bytes_[i] != 0xA5) return false;
        return true;
    }
    DWORD length() const { return length_; }
    const std::uint8_t* data() const { return bytes_.data(); }

private:
    DWORD max_;
    DWORD length_ = 0;
    ULONG refs_ = 1;
    std::vector<std::uint8_t> bytes_;
};

// Every test starts with the panel's block in a known state and keeps it alive while it runs.
class DspStreaming : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(panel_.start(0, false));
        ASSERT_TRUE(panel_.write(0, 0));
    }
    IMediaObject* streamingDsp(const host_sim::WavFile& format) {
        IMediaObject* dmo = createDsp();
        MediaType type(format);
        EXPECT_EQ(dmo->SetInputType(0, &type.type, 0), S_OK);
        EXPECT_EQ(dmo->SetOutputType(0, &type.type, 0), S_OK);
        return dmo;
    }
    host_sim::PanelWrites panel_;
};

TEST_F(DspStreaming, SmallOutputBuffersGetIncompletePartsWithAdvancingTimeStamps) {
    IMediaObject* dmo = streamingDsp(pcmFormat(16));  // 176400 bytes per second
    const auto audio = noiseBytes(4000, 1);
    auto* in = new MediaBuffer(4000);
    std::memcpy(in->data(), audio.data(), 4000);
    in->SetLength(4000);
    ASSERT_EQ(dmo->ProcessInput(0, in, DMO_INPUT_DATA_BUFFERF_TIME, 12345, 0), S_OK);

    struct Part {
        HRESULT result;
        DWORD length;
        DWORD status;
        REFERENCE_TIME stamp, duration;
    };
    const DWORD timed = DMO_OUTPUT_DATA_BUFFERF_TIME | DMO_OUTPUT_DATA_BUFFERF_TIMELENGTH;
    const REFERENCE_TIME part = MulDiv(1500, 10'000'000, 176400);  // 85034
    const Part expected[] = {
        {S_OK, 1500, timed | DMO_OUTPUT_DATA_BUFFERF_INCOMPLETE, 12345, part},
        {S_OK, 1500, timed | DMO_OUTPUT_DATA_BUFFERF_INCOMPLETE, 12345 + part, part},
        {S_OK, 1000, timed, 12345 + 2 * part, MulDiv(1000, 10'000'000, 176400)},
        {S_FALSE, 0, 0, -1, -1},
    };
    auto* out = new MediaBuffer(1500);
    std::vector<std::uint8_t> produced;
    for (const Part& e : expected) {
        DMO_OUTPUT_DATA_BUFFER buffer{out, Sentinel, -1, -1};
        DWORD status = Sentinel;
        EXPECT_EQ(dmo->ProcessOutput(0, 1, &buffer, &status), e.result);
        EXPECT_EQ(status, 0u);
        EXPECT_EQ(out->length(), e.length);
        EXPECT_EQ(buffer.dwStatus, e.status);
        EXPECT_EQ(buffer.rtTimestamp, e.stamp);
        EXPECT_EQ(buffer.rtTimelength, e.duration);
        produced.insert(produced.end(), out->data(), out->data() + out->length());
    }
    EXPECT_EQ(produced, audio) << "no panel settings: 16-bit audio passes through";
    EXPECT_EQ(in->references(), 1) << "the complete buffer was released";
    EXPECT_EQ(in->Release(), 0u);
    EXPECT_EQ(out->Release(), 0u);
    EXPECT_EQ(dmo->Release(), 0u);
}

// Whole blocks only: a held length that is no multiple of the block loses its tail once complete.
TEST_F(DspStreaming, PartialBlocksAreDroppedAndNeverWritten) {
    struct Row {
        const char* name;
        host_sim::WavFile format;
        DWORD held, outMax;
        std::vector<DWORD> lengths;  // per ProcessOutput until S_FALSE
    };
    const Row rows[] = {
        {"16_stereo_one_call", pcmFormat(16), 4003, 8192, {4000}},
        {"16_stereo_odd_output", pcmFormat(16), 4003, 1002, {1000, 1000, 1000, 1000, 0}},
        {"24_stereo", extensibleFormat(24, 24), 605, 100, {96, 96, 96, 96, 96, 96, 24}},
        {"32_mono", extensibleFormat(32, 32, 1), 10, 7, {4, 4}},
        {"8_mono", pcmFormat(8, 1), 5, 3, {3, 2}},
        {"16_six_channels", pcmFormat(16, 6), 50, 30, {24, 24}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        IMediaObject* dmo = streamingDsp(row.format);
        const auto audio = noiseBytes(row.held, 7);
        auto* in = new MediaBuffer(row.held);
        std::memcpy(in->data(), audio.data(), row.held);
        in->SetLength(row.held);
        ASSERT_EQ(dmo->ProcessInput(0, in, 0, 0, 0), S_OK);
        std::size_t consumed = 0;
        for (DWORD expectedLength : row.lengths) {
            GuardedBuffer out(row.outMax);
            DMO_OUTPUT_DATA_BUFFER buffer{&out, 0, 0, 0};
            ASSERT_EQ(dmo->ProcessOutput(0, 1, &buffer, nullptr), S_OK);
            EXPECT_EQ(out.length(), expectedLength);
            EXPECT_TRUE(out.guardIntact());
            EXPECT_EQ(std::memcmp(out.data(), audio.data() + consumed, out.length()), 0);
            consumed += expectedLength;  // the DMO moves on by what it produced
        }
        GuardedBuffer last(row.outMax);
        DMO_OUTPUT_DATA_BUFFER buffer{&last, 0, 0, 0};
        EXPECT_EQ(dmo->ProcessOutput(0, 1, &buffer, nullptr), S_FALSE);
        EXPECT_EQ(in->Release(), 0u);
        EXPECT_EQ(dmo->Release(), 0u);
    }
}

// The panel asks for Movie at Max, and still nothing but 16-bit audio is touched.
TEST_F(DspStreaming, EightTwentyFourAndThirtyTwoBitStreamsComeOutBitIdentical) {
    ASSERT_TRUE(panel_.start(MovieMaxOn));
    const host_sim::WavFile formats[] = {pcmFormat(8),
                                         pcmFormat(8, 1),
                                         extensibleFormat(8, 8),
                                         extensibleFormat(24, 24),
                                         extensibleFormat(24, 20, 1),
                                         extensibleFormat(32, 32),
                                         extensibleFormat(32, 24, 6)};
    for (host_sim::WavFile format : formats) {
        SCOPED_TRACE(testing::Message() << format.bitsPerSample << " bits, " << format.channels << " channels");
        format.data = noiseBytes(format.blockAlign() * 20000u, format.bitsPerSample);
        IMediaObject* dmo = createDsp();
        host_sim::WavFile out;
        host_sim::StreamOptions options;
        options.inputBytes = format.blockAlign() * 1000u;
        options.outputBytes = format.blockAlign() * 333u;
        options.seekEveryBytes = options.inputBytes * 7;
        const host_sim::StreamReport report = host_sim::streamThrough(dmo, format, out, options);
        EXPECT_EQ(report.result, S_OK);
        EXPECT_GT(report.incompleteCalls, 0u);
        EXPECT_TRUE(report.timestampsContinuous);
        EXPECT_TRUE(out.data == format.data);
        EXPECT_EQ(dmo->Release(), 0u);
    }
}

TEST_F(DspStreaming, DisabledPluginPassesSixteenBitAudioEvenWhenMuted) {
    ASSERT_TRUE(panel_.start(MovieMaxOn, /*mute=*/true));
    host_sim::WavFile format = pcmFormat(16);
    format.data = noiseBytes(4u * 44100, 3);
    for (bool enabled : {true, false}) {
        SCOPED_TRACE(enabled ? "enabled" : "disabled");
        IMediaObject* dmo = createDsp();
        IWMPPluginEnable* enable = nullptr;
        ASSERT_EQ(dmo->QueryInterface(__uuidof(IWMPPluginEnable), reinterpret_cast<void**>(&enable)), S_OK);
        enable->SetEnable(enabled ? TRUE : FALSE);
        enable->Release();
        // The mute state is read at the first refresh: let one refresh interval of tick time pass.
        const DWORD created = GetTickCount();
        while (GetTickCount() - created < 500) Sleep(10);
        host_sim::WavFile out;
        host_sim::StreamOptions options;
        ASSERT_EQ(host_sim::streamThrough(dmo, format, out, options).result, S_OK);
        ASSERT_EQ(out.data.size(), format.data.size());
        if (enabled)
            EXPECT_EQ(std::count(out.data.begin(), out.data.end(), 0), static_cast<long>(out.data.size()));
        else
            EXPECT_TRUE(out.data == format.data);
        EXPECT_EQ(dmo->Release(), 0u);
    }
}

}  // namespace
}  // namespace tevaro::plugin::test
