# SPDX-License-Identifier: GPL-2.0-or-later
# Cross-compiling toolchain for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64).
# The posix thread model is used: the win32 one lacks std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(mingwTriple x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${mingwTriple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingwTriple}-g++-posix)
set(CMAKE_RC_COMPILER ${mingwTriple}-windres)

# Look for libraries and headers of the target only; programs come from the build machine.
# BRELVO_MINGW_PREFIX (libraries built for Windows, e.g. GoogleTest) joins the target root.
set(CMAKE_FIND_ROOT_PATH /usr/${mingwTriple} ${BRELVO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The test programs link their runtime in, so Wine needs no MinGW DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test discovery and ctest run the Windows programs through Wine when it is given.
if(BRELVO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${BRELVO_WINE})
endif()
