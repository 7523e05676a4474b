# SPDX-License-Identifier: MIT
# Cross build for 64-bit Windows with Debian's mingw-w64 toolchain (POSIX thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KORVEXER_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KORVEXER_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORVEXER_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KORVEXER_MINGW_PREFIX}-windres)

# Look for libraries and headers in the target's sysroot only, never in the host's /usr/include.
set(CMAKE_FIND_ROOT_PATH /usr/${KORVEXER_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Link the compiler's runtime statically, so that the programs run without the toolchain's DLLs
# beside them (under Wine as on a bare Windows machine).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests and tools built for Windows run under Wine on this machine.
find_program(KORVEXER_WINE NAMES wine wine64 PATHS /usr/lib/wine)
if(KORVEXER_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${KORVEXER_WINE})
endif()

# Header-only libraries of the build machine that the Windows build may use, each on its own.
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/mingw-packages CACHE PATH "CLI11 for the Windows build")
