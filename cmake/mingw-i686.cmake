# Cross-compiling for 32-bit Windows with Debian's mingw-w64 toolchain: what
# ships.
set(RAVO_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
