# Cross-compiles for 64-bit Windows with Debian's MinGW-w64, POSIX-thread variant (its
# std::thread and std::mutex work; the win32 variant has neither).
#
# KORVANE_WINDOWS_DEPS (a CMake variable, or else the environment variable of that name) is
# the prefix of the Windows libraries scripts/windows-deps.sh builds; the last line that
# script prints is that prefix. Libraries, headers, CMake packages and pkg-config files are
# looked up there and in MinGW's own folder only, never among the host's.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_korvane_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_korvane_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_korvane_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_korvane_triple}-windres)

if(NOT KORVANE_WINDOWS_DEPS AND DEFINED ENV{KORVANE_WINDOWS_DEPS})
  set(KORVANE_WINDOWS_DEPS "$ENV{KORVANE_WINDOWS_DEPS}")
endif()
set(KORVANE_WINDOWS_DEPS "${KORVANE_WINDOWS_DEPS}" CACHE PATH
  "Prefix of the Windows libraries built by scripts/windows-deps.sh")
# try_compile projects read this file again; they need the prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KORVANE_WINDOWS_DEPS)

set(CMAKE_FIND_ROOT_PATH /usr/${_korvane_triple})
if(KORVANE_WINDOWS_DEPS)
  list(PREPEND CMAKE_FIND_ROOT_PATH "${KORVANE_WINDOWS_DEPS}")
endif()
# pkg-config reads the Windows libraries' .pc files only.
list(TRANSFORM CMAKE_FIND_ROOT_PATH APPEND /lib/pkgconfig OUTPUT_VARIABLE _korvane_pc)
string(REPLACE ";" ":" _korvane_pc "${_korvane_pc}")
set(ENV{PKG_CONFIG_LIBDIR} "${_korvane_pc}")
set(ENV{PKG_CONFIG_PATH} "")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
