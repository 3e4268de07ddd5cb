# Cross-building for 64-bit Windows with MinGW-w64 from Debian (g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# Programs built this way run under Wine, which CMake then uses to run them (tests included).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KELVANE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KELVANE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KELVANE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KELVANE_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KELVANE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(KELVANE_WINE NAMES wine wine64)
if(KELVANE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KELVANE_WINE})
endif()
