# Cross-builds for 64-bit ARM Linux (Raspberry Pi OS 12, Debian 12 arm64, handhelds) with Debian's
# aarch64 cross compilers and the arm64 multiarch libraries. Programs the build runs (the picture,
# sound, icon and docs generators) and the tests run under qemu-user: one word, since the replay
# tests take the emulator's last word as the command; a sysroot goes in QEMU_LD_PREFIX.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(ZEMA_CROSS_TRIPLE aarch64-linux-gnu)

set(CMAKE_C_COMPILER ${ZEMA_CROSS_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${ZEMA_CROSS_TRIPLE}-g++)
set(CMAKE_ASM_COMPILER ${ZEMA_CROSS_TRIPLE}-gcc)
set(PKG_CONFIG_EXECUTABLE /usr/bin/${ZEMA_CROSS_TRIPLE}-pkg-config CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${ZEMA_CROSS_TRIPLE} /)
set(CMAKE_LIBRARY_ARCHITECTURE ${ZEMA_CROSS_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64)
