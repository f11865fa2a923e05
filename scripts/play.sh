#!/usr/bin/env bash
# Builds ZEMA and starts it from the folder that holds its sounds, passing on its arguments
# (bash scripts/play.sh --window).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh" play
# Warnings stop this build only when asked (ZEMA_WERROR=ON, as scripts/test.sh does).
cmake -S "$root" -B "$root/build-release" -DCMAKE_BUILD_TYPE=Release -DZEMA_TESTS=OFF \
    -DZEMA_BENCHMARKS=OFF -DZEMA_WERROR="${ZEMA_WERROR:-OFF}"
cmake --build "$root/build-release" -j"$(nproc)" --target zema
cd "$root/build-release/src/app"
exec ./zema "$@"
