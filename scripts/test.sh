#!/usr/bin/env bash
# Builds ZEMA and passes every test: the suite on a normal build, the browser build in headless
# Chromium, the same suite under AddressSanitizer and UndefinedBehaviorSanitizer, and the fuzz
# targets for a bounded time.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
jobs="$(nproc)"
bash "$root/scripts/install-deps.sh" test

echo "== build and test"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" -j"$jobs"
ctest --test-dir "$root/build" --output-on-failure -j"$jobs"

echo "== the browser build, tested in headless Chromium against zema-sim"
bash "$root/scripts/web.sh" build
bash "$root/web/tests/run_browser_tests.sh" "$root/build-web/www" "$root/build/tools/zema-sim"

echo "== build and test under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$root" -B "$root/build-sanitize" -DCMAKE_BUILD_TYPE=Debug -DZEMA_SANITIZE=ON \
    -DZEMA_BENCHMARKS=OFF
cmake --build "$root/build-sanitize" -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0" \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$root/build-sanitize" --output-on-failure -j"$jobs"

echo "== fuzz for a bounded time"
cmake -S "$root" -B "$root/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DZEMA_FUZZ=ON \
    -DZEMA_TESTS=OFF -DZEMA_BENCHMARKS=OFF
cmake --build "$root/build-fuzz" -j"$jobs" --target fuzz_targets
sh "$root/tests/fuzz/run_fuzz.sh" "$root/build-fuzz" 60
echo "== all tests passed"
