#!/usr/bin/env bash
# Makes the Debian package build-package/zema_VERSION_amd64.deb: a Release build of the game with
# the hardening Debian gives its own packages (dpkg-buildflags with every hardening feature:
# _FORTIFY_SOURCE, the strong stack protector, PIE, read-only relocations bound at start-up),
# packed by cpack. Installs what it needs (Debian 12, as root).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build-package"
bash "$root/scripts/install-deps.sh" package
# Debian's flags (scripts/debian_flags.sh); the rest of the build's flags are CMakePresets.json's
# "package".
source "$root/scripts/debian_flags.sh"
debianCMakeFlags
cd "$root"
cmake --preset package "${debianFlags[@]}"
cmake --build --preset package -j"$(nproc)"
(cd "$out" && cpack -G DEB)
ls -l "$out"/zema_*.deb
