# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (the -posix compilers, whose C++
# runtime has std::thread). Programs the build runs (the picture, sound and icon generators) and
# the tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZEMA_MINGW_TRIPLE x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${ZEMA_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZEMA_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZEMA_MINGW_TRIPLE}-windres)
set(CMAKE_ASM_COMPILER ${ZEMA_MINGW_TRIPLE}-gcc-posix)

# MinGW-w64's own tree, and the folder where scripts/windows.sh installs SDL2 and GoogleTest.
set(CMAKE_FIND_ROOT_PATH /usr/${ZEMA_MINGW_TRIPLE} ${ZEMA_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR wine)
