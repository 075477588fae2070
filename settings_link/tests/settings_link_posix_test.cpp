// Two real processes on one settings block: the parent plays the DSP (reads without the lock),
// a forked child plays the panel or a misbehaving writer.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "settings_link/posix/shared_lock.h"
#include "settings_link/settings_link.h"

namespace tevaro {
namespace {

using Clock = std::chrono::steady_clock;

class PosixSettingsLink : public testing::Test {
protected:
    void SetUp() override {
        static int counter = 0;
        const std::string base = "tevaro-test-" + std::to_string(getpid()) + "-" + std::to_string(++counter);
        mappingName_ = base + "-map";
        mutexName_ = base + "-mutex";
        ASSERT_EQ(pipe(ready_), 0);
    }
    void TearDown() override {
        ::close(ready_[0]);
        ::close(ready_[1]);
        shm_unlink(("/" + mappingName_).c_str());
        shm_unlink(("/" + mutexName_).c_str());
    }

    // Runs `child` in a forked process; returns its pid. The child signals readiness on the pipe.
    template <typename F>
    pid_t spawn(F child) {
        const pid_t pid = fork();
        if (pid == 0) {
            const int rc = child();
            _exit(rc);
        }
        return pid;
    }
    void signalReady() { ASSERT_EQ(write(ready_[1], "r", 1), 1); }
    void awaitReady() {
        char c = 0;
        ASSERT_EQ(read(ready_[0], &c, 1), 1);
    }
    static int exitCode(pid_t pid) {
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    SharedLock* mapLock() {
        const int fd = shm_open(("/" + mutexName_).c_str(), O_RDWR, 0600);
        if (fd < 0) return nullptr;
        void* p = mmap(nullptr, sizeof(SharedLock), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        ::close(fd);
        return p == MAP_FAILED ? nullptr : static_cast<SharedLock*>(p);
    }

    std::string mappingName_, mutexName_;
    int ready_[2] = {-1, -1};
};

TEST_F(PosixSettingsLink, BlockFirstCreatedByTheReaderIsAllZero) {
    SettingsLink reader(mappingName_, mutexName_);
    ASSERT_TRUE(reader.open());
    for (int k = 0; k < SettingsBlock::slotCount; ++k) EXPECT_EQ(reader.readSlot(k), 0) << "slot " << k;
}

TEST_F(PosixSettingsLink, UnavailableBlockReadsZeroAndDropsWrites) {
    SettingsLink link(mappingName_, mutexName_);  // never opened
    EXPECT_FALSE(link.available());
    EXPECT_EQ(link.writeSlot(SettingsBlock::settingsWord, 0x428), SlotWriteResult::unavailable);
    EXPECT_EQ(link.readSlot(SettingsBlock::settingsWord), 0);
    SettingsLink bad("no/such/dir/name", mutexName_);  // a name shm_open refuses
    EXPECT_FALSE(bad.open());
    EXPECT_EQ(bad.readSlot(0), 0);
}

TEST_F(PosixSettingsLink, SlotIndexOutsideTheBlockIsRefused) {
    SettingsLink link(mappingName_, mutexName_);
    ASSERT_TRUE(link.open());
    EXPECT_EQ(link.writeSlot(256, 1), SlotWriteResult::failed);
    EXPECT_EQ(link.writeSlot(-1, 1), SlotWriteResult::failed);
    EXPECT_EQ(link.readSlot(256), 0);
}

TEST_F(PosixSettingsLink, ReaderSeesEveryWriteOfAnotherProcessInOrder) {
    SettingsLink dsp(mappingName_, mutexName_);
    ASSERT_TRUE(dsp.open());
    constexpr int lastValue = 200000;  // long enough for the reads to interleave with the writes
    const pid_t panel = spawn([&] {
        SettingsLink link(mappingName_, mutexName_);
        if (!link.open()) return 10;
        signalReady();
        for (int v = 1; v <= lastValue; ++v)
            if (link.writeSlot(SettingsBlock::settingsWord, v) != SlotWriteResult::stored) return 11;
        return link.writeSlot(SettingsBlock::panelReady, 1) == SlotWriteResult::stored ? 0 : 12;
    });
    awaitReady();
    int previous = 0;
    while (dsp.readSlot(SettingsBlock::panelReady) == 0) {
        const int v = dsp.readSlot(SettingsBlock::settingsWord);
        ASSERT_GE(v, previous);
        ASSERT_LE(v, lastValue);
        previous = v;
    }
    EXPECT_EQ(exitCode(panel), 0);
    EXPECT_EQ(dsp.readSlot(SettingsBlock::settingsWord), lastValue);
}

TEST_F(PosixSettingsLink, WriterBlockedLongerThanFiveSecondsDropsItsValue) {
    SettingsLink dsp(mappingName_, mutexName_);
    ASSERT_TRUE(dsp.open());
    const pid_t holder = spawn([&] {
        SharedLock* lock = mapLock();
        if (lock == nullptr || lockShared(*lock, 1000) != SharedLockResult::acquired) return 10;
        signalReady();
        usleep(6500 * 1000);
        pthread_mutex_unlock(&lock->mutex);
        return 0;
    });
    awaitReady();
    const auto start = Clock::now();
    EXPECT_EQ(dsp.writeSlot(SettingsBlock::surroundOn, 1), SlotWriteResult::timedOut);
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    EXPECT_GE(waited, 4990);
    EXPECT_LT(waited, 6400);
    EXPECT_EQ(dsp.readSlot(SettingsBlock::surroundOn), 0);
    EXPECT_EQ(exitCode(holder), 0);
    EXPECT_EQ(dsp.writeSlot(SettingsBlock::surroundOn, 1), SlotWriteResult::stored);
    EXPECT_EQ(dsp.readSlot(SettingsBlock::surroundOn), 1);
}

TEST_F(PosixSettingsLink, OwnerDyingWithTheMutexMakesTheNextWriteAbandonedThenWritesWork) {
    SettingsLink panel(mappingName_, mutexName_);
    ASSERT_TRUE(panel.open());
    const pid_t dying = spawn([&] {
        SharedLock* lock = mapLock();
        if (lock == nullptr || lockShared(*lock, 1000) != SharedLockResult::acquired) return 10;
        return 7;  // exits still holding the mutex
    });
    EXPECT_EQ(exitCode(dying), 7);
    EXPECT_EQ(panel.writeSlot(SettingsBlock::mute, 1), SlotWriteResult::abandoned);
    EXPECT_EQ(panel.readSlot(SettingsBlock::mute), 0);
    EXPECT_EQ(panel.writeSlot(SettingsBlock::mute, 1), SlotWriteResult::stored);
    EXPECT_EQ(panel.readSlot(SettingsBlock::mute), 1);
}

TEST_F(PosixSettingsLink, ContentOutlivesTheWriterWhileTheReaderHoldsTheBlock) {
    SettingsLink dsp(mappingName_, mutexName_);
    ASSERT_TRUE(dsp.open());
    {
        SettingsLink panel(mappingName_, mutexName_);
        ASSERT_TRUE(panel.open());
        ASSERT_EQ(panel.writeSlot(SettingsBlock::settingsWord, 0x428), SlotWriteResult::stored);
    }
    EXPECT_EQ(dsp.readSlot(SettingsBlock::settingsWord), 0x428);
}

}  // namespace
}  // namespace tevaro
