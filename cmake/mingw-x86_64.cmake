# Cross-compiling for 64-bit Windows with Debian's mingw-w64 toolchain: the
# same tree as mingw-i686.cmake, for machines that run only 64-bit Wine.
# What ships is the i686 build; this one exists so that the tests run there.
# Its `wine` is the one scripts/lib/common.sh puts on PATH, which starts the
# 64-bit loader only, in a win64 prefix.
set(RAVO_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
