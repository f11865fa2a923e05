#!/usr/bin/env bash
# Builds SDL2 for the browser from Debian's own source package (Emscripten's SDL port would
# download its sources) into PREFIX/lib/libSDL2.a and PREFIX/include/SDL2; a second run with the
# library in place does nothing. Usage: build_sdl2.sh PREFIX (run as root on Debian 12).
set -euo pipefail
prefix="$1"
library="$prefix/lib/libSDL2.a"
[ -f "$library" ] && exit 0

root="$(cd "$(dirname "$0")/.." && pwd)"
work="$prefix/work"
rm -rf "$work"
bash "$root/scripts/debian_source.sh" libsdl2 "$work/sdl2"
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
