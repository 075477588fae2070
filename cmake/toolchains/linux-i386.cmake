# Linux i386 with Debian's multilib gcc: the portable engines compiled as the 32-bit DLLs are
# (SSE2 arithmetic, no x87), and their native suites run under qemu-i386, so the 32-bit code
# generation is proven to give the same bytes as the 64-bit one.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -m32)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -m32)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
# Not every machine's kernel runs 32-bit programs; qemu-i386 runs them on any x86_64 host, with
# the host's multilib loader and libraries.
find_program(TEVARO_QEMU_I386 qemu-i386 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TEVARO_QEMU_I386})
