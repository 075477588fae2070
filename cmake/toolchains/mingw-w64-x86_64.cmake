# Windows x86_64 with Debian's mingw-w64. The posix thread-model compilers are needed because
# GCC 12's win32 model has no std::mutex/std::thread, which GoogleTest requires.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TEVARO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER  x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Test executables run under Wine in a prefix private to the build tree.
set(TEVARO_RUN_UNDER_WINE ON)
