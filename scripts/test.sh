#!/usr/bin/env bash
# Builds ZEMA and passes every test: the suite on a normal build; the builds players and packagers
# make (the play command's, a clang Release build, the hardened Debian package, checked); the
# browser build in headless Chromium; the Windows zip under Wine; the arm64 build with its suite,
# package, handheld zip and game under qemu-user; the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer; and the fuzz targets for a bounded time.
# Warnings are errors here.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
version="$(sed -n 's/^project(zema VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
bash "$root/scripts/install-deps.sh" test
# Every build made here stops on a warning (the scripts below read this too); a player's never does.
# Each build's flags are a preset of CMakePresets.json: configured, built and, where it has a test
# preset, tested.
export ZEMA_WERROR=ON
cd "$root"
presetBuild() {
    cmake --preset "$1"
    cmake --build --preset "$1" -j"$jobs"
}
presetBuildAndTest() {
    presetBuild "$1"
    ctest --preset "$1" -j"$jobs"
}

echo "== build and test"
presetBuildAndTest default

echo "== the play command's own build (Release, GCC): bash scripts/play.sh --version"
bash "$root/scripts/play.sh" --version | tee "$root/build/play-version.log"
[ "$(tail -n1 "$root/build/play-version.log")" = "zema $version" ] ||
    { echo "FAIL: scripts/play.sh --version did not print 'zema $version'"; exit 1; }

echo "== a Release build of the whole tree with clang"
presetBuild clang

echo "== the Debian package, from a Release build with Debian's hardening, and its checks"
bash "$root/scripts/package.sh"
bash "$root/tests/package/package.sh" "$root/build-package" "$version"

echo "== the browser build, tested in headless Chromium against zema-sim"
bash "$root/scripts/web.sh" build
bash "$root/web/tests/run_browser_tests.sh" "$root/build-web/www" "$root/build/tools/zema-sim"

# ---- Windows: the zip cross-built with MinGW-w64 and tested under Wine ----------------------------
echo "== the Windows zip (MinGW-w64), its tests under Wine, and its zema.exe end to end"
bash "$root/scripts/windows.sh"
bash "$root/tests/windows/run.sh" "$root/build-windows" "$root/build/tools/zema-sim" "$version"
# ---- end of the Windows part ---------------------------------------------------------------------

# ---- ARM64: cross-built, its suite, package, handheld zip and game under qemu-user ---------------
echo "== the arm64 build (aarch64 cross compilers), its suite under qemu-user, package and zip"
armStart=$SECONDS
bash "$root/scripts/arm64.sh"
bash "$root/tests/arm64/run.sh" "$root/build-arm64" "$root/build/tools/zema-sim" "$version"
echo "== the arm64 part took $(((SECONDS - armStart) / 60)) min $(((SECONDS - armStart) % 60)) s"
# ---- end of the ARM64 part -----------------------------------------------------------------------

echo "== build and test under AddressSanitizer and UndefinedBehaviorSanitizer"
# The sanitizers' options are the test preset's.
presetBuildAndTest sanitize

echo "== fuzz for a bounded time"
presetBuild fuzz
sh "$root/tests/fuzz/run_fuzz.sh" "$root/build-fuzz" 60
echo "== all tests passed"
