# Cross-compiling for 64-bit Windows with Debian's mingw-w64 toolchain: the
# same tree as mingw-i686.cmake, for machines that run only 64-bit Wine.
# What ships is the i686 build; this one exists so that the tests run there.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(CMAKE_C_COMPILER   x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER  x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests run under 64-bit Wine in a win64 prefix: scripts/lib/common.sh puts
# a `wine` on PATH that starts the 64-bit loader only.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
