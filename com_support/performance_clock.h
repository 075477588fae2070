#pragma once
#include <windows.h>

namespace com_support {

// Seconds on the performance counter: the clock of the benchmarks that time frames inside Wine.
inline double performanceSeconds() {
    LARGE_INTEGER t, f;
    QueryPerformanceCounter(&t);
    QueryPerformanceFrequency(&f);
    return double(t.QuadPart) / double(f.QuadPart);
}

}  // namespace com_support
