#include "dsp/lv2/tests/allocation_counter.h"

#include <atomic>
#include <cstddef>

extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* __libc_memalign(std::size_t, std::size_t);
void __libc_free(void*);
}

namespace {
std::atomic<long> counted{0};
}

long tevaro::testing::allocationsSoFar() { return counted.load(); }

// operator new, aligned or not, ends in one of these.
extern "C" {
void* malloc(std::size_t size) {
    ++counted;
    return __libc_malloc(size);
}
void* calloc(std::size_t n, std::size_t size) {
    ++counted;
    return __libc_calloc(n, size);
}
void* realloc(void* p, std::size_t size) {
    ++counted;
    return __libc_realloc(p, size);
}
void* aligned_alloc(std::size_t alignment, std::size_t size) {
    ++counted;
    return __libc_memalign(alignment, size);
}
void* memalign(std::size_t alignment, std::size_t size) {
    ++counted;
    return __libc_memalign(alignment, size);
}
int posix_memalign(void** out, std::size_t alignment, std::size_t size) {
    ++counted;
    void* p = __libc_memalign(alignment, size);
    if (p == nullptr) return 12;  // ENOMEM
    *out = p;
    return 0;
}
void free(void* p) { __libc_free(p); }
}
