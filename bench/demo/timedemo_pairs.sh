#!/usr/bin/env bash
# Two builds of the game timing the same demo in turn under one Xvfb with openbox, fullscreen at
# the screen's size: the ratio of their frames/s, pair by pair, with the two taking the machine's
# drift alike. Prints each run's frames/s and split, then the medians and the pairs' range.
# Usage: timedemo_pairs.sh NEW_GAME OLD_GAME DEMO [PAIRS [WIDTH HEIGHT]]
# Each game's folder must hold the six WAV files; DEMO is a script or demo both can play.
set -uo pipefail

newGame="$(readlink -f "$1")"
oldGame="$(readlink -f "$2")"
demo="$(readlink -f "$3")"
pairs="${4:-7}"
width="${5:-1920}"
height="${6:-1080}"

# shellcheck source=tests/support/x_session.sh
source "$(dirname "$0")/../../tests/support/x_session.sh"

# Processor time of the X server so far, in clock ticks.
serverTicks() { awk '{ print $14 + $15 }' "/proc/$xvfbPid/stat"; }

# One timed run: "frames/s, processor ms a frame of the game + of the X server, the game's split"
# on standard output, nothing when it failed. On a loaded machine the wall clock takes in the
# waits for the other builds; the processor time of the two, who take turns, much less so. The
# game holds before its first frame until its window covers the screen, so that every timed frame
# is shown in it.
timeOnce() { # game
    local before after rate frames split game
    newFrameReport
    grep -qa ZEMA_FRAME_REPORT "$1" && echo 0 >"$frameHold"
    (cd "$(dirname "$1")" && timeout -k 5 300 "$1" --timedemo "$demo" && times) \
        >"$work/run.out" 2>"$work/run.err" &
    gamePid=$!
    before="$(serverTicks)"
    # A build older than the frame report cannot hold: it is timed from its start.
    if grep -qa ZEMA_FRAME_REPORT "$1" && holdAt 0 >/dev/null; then
        findGameWindow --onlyvisible
        for _ in $(seq "$patience"); do
            [ "$(windowSize)" = "${width}x$height" ] && break
            sleep 0.1
        done
        before="$(serverTicks)"
    fi
    release
    waitGame
    [ "$status" = 0 ] || return
    after="$(serverTicks)"
    rate="$(sed -n 's/^[0-9]* frames in [0-9.]* s: \([0-9.]*\) frames\/s$/\1/p' "$work/run.out")"
    frames="$(sed -n 's/^\([0-9]*\) frames in .*/\1/p' "$work/run.out")"
    split="$(sed -n 2p "$work/run.out")"
    # times prints the children's user and system time, as 0m1.234s.
    game="$(tail -n1 "$work/run.out" | awk '{ for (i = 1; i <= 2; ++i) { split($i, t, /[ms]/); s += t[1] * 60 + t[2] } print s }')"
    [ -n "$rate" ] && [ -n "$frames" ] || return
    awk -v r="$rate" -v f="$frames" -v g="$game" -v t="$((after - before))" -v hz="$(getconf CLK_TCK)" \
        -v parts="$split" 'BEGIN { printf "%s cpu %.3f + %.3f ms a frame; %s\n", r, 1000 * g / f, 1000 * t / hz / f, parts }'
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for list in new old ratios; do : >"$work/$list"; done
for pair in $(seq "$pairs"); do
    newRun="$(timeOnce "$newGame")"
    oldRun="$(timeOnce "$oldGame")"
    if [ -z "$newRun" ] || [ -z "$oldRun" ]; then
        echo "pair $pair: a run failed: $(cat "$work/run.err")"
        continue
    fi
    echo "pair $pair: new $newRun"
    echo "pair $pair: old $oldRun"
    echo "${newRun%% *}" >>"$work/new"
    echo "${oldRun%% *}" >>"$work/old"
    awk -v n="${newRun%% *}" -v o="${oldRun%% *}" 'BEGIN { printf "%.3f\n", n / o }' >>"$work/ratios"
done
[ -s "$work/ratios" ] || { echo "no pair ran"; exit 1; }
echo "medians: new $(median <"$work/new") frames/s, old $(median <"$work/old") frames/s;" \
    "ratio of the medians $(awk -v n="$(median <"$work/new")" -v o="$(median <"$work/old")" \
    'BEGIN { printf "%.2f", n / o }'), pair by pair $(sort -g "$work/ratios" | head -n1)" \
    "to $(sort -g "$work/ratios" | tail -n1), median $(median <"$work/ratios")"
