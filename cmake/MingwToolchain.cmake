# The part of the mingw-w64 toolchain files that both architectures share.
# The including file sets RAVO_MINGW_TRIPLET and CMAKE_SYSTEM_PROCESSOR.
# The posix thread model gives std::mutex (GoogleTest needs it); -static in
# the top-level list keeps winpthread and the C++ runtime out of separate DLLs.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${RAVO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${RAVO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  ${RAVO_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${RAVO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests run under Wine; the prefix and server come from the environment.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
