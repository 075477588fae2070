// The Windows backend with two real processes under the same Wine server: this executable
// re-launches itself as the second process (the panel, or a writer that holds or abandons the
// mutex) through the role given on its command line.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "settings_link/settings_link.h"

namespace tevaro {
namespace {

using Clock = std::chrono::steady_clock;

std::string uniqueBase() {
    static int counter = 0;
    return "TevaroTest" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
}

// Child roles, run from main() before GoogleTest.
int runChild(char** argv) {
    const std::string role = argv[1];
    const std::string mapping = argv[2], mutex = argv[3], readyEvent = argv[4];
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, readyEvent.c_str());
    if (ready == nullptr) return 20;
    if (role == "--panel") {
        const int count = std::atoi(argv[5]);
        SettingsLink link(mapping, mutex);
        if (!link.open()) return 10;
        SetEvent(ready);
        for (int v = 1; v <= count; ++v)
            if (link.writeSlot(SettingsBlock::settingsWord, v) != SlotWriteResult::stored) return 11;
        return link.writeSlot(SettingsBlock::panelReady, 1) == SlotWriteResult::stored ? 0 : 12;
    }
    HANDLE m = CreateMutexA(nullptr, FALSE, mutex.c_str());
    if (m == nullptr || WaitForSingleObject(m, 1000) != WAIT_OBJECT_0) return 13;
    SetEvent(ready);
    if (role == "--hold") {
        // Holds the mutex until the parent's write under test has returned, however long that
        // takes on a loaded machine; the deadline only keeps an orphan from outliving the case.
        HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[5]);
        const bool released = release != nullptr && WaitForSingleObject(release, 60000) == WAIT_OBJECT_0;
        ReleaseMutex(m);
        return released ? 0 : 14;
    }
    if (role == "--die") ExitProcess(7);  // still owning the mutex
    return 30;
}

class WinSettingsLink : public testing::Test {
protected:
    void SetUp() override {
        const std::string base = uniqueBase();
        mapping_ = base + "_Map";
        mutex_ = base + "_Mutex";
        readyName_ = base + "_Ready";
        ready_ = CreateEventA(nullptr, TRUE, FALSE, readyName_.c_str());
        ASSERT_NE(ready_, nullptr);
    }
    void TearDown() override { CloseHandle(ready_); }

    HANDLE launch(const std::string& role, const std::string& extra = "") {
        char exe[MAX_PATH];
        GetModuleFileNameA(nullptr, exe, MAX_PATH);
        std::string cmd =
            "\"" + std::string(exe) + "\" " + role + " " + mapping_ + " " + mutex_ + " " + readyName_ + " " + extra;
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        if (!CreateProcessA(exe, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return nullptr;
        CloseHandle(pi.hThread);
        return pi.hProcess;
    }
    // The ready event, or the child's end if it dies first (a child that signalled and then
    // ended still counts as ready: the event is manual-reset and the lower index wins).
    bool awaitReady(HANDLE child) {
        const HANDLE either[] = {ready_, child};
        return WaitForMultipleObjects(2, either, FALSE, 60000) == WAIT_OBJECT_0;
    }
    static DWORD finish(HANDLE process) {
        WaitForSingleObject(process, 30000);
        DWORD code = 999;
        GetExitCodeProcess(process, &code);
        CloseHandle(process);
        return code;
    }

    std::string mapping_, mutex_, readyName_;
    HANDLE ready_ = nullptr;
};

TEST_F(WinSettingsLink, ProductNamesOpenTheBlock) {
    SettingsLink link;
    ASSERT_TRUE(link.open());
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, "TarnwiseMappingObject");
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "TarnwiseMutex");
    EXPECT_NE(mapping, nullptr);
    EXPECT_NE(mutex, nullptr);
    CloseHandle(mapping);
    CloseHandle(mutex);
}

TEST_F(WinSettingsLink, BlockFirstCreatedByTheReaderIsAllZero) {
    SettingsLink reader(mapping_, mutex_);
    ASSERT_TRUE(reader.open());
    for (int k = 0; k < SettingsBlock::slotCount; ++k) EXPECT_EQ(reader.readSlot(k), 0) << "slot " << k;
}

TEST_F(WinSettingsLink, UnavailableBlockReadsZeroAndDropsWrites) {
    // A mutex name already taken by a mapping cannot be created: the block is unavailable.
    HANDLE squatter = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 16, mutex_.c_str());
    ASSERT_NE(squatter, nullptr);
    SettingsLink link(mapping_, mutex_);
    EXPECT_FALSE(link.open());
    EXPECT_EQ(link.writeSlot(SettingsBlock::settingsWord, 0x428), SlotWriteResult::unavailable);
    EXPECT_EQ(link.readSlot(SettingsBlock::settingsWord), 0);
    CloseHandle(squatter);
}

TEST_F(WinSettingsLink, ReaderSeesEveryWriteOfAnotherProcessInOrder) {
    SettingsLink dsp(mapping_, mutex_);
    ASSERT_TRUE(dsp.open());
    constexpr int lastValue = 5000;
    HANDLE panel = launch("--panel", std::to_string(lastValue));
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(awaitReady(panel));
    int previous = 0;
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    while (dsp.readSlot(SettingsBlock::panelReady) == 0 && Clock::now() < deadline) {
        const int v = dsp.readSlot(SettingsBlock::settingsWord);
        ASSERT_GE(v, previous);
        ASSERT_LE(v, lastValue);
        previous = v;
    }
    EXPECT_EQ(finish(panel), 0u);
    EXPECT_EQ(dsp.readSlot(SettingsBlock::settingsWord), lastValue);
}

TEST_F(WinSettingsLink, WriterBlockedLongerThanFiveSecondsDropsItsValue) {
    SettingsLink dsp(mapping_, mutex_);
    ASSERT_TRUE(dsp.open());
    const std::string releaseName = mapping_ + "_Release";
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, releaseName.c_str());
    ASSERT_NE(release, nullptr);
    HANDLE holder = launch("--hold", releaseName);
    ASSERT_NE(holder, nullptr);
    ASSERT_TRUE(awaitReady(holder));
    const auto start = Clock::now();
    EXPECT_EQ(dsp.writeSlot(SettingsBlock::surroundOn, 1), SlotWriteResult::timedOut);
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    SetEvent(release);
    EXPECT_GE(waited, 4990);
    EXPECT_LT(waited, 15000) << "the write waited far beyond its 5000 ms";
    EXPECT_EQ(dsp.readSlot(SettingsBlock::surroundOn), 0);
    EXPECT_EQ(finish(holder), 0u);
    CloseHandle(release);
    EXPECT_EQ(dsp.writeSlot(SettingsBlock::surroundOn, 1), SlotWriteResult::stored);
    EXPECT_EQ(dsp.readSlot(SettingsBlock::surroundOn), 1);
}

TEST_F(WinSettingsLink, OwnerDyingWithTheMutexMakesTheNextWriteAbandonedThenWritesWork) {
    SettingsLink panel(mapping_, mutex_);
    ASSERT_TRUE(panel.open());
    HANDLE dying = launch("--die");
    ASSERT_NE(dying, nullptr);
    ASSERT_TRUE(awaitReady(dying));
    EXPECT_EQ(finish(dying), 7u);
    EXPECT_EQ(panel.writeSlot(SettingsBlock::mute, 1), SlotWriteResult::abandoned);
    EXPECT_EQ(panel.readSlot(SettingsBlock::mute), 0);
    EXPECT_EQ(panel.writeSlot(SettingsBlock::mute, 1), SlotWriteResult::stored);
    EXPECT_EQ(panel.readSlot(SettingsBlock::mute), 1);
}

}  // namespace
}  // namespace tevaro

int main(int argc, char** argv) {
    if (argc >= 5 && std::strncmp(argv[1], "--", 2) == 0 && std::strncmp(argv[1], "--gtest", 7) != 0)
        return tevaro::runChild(argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
