# Cross-compiling for 32-bit Windows with clang, lld and LLVM's resource
# compiler, against Debian's mingw-w64 headers and GCC runtime libraries.
# scripts/test uses it to check that the product still builds with a second
# compiler; the tests are built with GCC only.
#
# clang 14 does not take Debian's "12-posix" GCC folder for a GCC version, so
# it is given a sysroot of links (RAVO_CLANG_SYSROOT, made by scripts/test):
#   <sysroot>/i686-w64-mingw32       -> /usr/i686-w64-mingw32
#   <sysroot>/lib/gcc/i686-w64-mingw32/12 -> /usr/lib/gcc/i686-w64-mingw32/12-posix
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

if(NOT RAVO_CLANG_SYSROOT AND DEFINED ENV{RAVO_CLANG_SYSROOT})
  set(RAVO_CLANG_SYSROOT $ENV{RAVO_CLANG_SYSROOT})
endif()
# Kept in the cache, so that a re-run of CMake from the build finds it.
set(RAVO_CLANG_SYSROOT "${RAVO_CLANG_SYSROOT}" CACHE PATH "Sysroot of links for clang (see above)")
if(NOT RAVO_CLANG_SYSROOT OR NOT EXISTS ${RAVO_CLANG_SYSROOT}/i686-w64-mingw32)
  message(FATAL_ERROR "clang-i686.cmake: set RAVO_CLANG_SYSROOT to the sysroot of links that scripts/test makes")
endif()
# try_compile projects read this file again and need the same value.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES RAVO_CLANG_SYSROOT)

set(triple i686-w64-mingw32)
find_program(RAVO_CLANG NAMES clang-14 clang REQUIRED)
find_program(RAVO_CLANGXX NAMES clang++-14 clang++ REQUIRED)
find_program(RAVO_LLVM_WINDRES NAMES llvm-windres-14 llvm-windres REQUIRED)
find_program(RAVO_LLVM_OBJCOPY NAMES llvm-objcopy-14 llvm-objcopy REQUIRED)
find_program(RAVO_LLVM_AR NAMES llvm-ar-14 llvm-ar REQUIRED)
find_program(RAVO_LLVM_RANLIB NAMES llvm-ranlib-14 llvm-ranlib REQUIRED)

set(CMAKE_C_COMPILER ${RAVO_CLANG})
set(CMAKE_CXX_COMPILER ${RAVO_CLANGXX})
set(CMAKE_C_COMPILER_TARGET ${triple})
set(CMAKE_CXX_COMPILER_TARGET ${triple})
set(CMAKE_SYSROOT ${RAVO_CLANG_SYSROOT})
# llvm-windres is LLVM's resource compiler (llvm-rc) behind windres's
# command line; it preprocesses with clang for the same target and headers.
set(CMAKE_RC_COMPILER ${RAVO_LLVM_WINDRES})
set(CMAKE_RC_FLAGS_INIT "--target=pe-i386 --preprocessor-arg=--sysroot=${RAVO_CLANG_SYSROOT}")
set(CMAKE_OBJCOPY ${RAVO_LLVM_OBJCOPY} CACHE FILEPATH "")
set(CMAKE_AR ${RAVO_LLVM_AR} CACHE FILEPATH "")
set(CMAKE_RANLIB ${RAVO_LLVM_RANLIB} CACHE FILEPATH "")
# GCC's runtime libraries were built for the posix thread model and call
# winpthread; GCC's driver adds it by itself, clang's does not (lld takes
# libraries in any order).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -lpthread")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-fuse-ld=lld -lpthread")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-fuse-ld=lld -lpthread")

set(CMAKE_FIND_ROOT_PATH ${RAVO_CLANG_SYSROOT}/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
