# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX thread model, which
# std::thread and Qt need). Used for Qt 6 itself, whose installed toolchain file loads this one
# again for the trainer, and for the trainer built with Qt 5 (scripts/build-windows.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SIGHT_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SIGHT_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SIGHT_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${SIGHT_MINGW_TRIPLE}-windres)

# Libraries, headers and CMake packages come from the Windows sysroot only, so that nothing
# of the build machine's own Linux libraries slips in; programs (the host Qt tools, perl,
# ImageMagick) are the build machine's.
set(CMAKE_FIND_ROOT_PATH /usr/${SIGHT_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
