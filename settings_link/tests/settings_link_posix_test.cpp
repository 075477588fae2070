// Two real processes on one settings block: the parent plays the DSP (reads without the lock),
// a forked child plays the panel or a misbehaving writer.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
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

// Far beyond anything a loaded machine needs, so that a lost child fails the case instead of
// hanging it.
constexpr auto childDeadline = std::chrono::seconds(60);

// A forked child: reaped at most once, whether its death is noticed early or waited for.
struct Child {
    pid_t pid = -1;
    bool reaped = false;
    int status = 0;

    bool exited() {
        if (!reaped && waitpid(pid, &status, WNOHANG) == pid) reaped = true;
        return reaped;
    }
    int exitCode() {
        if (!reaped && waitpid(pid, &status, 0) == pid) reaped = true;
        return reaped && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    testing::AssertionResult died() {
        return testing::AssertionFailure() << "child " << pid << " ended first, exit code " << exitCode();
    }
};

class PosixSettingsLink : public testing::Test {
protected:
    void SetUp() override {
        static int counter = 0;
        const std::string base = "tevaro-test-" + std::to_string(getpid()) + "-" + std::to_string(++counter);
        mappingName_ = base + "-map";
        mutexName_ = base + "-mutex";
        ASSERT_EQ(pipe(ready_), 0);
        ASSERT_EQ(pipe(release_), 0);
    }
    void TearDown() override {
        for (int fd : {ready_[0], ready_[1], release_[0], release_[1]}) ::close(fd);
        shm_unlink(("/" + mappingName_).c_str());
        shm_unlink(("/" + mutexName_).c_str());
    }

    // Runs `child` in a forked process. The child signals readiness on the ready pipe. It keeps
    // no copy of the parent's ends, so a parent that stops early (a failed assertion closes
    // its pipes) hangs up the release pipe and the child ends too.
    template <typename F>
    Child spawn(F child) {
        const pid_t pid = fork();
        if (pid == 0) {
            ::close(ready_[0]);
            ::close(release_[1]);
            const int rc = child();
            _exit(rc);
        }
        return Child{pid};
    }
    void signalReady() { ASSERT_EQ(write(ready_[1], "r", 1), 1); }
    // Waits for the child's ready signal, noticing a child that died before sending it.
    testing::AssertionResult awaitReady(Child& child) {
        const auto deadline = Clock::now() + childDeadline;
        while (Clock::now() < deadline) {
            pollfd ready{ready_[0], POLLIN, 0};
            if (poll(&ready, 1, 50) == 1) {
                char c = 0;
                if (read(ready_[0], &c, 1) == 1) return testing::AssertionSuccess();
            }
            if (child.exited()) return child.died() << " before it was ready";
        }
        return testing::AssertionFailure() << "child " << child.pid << " not ready within the deadline";
    }
    // The holder's side of the release pipe: true once the parent lets go; false when the parent
    // hung up or after the deadline (the holder must not outlive the case).
    bool awaitRelease() {
        pollfd release{release_[0], POLLIN, 0};
        const int waitMs = static_cast<int>(std::chrono::milliseconds(childDeadline).count());
        char c = 0;
        return poll(&release, 1, waitMs) == 1 && read(release_[0], &c, 1) == 1;
    }
    void release() { ASSERT_EQ(write(release_[1], "r", 1), 1); }
    SharedLock* mapLock() {
        const int fd = shm_open(("/" + mutexName_).c_str(), O_RDWR, 0600);
        if (fd < 0) return nullptr;
        void* p = mmap(nullptr, sizeof(SharedLock), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        ::close(fd);
        return p == MAP_FAILED ? nullptr : static_cast<SharedLock*>(p);
    }

    std::string mappingName_, mutexName_;
    int ready_[2] = {-1, -1};
    int release_[2] = {-1, -1};  // parent to holder: the wait under test is over
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
    Child panel = spawn([&] {
        SettingsLink link(mappingName_, mutexName_);
        if (!link.open()) return 10;
        signalReady();
        for (int v = 1; v <= lastValue; ++v)
            if (link.writeSlot(SettingsBlock::settingsWord, v) != SlotWriteResult::stored) return 11;
        return link.writeSlot(SettingsBlock::panelReady, 1) == SlotWriteResult::stored ? 0 : 12;
    });
    ASSERT_TRUE(awaitReady(panel));
    int previous = 0;
    const auto deadline = Clock::now() + childDeadline;
    for (int reads = 1; dsp.readSlot(SettingsBlock::panelReady) == 0; ++reads) {
        const int v = dsp.readSlot(SettingsBlock::settingsWord);
        ASSERT_GE(v, previous);
        ASSERT_LE(v, lastValue);
        previous = v;
        // A child that died has stopped writing; its last write may still be panelReady, so the
        // slot is read once more before that counts as a failure.
        if (reads % 1024 == 0 && panel.exited()) {
            ASSERT_NE(dsp.readSlot(SettingsBlock::panelReady), 0) << panel.died();
            break;
        }
        ASSERT_LT(Clock::now(), deadline) << "panelReady never written; last word seen " << previous;
    }
    EXPECT_EQ(panel.exitCode(), 0);
    EXPECT_EQ(dsp.readSlot(SettingsBlock::settingsWord), lastValue);
}

TEST_F(PosixSettingsLink, WriterBlockedLongerThanFiveSecondsDropsItsValue) {
    SettingsLink dsp(mappingName_, mutexName_);
    ASSERT_TRUE(dsp.open());
    // The holder keeps the mutex until the write under test has returned, however long that
    // takes on a loaded machine, so the write can only time out or wrongly wait on.
    Child holder = spawn([&] {
        SharedLock* lock = mapLock();
        if (lock == nullptr || lockShared(*lock, 1000) != SharedLockResult::acquired) return 10;
        signalReady();
        const bool released = awaitRelease();
        pthread_mutex_unlock(&lock->mutex);
        return released ? 0 : 11;
    });
    ASSERT_TRUE(awaitReady(holder));
    const auto start = Clock::now();
    EXPECT_EQ(dsp.writeSlot(SettingsBlock::surroundOn, 1), SlotWriteResult::timedOut);
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    release();
    EXPECT_GE(waited, 4990);
    EXPECT_LT(waited, 15000) << "the write waited far beyond its 5000 ms";
    EXPECT_EQ(dsp.readSlot(SettingsBlock::surroundOn), 0);
    EXPECT_EQ(holder.exitCode(), 0);
    EXPECT_EQ(dsp.writeSlot(SettingsBlock::surroundOn, 1), SlotWriteResult::stored);
    EXPECT_EQ(dsp.readSlot(SettingsBlock::surroundOn), 1);
}

TEST_F(PosixSettingsLink, OwnerDyingWithTheMutexMakesTheNextWriteAbandonedThenWritesWork) {
    SettingsLink panel(mappingName_, mutexName_);
    ASSERT_TRUE(panel.open());
    Child dying = spawn([&] {
        SharedLock* lock = mapLock();
        if (lock == nullptr || lockShared(*lock, 1000) != SharedLockResult::acquired) return 10;
        return 7;  // exits still holding the mutex
    });
    EXPECT_EQ(dying.exitCode(), 7);
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
