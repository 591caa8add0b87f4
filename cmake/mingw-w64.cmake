# SPDX-License-Identifier: GPL-3.0-or-later

# Cross-builds the Windows program from Debian with mingw-w64 (g++-mingw-w64-x86-64).
#   cmake -S . -B build-mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
# The posix flavour of the compiler gives std::thread and std::mutex; everything is linked
# statically so that the programs run without any DLL beside them (under Wine too).

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(POMEREL_MINGW_PREFIX x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${POMEREL_MINGW_PREFIX}-gcc-posix ${POMEREL_MINGW_PREFIX}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${POMEREL_MINGW_PREFIX}-g++-posix ${POMEREL_MINGW_PREFIX}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${POMEREL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${POMEREL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Test programs run under Wine when it is there (ctest and GoogleTest's discovery use this).
find_program(POMEREL_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT POMEREL_WINE)
    find_program(POMEREL_WINE NAMES wine64 wine)
endif()
if(POMEREL_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${POMEREL_WINE})
endif()
