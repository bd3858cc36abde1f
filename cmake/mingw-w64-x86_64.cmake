# Cross-compiling for 64-bit Windows with MinGW-w64 (Debian
# g++-mingw-w64-x86-64-posix). The runtime is linked statically so that the
# .exe runs on its own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUILLET_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUILLET_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLET_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLET_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QUILLET_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
find_program(QUILLET_WINE NAMES wine64 wine)
if(QUILLET_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QUILLET_WINE})
endif()
