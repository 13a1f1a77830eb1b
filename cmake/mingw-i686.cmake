# Cross-compiling for 32-bit Windows with Debian's mingw-w64 toolchain.
# The posix thread model gives std::mutex (GoogleTest needs it); -static in
# the top-level list keeps winpthread and the C++ runtime out of separate DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(CMAKE_C_COMPILER   i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER  i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests run under Wine; the prefix and server come from the environment.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
