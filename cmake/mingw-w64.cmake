# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 toolchain (the POSIX thread model,
# which the C++ standard library's threads and mutexes need); programs run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAVIK_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TAVIK_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVIK_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVIK_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${TAVIK_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${TAVIK_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every program and test of this build runs through Wine, in a Wine prefix of the build's own.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
