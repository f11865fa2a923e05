#!/bin/sh
# Rewrites the expected output of every replay that has one, after a change that is meant.
# Usage: tests/replays/regenerate.sh [path to zema-sim]   (default build/tools/zema-sim)
set -eu
sim=${1:-build/tools/zema-sim}
dir=$(dirname "$0")
for script in "$dir"/*.script; do
    expected=${script%.script}.expected
    [ -f "$expected" ] || continue
    options=$(sed -n '1s/^# options://p' "$script")
    # shellcheck disable=SC2086 # the options are words
    "$sim" $options <"$script" >"$expected"
    echo "wrote $expected"
done
