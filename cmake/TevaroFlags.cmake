# One set of code-generation flags for every tree. The DSP is specified to the bit (double
# evaluation, float storage, truncation toward zero), so no fast-math and no contraction of
# a*b+c into fused multiply-adds anywhere; the 32-bit build must keep x87 out of the picture.
option(TEVARO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(TEVARO_BENCHMARKS "Build the Google Benchmark targets (native only)" ON)
option(TEVARO_TOOLS "Build the native tools and their checks (generators, audio CLI, renderer)" ON)

set(CMAKE_C_FLAGS_RELEASE "-O2")
set(CMAKE_CXX_FLAGS_RELEASE "-O2")
add_compile_options(-ffp-contract=off -fno-fast-math -Wall -Wextra)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  add_compile_options(-msse2 -mfpmath=sse)
endif()

if(TEVARO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(WIN32)
  # Every DLL and test executable must import only system DLLs: no libstdc++/libgcc/winpthread.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX UNICODE _UNICODE _WIN32_WINNT=0x0601)
endif()
