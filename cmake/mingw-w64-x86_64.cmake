# Cross-building the Windows program on Linux with mingw-w64 (x86_64, POSIX
# threads model), as one static .exe.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORIWEN_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORIWEN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORIWEN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${ORIWEN_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORIWEN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No runtime DLLs beside the .exe: libgcc, libstdc++ and winpthread go in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
