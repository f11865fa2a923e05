#!/usr/bin/env bash
# Cross-builds ZEMA for 64-bit Windows with MinGW-w64 into build-windows/: SDL2 and GoogleTest
# from Debian's sources (kept in build-windows/deps for later runs), then the game, zema-sim and
# the tests, then the player's zip, build-windows/zema-VERSION-win64.zip. Programs the build runs
# go through Wine, in a prefix of its own. Usage: windows.sh (Debian 12, as root).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build-windows"
deps="$out/deps"
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
jobs="$(nproc)"
bash "$root/scripts/install-deps.sh" windows
source "$root/scripts/wine_env.sh" "$out"

# SDL2 as a DLL beside the program, as the ports we learn from ship it: a player can drop in a
# newer SDL2.dll, and the build is half as long as with the static library too.
if [ ! -f "$deps/bin/SDL2.dll" ]; then
    echo "== SDL2 for Windows from Debian's source (kept in $deps once built)"
    bash "$root/scripts/debian_source.sh" libsdl2 "$out/sdl2-source"
    cmake -S "$out/sdl2-source" -B "$out/sdl2-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$deps" \
        -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF >/dev/null
    cmake --build "$out/sdl2-build" -j"$jobs"
    cmake --install "$out/sdl2-build" >/dev/null
    rm -rf "$out/sdl2-source" "$out/sdl2-build"
fi
if [ ! -f "$deps/lib/libgtest.a" ]; then
    echo "== GoogleTest for Windows from Debian's googletest sources"
    cmake -S /usr/src/googletest -B "$out/googletest-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$deps" >/dev/null
    cmake --build "$out/googletest-build" -j"$jobs"
    cmake --install "$out/googletest-build" >/dev/null
    rm -rf "$out/googletest-build"
fi

echo "== the game, zema-sim and the tests"
# The build's flags are CMakePresets.json's "windows".
cd "$root"
PKG_CONFIG_LIBDIR="$deps/lib/pkgconfig" cmake --preset windows -DZEMA_WINDOWS_DEPS="$deps" >/dev/null
cmake --build --preset windows -j"$jobs"

echo "== the zip"
(cd "$out/zema" && cpack -G ZIP -B "$out" >/dev/null)
rm -rf "$out/_CPack_Packages"
ls -l "$out"/zema-*-win64.zip
# Nothing of Wine's is left running.
wineserver -k || true
