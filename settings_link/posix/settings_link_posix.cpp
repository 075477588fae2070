// SettingsLink on POSIX: shared memory objects named after the Windows kernel objects, and a
// process-shared robust mutex in a second object. A mutex whose owner died reports EOWNERDEAD,
// the counterpart of WAIT_ABANDONED: the value is dropped and the mutex made consistent so later
// writers succeed.
#include <fcntl.h>
#include <pthread.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>

#include "settings_link/posix/shared_lock.h"
#include "settings_link/settings_link.h"

namespace tevaro {
namespace {

void* mapObject(const std::string& name, std::size_t size, bool* created) {
    const std::string path = "/" + name;
    int fd = shm_open(path.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    *created = fd >= 0;
    if (fd < 0 && errno == EEXIST) fd = shm_open(path.c_str(), O_RDWR, 0600);
    if (fd < 0) return nullptr;
    if (*created) {
        if (ftruncate(fd, static_cast<off_t>(size)) != 0) {
            ::close(fd);
            return nullptr;
        }
    } else {
        // The creator may still be sizing it; wait briefly rather than map a short object.
        struct stat st {};
        for (int i = 0; i < 1000 && fstat(fd, &st) == 0 && static_cast<std::size_t>(st.st_size) < size; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (fstat(fd, &st) != 0 || static_cast<std::size_t>(st.st_size) < size) {
            ::close(fd);
            return nullptr;
        }
    }
    void* view = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ::close(fd);
    return view == MAP_FAILED ? nullptr : view;
}

SharedLock* openLock(const std::string& name) {
    bool created = false;
    auto* lock = static_cast<SharedLock*>(mapObject(name, sizeof(SharedLock), &created));
    if (lock == nullptr) return nullptr;
    if (created) {
        pthread_mutexattr_t attr;
        pthread_mutexattr_init(&attr);
        pthread_mutexattr_setpshared(&attr, PTHREAD_PROCESS_SHARED);
        pthread_mutexattr_setrobust(&attr, PTHREAD_MUTEX_ROBUST);
        const int rc = pthread_mutex_init(&lock->mutex, &attr);
        pthread_mutexattr_destroy(&attr);
        if (rc != 0) {
            munmap(lock, sizeof(SharedLock));
            return nullptr;
        }
        lock->ready.store(SharedLock::readyMagic, std::memory_order_release);
        return lock;
    }
    for (int i = 0; i < 1000 && lock->ready.load(std::memory_order_acquire) != SharedLock::readyMagic; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (lock->ready.load(std::memory_order_acquire) != SharedLock::readyMagic) {
        munmap(lock, sizeof(SharedLock));
        return nullptr;
    }
    return lock;
}

}  // namespace

bool SettingsLink::open() {
    if (available()) return true;
    bool created = false;
    void* view = mapObject(mappingName_, SettingsBlock::byteSize, &created);
    SharedLock* lock = view != nullptr ? openLock(mutexName_) : nullptr;
    if (lock == nullptr) {
        if (view != nullptr) munmap(view, SettingsBlock::byteSize);
        return false;
    }
    slots_ = static_cast<std::int32_t*>(view);
    lock_ = lock;
    return true;
}

SlotWriteResult SettingsLink::writeSlot(int slot, std::int32_t value) {
    if (!available()) return SlotWriteResult::unavailable;
    if (slot < 0 || slot >= SettingsBlock::slotCount) return SlotWriteResult::failed;
    auto* lock = static_cast<SharedLock*>(lock_);
    switch (lockShared(*lock, SettingsBlock::writeWaitMs)) {
        case SharedLockResult::acquired:
            std::atomic_ref<std::int32_t>(slots_[slot]).store(value, std::memory_order_release);
            pthread_mutex_unlock(&lock->mutex);
            return SlotWriteResult::stored;
        case SharedLockResult::timedOut:
            return SlotWriteResult::timedOut;
        case SharedLockResult::abandoned:
            pthread_mutex_unlock(&lock->mutex);
            return SlotWriteResult::abandoned;
        case SharedLockResult::failed:
            break;
    }
    return SlotWriteResult::failed;
}

void SettingsLink::close() {
    // The objects themselves stay: like the Windows block, their content outlives either side.
    if (slots_ != nullptr) munmap(slots_, SettingsBlock::byteSize);
    if (lock_ != nullptr) munmap(lock_, sizeof(SharedLock));
    slots_ = nullptr;
    lock_ = nullptr;
}

SharedLockResult lockShared(SharedLock& lock, std::uint32_t waitMs) {
    timespec deadline{};
    clock_gettime(CLOCK_MONOTONIC, &deadline);
    deadline.tv_sec += waitMs / 1000;
    deadline.tv_nsec += static_cast<long>(waitMs % 1000) * 1000000L;
    if (deadline.tv_nsec >= 1000000000L) {
        deadline.tv_sec += 1;
        deadline.tv_nsec -= 1000000000L;
    }
    const int rc = pthread_mutex_clocklock(&lock.mutex, CLOCK_MONOTONIC, &deadline);
    if (rc == 0) return SharedLockResult::acquired;
    if (rc == ETIMEDOUT) return SharedLockResult::timedOut;
    if (rc == EOWNERDEAD) {
        pthread_mutex_consistent(&lock.mutex);
        return SharedLockResult::abandoned;
    }
    return SharedLockResult::failed;
}

}  // namespace tevaro
