# Cross build for 64-bit Windows with Debian's mingw-w64. The posix-threads compiler is
# required: the win32-threads one has no std::mutex or std::thread.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUIVANTO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUIVANTO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUIVANTO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUIVANTO_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUIVANTO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime, so a binary imports only DLLs that every Windows has.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests and helper programs run under Wine when the build is not on Windows.
if(NOT CMAKE_HOST_WIN32 AND NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(QUIVANTO_WINE NAMES wine wine64)
  if(QUIVANTO_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${QUIVANTO_WINE})
  endif()
endif()
