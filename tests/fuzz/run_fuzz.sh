#!/bin/sh
# Runs each fuzz target for a bounded time on a scratch copy of its seed corpus.
# Usage: tests/fuzz/run_fuzz.sh BUILD_DIR SECONDS
# BUILD_DIR must be configured with CC=clang CXX=clang++ -DZEMA_FUZZ=ON and have the target
# fuzz_targets built; its fuzz_targets.txt names each target and its seed corpus. Fails
# (non-zero) on a crash, a sanitizer report or a missing target.
set -eu
if [ $# -ne 2 ]; then
    echo "usage: $0 BUILD_DIR SECONDS" >&2
    exit 2
fi
build=$1
seconds=$2
list="$build/fuzz_targets.txt"
if [ ! -f "$list" ]; then
    echo "$list not found: configure with clang and -DZEMA_FUZZ=ON" >&2
    exit 1
fi

while read -r fuzzer corpus; do
    name=$(basename "$fuzzer")
    if [ ! -x "$fuzzer" ]; then
        echo "$fuzzer not found: configure with clang and -DZEMA_FUZZ=ON, then build fuzz_targets" >&2
        exit 1
    fi
    work=$(mktemp -d)
    cp "$corpus"/* "$work"/
    # New inputs go to the scratch copy so the committed corpus stays small.
    echo "fuzzing $name for $seconds s"
    "$fuzzer" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=1024 -timeout=10 \
        -artifact_prefix="$build/$name-" "$work" </dev/null 2>"$build/$name.log" || {
        tail -n 40 "$build/$name.log" >&2
        rm -rf "$work"
        exit 1
    }
    tail -n 1 "$build/$name.log"
    rm -rf "$work"
done < "$list"
