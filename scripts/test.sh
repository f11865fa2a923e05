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
export ZEMA_WERROR=ON
werror="-DZEMA_WERROR=$ZEMA_WERROR"

echo "== build and test"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo $werror
cmake --build "$root/build" -j"$jobs"
ctest --test-dir "$root/build" --output-on-failure -j"$jobs"

echo "== the play command's own build (Release, GCC): bash scripts/play.sh --version"
bash "$root/scripts/play.sh" --version | tee "$root/build/play-version.log"
[ "$(tail -n1 "$root/build/play-version.log")" = "zema $version" ] ||
    { echo "FAIL: scripts/play.sh --version did not print 'zema $version'"; exit 1; }

echo "== a Release build of the whole tree with clang"
cmake -S "$root" -B "$root/build-clang" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ $werror
cmake --build "$root/build-clang" -j"$jobs"

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
cmake -S "$root" -B "$root/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DZEMA_SANITIZE=ON \
    -DZEMA_BENCHMARKS=OFF $werror
cmake --build "$root/build-sanitize" -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0" \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$root/build-sanitize" --output-on-failure -j"$jobs"

echo "== fuzz for a bounded time"
cmake -S "$root" -B "$root/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DZEMA_FUZZ=ON \
    -DZEMA_TESTS=OFF -DZEMA_BENCHMARKS=OFF $werror
cmake --build "$root/build-fuzz" -j"$jobs" --target fuzz_targets
sh "$root/tests/fuzz/run_fuzz.sh" "$root/build-fuzz" 60
echo "== all tests passed"
