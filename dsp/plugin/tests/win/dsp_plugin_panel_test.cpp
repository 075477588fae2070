// The settings link across processes with the real DLL: a second process writes the block as the
// panel does, and the DSP hosted here follows the switch, the word and mute within one refresh
// (500 ms of tick time). A reference DspChain built into this test reads the same block, so every
// output buffer of the DLL is compared byte for byte with it.
//
// The DLL reads the tick itself, somewhere between the test's reads before and after
// ProcessOutput, and a preempted test can be many milliseconds late on either side. So the test
// keeps the range of ticks the DLL's last refresh can have happened at; where a buffer's two reads
// do not decide whether the DLL refreshed, the reference (a plain value) is copied and both
// outcomes are run, and the DLL's output says which one happened.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dsp/engine/dsp_chain.h"
#include "dsp/engine/offline/programmes.h"
#include "dsp_test_support.h"
#include "host_sim/panel_writes.h"
#include "settings_link/settings_word.h"

namespace tevaro::plugin::test {
namespace {

using host_sim::MediaBuffer;
using S = SettingsBlock;

constexpr std::size_t BufferFrames = 2205;  // 50 ms at 44.1 kHz
constexpr DWORD RefreshMs = 500;

enum class Expect { passThrough, processed, silent };

// The ticks the DLL's last refresh (or its creation) can have read: earliest..latest.
struct RefreshWindow {
    DWORD earliest;
    DWORD latest;

    // For a buffer whose tick the DLL read between `before` and `after` (unsigned differences,
    // as the DLL computes them, so the wrap of the tick counter is harmless).
    bool mustRefresh(DWORD before) const { return before - latest >= RefreshMs; }
    bool mayRefresh(DWORD after) const { return after - earliest >= RefreshMs; }
    // It refreshed at its tick t, with before <= t <= after and t - last >= 500.
    RefreshWindow refreshed(DWORD before, DWORD after) const { return {std::max(before, earliest + RefreshMs), after}; }
    // It did not: its tick t >= before was less than 500 ms after its last refresh.
    RefreshWindow kept(DWORD before) const { return {std::max(earliest, before - RefreshMs + 1), latest}; }
};

// Child role: the panel process. "--panel-write SLOT VALUE ..." stores each pair under the mutex.
int runPanelChild(int argc, char** argv) {
    host_sim::PanelWrites panel;
    for (int i = 2; i + 1 < argc; i += 2)
        if (!panel.write(std::atoi(argv[i]), static_cast<std::int32_t>(std::strtol(argv[i + 1], nullptr, 0))))
            return 11;
    return 0;
}

class PanelFollowing : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(own_.start(0));
        ASSERT_TRUE(own_.write(S::panelReady, 0));
        ASSERT_TRUE(readLink_.open());
        programme_ = dsp::demoProgramme(BufferFrames * 40);

        reference_ = std::make_unique<dsp::DspChain>();
        candidate_ = std::make_unique<dsp::DspChain>();
        // The DLL starts its refresh clock inside creation.
        const DWORD before = GetTickCount();
        dmo_ = createDsp();
        ASSERT_NE(dmo_, nullptr);
        dllRefresh_ = {before, GetTickCount()};
        reference_->create(&readSlot, &readLink_, referenceClock_);
        MediaType type(pcmFormat(16));
        ASSERT_EQ(dmo_->SetInputType(0, &type.type, 0), S_OK);
        ASSERT_EQ(dmo_->SetOutputType(0, &type.type, 0), S_OK);
        in_ = new MediaBuffer(BufferFrames * 4);
        out_ = new MediaBuffer(BufferFrames * 4);
    }
    void TearDown() override {
        for (IUnknown* object :
             {static_cast<IUnknown*>(in_), static_cast<IUnknown*>(out_), static_cast<IUnknown*>(dmo_)}) {
            if (object != nullptr) {
                EXPECT_EQ(object->Release(), 0u);
            }
        }
    }

    static std::int32_t readSlot(void* link, int slot) { return static_cast<SettingsLink*>(link)->readSlot(slot); }

    // Starts this executable as the panel process and waits for it to finish its writes.
    void panelWrites(const std::string& pairs) {
        wchar_t exe[MAX_PATH];
        GetModuleFileNameW(nullptr, exe, MAX_PATH);
        std::wstring cmd = L"\"" + std::wstring(exe) + L"\" --panel-write " + std::wstring(pairs.begin(), pairs.end());
        STARTUPINFOW si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(CreateProcessW(exe, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
        ASSERT_EQ(WaitForSingleObject(pi.hProcess, 30000), WAIT_OBJECT_0);
        DWORD code = 1;
        GetExitCodeProcess(pi.hProcess, &code);
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
        ASSERT_EQ(code, 0u);
    }

    // The reference runs on a clock of its own that moves only when the test decides the DLL
    // refreshed, so the reference refreshes exactly then.
    void runReference(dsp::DspChain& chain, bool refresh, const std::int16_t* input, std::int16_t* output) {
        const DWORD clock = referenceClock_ + (refresh ? RefreshMs : 0);
        chain.process16(input, output, BufferFrames * 2, 2, clock);
    }

    // The DLL's buffer against the reference: decided by the two tick reads where they can, else
    // against both outcomes, keeping the one (or, where they agree, both) the DLL produced.
    void compareWithReference(const std::int16_t* input, const std::int16_t* got, DWORD before, DWORD after) {
        std::vector<std::int16_t> expected(BufferFrames * 2), alternative(BufferFrames * 2);
        const auto matches = [&](const std::vector<std::int16_t>& v) {
            return std::memcmp(got, v.data(), BufferFrames * 4) == 0;
        };
        if (dllRefresh_.mustRefresh(before) || !dllRefresh_.mayRefresh(after)) {
            const bool refresh = dllRefresh_.mustRefresh(before);
            runReference(*reference_, refresh, input, expected.data());
            ASSERT_TRUE(matches(expected)) << "buffer " << next_ << (refresh ? ", refreshed" : ", not refreshed");
            if (refresh) {
                referenceClock_ += RefreshMs;
                dllRefresh_ = dllRefresh_.refreshed(before, after);
            }
            return;
        }
        *candidate_ = *reference_;
        runReference(*reference_, false, input, expected.data());
        runReference(*candidate_, true, input, alternative.data());
        const bool kept = matches(expected), refreshed = matches(alternative);
        ASSERT_TRUE(kept || refreshed) << "buffer " << next_ << " matches neither outcome of a refresh boundary";
        if (kept && refreshed) {
            // A refresh that reads what the chain already holds changes nothing else, so the two
            // chains are the same and only the window of the DLL's last refresh widens.
            ASSERT_EQ(candidate_->surroundOn(), reference_->surroundOn());
            ASSERT_EQ(candidate_->settingsWord(), reference_->settingsWord());
            ASSERT_EQ(candidate_->mute(), reference_->mute());
        }
        if (refreshed) {
            std::swap(reference_, candidate_);
            referenceClock_ += RefreshMs;
            dllRefresh_ =
                kept ? RefreshWindow{dllRefresh_.kept(before).earliest, after} : dllRefresh_.refreshed(before, after);
        } else {
            dllRefresh_ = dllRefresh_.kept(before);
        }
    }

    // Streams buffers until 600 ms of tick time have passed since `since`; every buffer must equal
    // the reference, and every buffer from `since` + 500 ms on must show `expect`.
    void streamAndCheck(Expect expect, const char* phase) {
        SCOPED_TRACE(phase);
        const DWORD since = GetTickCount();
        int checked = 0;
        for (DWORD tick = since; tick - since < RefreshMs + 100; Sleep(10)) {
            const std::int16_t* input = programme_.data() + (next_++ % 40) * BufferFrames * 2;
            std::memcpy(in_->data(), input, BufferFrames * 4);
            in_->SetLength(BufferFrames * 4);
            ASSERT_EQ(dmo_->ProcessInput(0, in_, 0, 0, 0), S_OK);
            DMO_OUTPUT_DATA_BUFFER buffer{out_, 0, 0, 0};
            tick = GetTickCount();
            ASSERT_EQ(dmo_->ProcessOutput(0, 1, &buffer, nullptr), S_OK);
            const DWORD after = GetTickCount();
            ASSERT_EQ(out_->length(), BufferFrames * 4);
            const auto* got = reinterpret_cast<const std::int16_t*>(out_->data());
            ASSERT_NO_FATAL_FAILURE(compareWithReference(input, got, tick, after));
            if (tick - since < RefreshMs) continue;
            ++checked;
            const bool same = std::memcmp(got, input, BufferFrames * 4) == 0;
            const bool silent = std::all_of(got, got + BufferFrames * 2, [](std::int16_t s) { return s == 0; });
            switch (expect) {
                case Expect::passThrough:
                    EXPECT_TRUE(same);
                    break;
                case Expect::processed:
                    EXPECT_TRUE(!same && !silent);
                    break;
                case Expect::silent:
                    EXPECT_TRUE(silent);
                    break;
            }
        }
        EXPECT_GT(checked, 0);
    }

    host_sim::PanelWrites own_;  // keeps the block alive between the panel processes
    SettingsLink readLink_;
    dsp::Programme programme_;
    IMediaObject* dmo_ = nullptr;
    std::unique_ptr<dsp::DspChain> reference_;
    std::unique_ptr<dsp::DspChain> candidate_;  // the other outcome at an undecided boundary
    DWORD referenceClock_ = 0;
    RefreshWindow dllRefresh_{};
    MediaBuffer* in_ = nullptr;
    MediaBuffer* out_ = nullptr;
    std::size_t next_ = 0;
};

std::string pairs(std::initializer_list<std::pair<int, std::uint32_t>> writes) {
    std::string text;
    for (auto [slot, value] : writes) text += std::to_string(slot) + " " + std::to_string(value) + " ";
    return text;
}

TEST_F(PanelFollowing, PassesThroughUntilPanelReadyThenFollowsSwitchWordAndMute) {
    streamAndCheck(Expect::passThrough, "no panel yet");
    const std::uint32_t movieMax = FlagMovie | FlagQualityMax | FlagSurroundOn;
    const std::uint32_t classicMin = FlagClassic | FlagQualityMin | FlagSurroundOn;
    const std::uint32_t rockMid = FlagRockPop | FlagQualityMid | FlagSurroundOn;
    panelWrites(pairs({{S::mute, 0}, {S::panelReady, 1}, {S::surroundOn, 1}, {S::settingsWord, movieMax}}));
    streamAndCheck(Expect::processed, "panel started with Movie at Max");
    panelWrites(pairs({{S::settingsWord, classicMin}}));
    streamAndCheck(Expect::processed, "Classic at Min");
    panelWrites(pairs({{S::mute, 1}}));
    streamAndCheck(Expect::silent, "muted");
    panelWrites(pairs({{S::mute, 0}, {S::surroundOn, 0}}));
    streamAndCheck(Expect::passThrough, "switched off");
    panelWrites(pairs({{S::surroundOn, 1}, {S::settingsWord, rockMid}}));
    streamAndCheck(Expect::processed, "switched on with Rock/Pop at Mid");
    panelWrites(pairs({{S::panelReady, 0}}));
    streamAndCheck(Expect::passThrough, "panel gone");
}

}  // namespace
}  // namespace tevaro::plugin::test

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--panel-write") == 0) return tevaro::plugin::test::runPanelChild(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    testing::AddGlobalTestEnvironment(new tevaro::plugin::test::ComEnvironment);
    return RUN_ALL_TESTS();
}
