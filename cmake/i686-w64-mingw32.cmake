# Cross-compiling for 32-bit Windows with Debian's MinGW-w64 (packages g++-mingw-w64-i686-posix,
# mingw-w64-i686-dev, binutils-mingw-w64-i686). The posix thread model is the one whose GCC 12
# has std::mutex and std::condition_variable, which the framework needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(ZARN_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_C_COMPILER ${ZARN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZARN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ZARN_MINGW_PREFIX}-windres)

# Headers and libraries of the target only; programs (cmake, the build machine's tools) of the host.
set(CMAKE_FIND_ROOT_PATH /usr/${ZARN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
