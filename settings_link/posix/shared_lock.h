#pragma once
// The process-shared lock object of the POSIX backend. Tests use it directly to play a second
// writer that holds the lock, or dies holding it.
#include <pthread.h>

#include <atomic>
#include <cstdint>

namespace tevaro {

struct SharedLock {
    static constexpr std::uint32_t readyMagic = 0x54415257;  // set by the creator once the mutex is initialised
    std::atomic<std::uint32_t> ready;
    pthread_mutex_t mutex;
};

enum class SharedLockResult : std::uint8_t { acquired, timedOut, abandoned, failed };

// Timed lock on the monotonic clock. On `abandoned` the caller owns the (now consistent) mutex.
SharedLockResult lockShared(SharedLock& lock, std::uint32_t waitMs);

}  // namespace tevaro
