# Cross-compiling for 32-bit Windows with Debian's MinGW-w64 (the POSIX thread model, which
# std::thread and Qt need), for the trainer built with Qt 5 (scripts/build-windows.sh); Qt 5
# itself is built with qmake and its own mkspec (scripts/windows-qt.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(SIGHT_MINGW_TRIPLE i686-w64-mingw32)
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
