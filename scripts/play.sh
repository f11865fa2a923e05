#!/usr/bin/env bash
# Builds ZEMA and starts it from the folder that holds its sounds, passing on its arguments
# (bash scripts/play.sh --window).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh" play
# Warnings stop this build only when asked (ZEMA_WERROR=ON, as scripts/test.sh does).
# The build's flags are CMakePresets.json's "release".
cd "$root"
cmake --preset release
cmake --build --preset release -j"$(nproc)"
cd "$root/build-release/src/app"
exec ./zema "$@"
