#!/usr/bin/env bash
# Builds SDL2 for the browser from Debian's own source package (Emscripten's SDL port would
# download its sources) into PREFIX/lib/libSDL2.a and PREFIX/include/SDL2; a second run with the
# library in place does nothing. Usage: build_sdl2.sh PREFIX (run as root on Debian 12).
set -euo pipefail
prefix="$1"
library="$prefix/lib/libSDL2.a"
[ -f "$library" ] && exit 0

# apt-get source needs a deb-src entry: a copy of the first entry of Debian's own list, in
# whichever of apt's two formats the machine has it.
if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list.d/ /etc/apt/sources.list; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        awk 'BEGIN { RS = ""; ORS = "\n\n" } NR == 1 { sub(/Types: deb/, "Types: deb-src"); print }' \
            /etc/apt/sources.list.d/debian.sources >/etc/apt/sources.list.d/zema-deb-src.sources
    else
        grep -m1 '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' \
            >/etc/apt/sources.list.d/zema-deb-src.list
    fi
    apt-get update
fi
work="$prefix/work"
rm -rf "$work"
mkdir -p "$work"
(cd "$work" && apt-get source -q --download-only libsdl2 &&
    dpkg-source -x --no-check libsdl2_*.dsc sdl2 >/dev/null)
src="$work/sdl2/src"

# SDL's Emscripten configuration (include/SDL_config_emscripten.h) is picked by the compiler;
# these are the folders it builds from: the core, the Emscripten drivers, and software fallbacks.
folders=(. atomic audio audio/disk audio/dummy audio/emscripten cpuinfo dynapi events file
         filesystem/emscripten haptic haptic/dummy joystick joystick/emscripten loadso/dlopen
         locale locale/emscripten misc misc/emscripten power power/emscripten render
         render/software render/opengles2 sensor sensor/dummy stdlib thread thread/generic timer
         timer/unix video video/emscripten video/yuv2rgb libm)
objects="$work/objects"
mkdir -p "$objects"
sources=()
for folder in "${folders[@]}"; do
    for file in "$src/$folder"/*.c; do sources+=("$file"); done
done
jobs="$(nproc)"
printf '%s\n' "${sources[@]}" | xargs -P "$jobs" -I{} sh -c \
    'emcc -O2 -I"$1/../include" -I"$1" -c "$2" \
         -o "$3/$(echo "$2" | sed "s|$1/||; s|^\./||; s|/|_|g").o"' _ "$src" {} "$objects"
mkdir -p "$prefix/lib" "$prefix/include/SDL2"
cp "$work/sdl2/include"/*.h "$prefix/include/SDL2/"
emar rcs "$library.tmp" "$objects"/*.o
mv "$library.tmp" "$library"
rm -rf "$work"
