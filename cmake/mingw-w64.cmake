# Shared by the MinGW-w64 cross toolchain files; they set KESTRUNE_MINGW_TRIPLET
# and CMAKE_SYSTEM_PROCESSOR first.
set(CMAKE_SYSTEM_NAME Windows)

# The win32-thread compilers: no winpthread, so a static exe needs no DLL of
# the compiler's.
find_program(CMAKE_CXX_COMPILER NAMES ${KESTRUNE_MINGW_TRIPLET}-g++-win32 ${KESTRUNE_MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${KESTRUNE_MINGW_TRIPLET}-windres REQUIRED)
set(CMAKE_FIND_ROOT_PATH /usr/${KESTRUNE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Windows programs built on Linux run under Wine, in the build tree's own prefix.
if(NOT CMAKE_HOST_WIN32)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine.sh run)
endif()
