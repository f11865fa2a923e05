#!/usr/bin/env bash
# Installs what building, playing and testing ZEMA needs on Debian 12 (run as root).
# Usage: install-deps.sh [play|package|test|web|windows|arm64]
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
packages=(cmake make g++ pkg-config libsdl2-dev)
if [ "${1:-play}" = test ] || [ "${1:-play}" = web ]; then
    # The browser build: Emscripten, dpkg-dev to unpack SDL2's Debian source for it, and
    # Chromium driven headless over the DevTools protocol by Python.
    packages+=(emscripten dpkg-dev chromium python3-websockets)
fi
if [ "${1:-play}" = package ] || [ "${1:-play}" = test ]; then
    # The package: Debian's build flags, shared-library dependencies and hardening checker.
    packages+=(dpkg-dev devscripts)
fi
if [ "${1:-play}" = test ] || [ "${1:-play}" = windows ]; then
    # The Windows build: MinGW-w64's GCC, Wine to run what it builds, dpkg-dev to unpack SDL2's
    # Debian source, GoogleTest's sources to cross-build it, unzip for the tests.
    packages+=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
               mingw-w64-x86-64-dev wine wine64 dpkg-dev googletest unzip)
fi
if [ "${1:-play}" = test ]; then
    # Tests: GoogleTest, benchmarks, clang's libFuzzer and sanitizers, and a real X server with a
    # window manager and the tools that drive it; the Debian package's makers and checkers; groff
    # to render the manual page; MinGW-w64's windres and ld for 32 and 64 bits, which make the
    # stand-in copies of the original.
    packages+=(googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
               xvfb openbox xdotool wmctrl x11-utils imagemagick
               dpkg-dev lintian desktop-file-utils appstream
               groff-base
               binutils-mingw-w64-i686 binutils-mingw-w64-x86-64)
fi
if [ "${1:-play}" = arm64 ]; then
    # The arm64 build: Debian's aarch64 cross compilers, qemu-user to run what they build, and the
    # arm64 multiarch libraries; its suite's tools (Xvfb with openbox and what drives it, groff);
    # the package's makers and checkers.
    packages+=(g++-aarch64-linux-gnu qemu-user
               libsdl2-dev:arm64 libgtest-dev:arm64 libbenchmark-dev:arm64
               xvfb openbox xdotool wmctrl x11-utils imagemagick groff-base unzip
               dpkg-dev devscripts lintian desktop-file-utils appstream)
    # The arm64 libraries come from the same mirror once dpkg knows the architecture.
    dpkg --print-foreign-architectures | grep -qx arm64 || dpkg --add-architecture arm64
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi
