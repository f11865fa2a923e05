#!/usr/bin/env bash
# Makes the Debian package build-package/zema_VERSION_amd64.deb: a Release build of the game with
# the hardening Debian gives its own packages (dpkg-buildflags with every hardening feature:
# _FORTIFY_SOURCE, the strong stack protector, PIE, read-only relocations bound at start-up),
# packed by cpack. Installs what it needs (Debian 12, as root).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build-package"
bash "$root/scripts/install-deps.sh" package
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
# CMake has no preprocessor flags of its own, so CPPFLAGS (_FORTIFY_SOURCE) go with the compile
# flags; given on the command line, they replace whatever an earlier configure kept.
# The rest of the build's flags are CMakePresets.json's "package".
cd "$root"
cmake --preset package \
    -DCMAKE_C_FLAGS="$(flags CFLAGS) $(flags CPPFLAGS)" \
    -DCMAKE_CXX_FLAGS="$(flags CXXFLAGS) $(flags CPPFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" -DCMAKE_SHARED_LINKER_FLAGS="$(flags LDFLAGS)"
cmake --build --preset package -j"$(nproc)"
(cd "$out" && cpack -G DEB)
ls -l "$out"/zema_*.deb
