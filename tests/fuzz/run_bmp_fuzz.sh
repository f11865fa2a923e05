#!/bin/sh
# Runs the bitmap reader, loader and compositor's fuzz target for a bounded time on a copy of the seed corpus.
# Usage: tests/fuzz/run_bmp_fuzz.sh BUILD_DIR SECONDS
# BUILD_DIR must be configured with CC=clang CXX=clang++ -DZEMA_FUZZ=ON and have bmp_fuzz built.
# Fails (non-zero) on a crash, a sanitizer report or a missing target.
set -eu
if [ $# -ne 2 ]; then
    echo "usage: $0 BUILD_DIR SECONDS" >&2
    exit 2
fi
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
fuzzer="$build/tests/display/bmp_fuzz"
if [ ! -x "$fuzzer" ]; then
    echo "$fuzzer not found: configure with clang and -DZEMA_FUZZ=ON, then build bmp_fuzz" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$here"/bmp_corpus/* "$work"/
# New inputs go to the scratch copy so the committed corpus stays small.
"$fuzzer" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=1024 -timeout=10 \
    -artifact_prefix="$build/bmp_fuzz-" "$work"
