#pragma once
// Counts the C library's allocations made by anything in this process, a loaded module included:
// the programme exports its own malloc family, which the dynamic linker binds before glibc's.
namespace tevaro::testing {

long allocationsSoFar();

}  // namespace tevaro::testing
