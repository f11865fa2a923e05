#!/usr/bin/env bash
# The end-to-end tests (the Xvfb scripts) and the browser tests, RUNS times (3 unless given) with
# two busy loops competing for the cores, on the normal build; then the end-to-end tests once on
# the sanitizer build. Prints each run's result and ends with status 1 when any failed. A suite
# that passes only on a quiet machine fails here. Run it before submitting work; CI does not.
# Usage: tests/under_load.sh [RUNS]   (after building build/, and build-sanitize/ and
# build-web/www/ where they are to be tried; a build that is missing is named and skipped)
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
runs="${1:-3}"
e2e='^(app_e2e.*|demo_e2e)$'

busy=()
running=""
# However the script ends: the busy loops, and the run under way.
stopAll() {
    for pid in "${busy[@]}" $running; do kill "$pid" 2>/dev/null; done
    busy=()
}
trap stopAll EXIT
trap 'exit 130' INT TERM
for _ in 1 2; do
    (while :; do :; done) &
    busy+=($!)
done

failed=0
# Runs a command quietly; one line with its result, its output's last lines when it failed.
try() { # name, command...
    local name="$1" log
    shift
    log="$(mktemp)"
    # In the background: a signal's trap runs at once, not once the run is over.
    "$@" >"$log" 2>&1 &
    running=$!
    wait "$running"
    local status=$?
    running=""
    if [ "$status" = 0 ]; then
        echo "$name: passed"
    else
        echo "$name: FAILED"
        tail -n 30 "$log" | sed 's/^/    /'
        failed=$((failed + 1))
    fi
    rm -f "$log"
}

# scripts/test.sh's options for the sanitizer build.
sanitized=(env ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1)

echo "load before the busy loops took hold: $(cut -d' ' -f1-3 /proc/loadavg)"
for run in $(seq "$runs"); do
    if [ -x "$root/build/src/app/zema" ]; then
        try "run $run, end-to-end" ctest --test-dir "$root/build" -R "$e2e" --output-on-failure
    else
        echo "run $run, end-to-end: skipped, build/ is not built"
    fi
    if [ -f "$root/build-web/www/index.html" ] && [ -x "$root/build/tools/zema-sim" ]; then
        try "run $run, browser" bash "$root/web/tests/run_browser_tests.sh" "$root/build-web/www" \
            "$root/build/tools/zema-sim"
    else
        echo "run $run, browser: skipped, build-web/www or build/tools/zema-sim is not built"
    fi
    echo "    load: $(cut -d' ' -f1-3 /proc/loadavg)"
done
if [ -x "$root/build-sanitize/src/app/zema" ]; then
    try "sanitizer build, end-to-end" "${sanitized[@]}" ctest --test-dir "$root/build-sanitize" -R "$e2e" \
        --output-on-failure
else
    echo "sanitizer build, end-to-end: skipped, build-sanitize/ is not built"
fi
echo "    load: $(cut -d' ' -f1-3 /proc/loadavg)"
[ "$failed" = 0 ] && echo "all runs passed under load" || { echo "$failed runs failed under load"; exit 1; }
