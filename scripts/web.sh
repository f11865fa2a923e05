#!/usr/bin/env bash
# Builds ZEMA for the browser into build-web/www/ and serves it on http://127.0.0.1:8000/.
# Usage: web.sh [build]   ("build" only builds). Installs what it needs (Debian 12, as root).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build-web"
bash "$root/scripts/install-deps.sh" web
# Emscripten's tools need Debian's JavaScript modules when node is not Debian's own.
export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"
echo "== SDL2 for the browser (kept in $out/sdl2 once built)"
bash "$root/web/build_sdl2.sh" "$out/sdl2"

echo "== the page"
# The build's flags are CMakePresets.json's "web", through Emscripten's toolchain.
cd "$root"
emcmake cmake --preset web -DZEMA_WEB_SDL2="$out/sdl2" >/dev/null
cmake --build --preset web -j"$(nproc)"
ls -l "$out/www"

if [ "${1:-serve}" = build ]; then exit 0; fi
echo "Serving the game on http://127.0.0.1:8000/ (Ctrl+C stops)"
exec python3 -m http.server --bind 127.0.0.1 --directory "$out/www" 8000
