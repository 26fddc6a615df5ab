# Cross-compiling the Windows programs with MinGW-w64 (64-bit, POSIX threads).
#
# The programs are linked statically, C++ and GCC runtime included, so each
# .exe runs on a bare Windows (or under Wine) with no DLL beside it.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MERID_MINGW_PREFIX x86_64-w64-mingw32)
find_program(CMAKE_CXX_COMPILER NAMES ${MERID_MINGW_PREFIX}-g++-posix
                                      ${MERID_MINGW_PREFIX}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${MERID_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MERID_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
