#!/usr/bin/env bash
# What --smooth costs the processor: the game plays the first FRAMES frames of the clearing demo
# (600: a minute) in a 1920 x 1080 window under Xvfb with openbox, with --smooth=60 and without,
# in turn, PAIRS times. Prints each run's processor time (user + system, /usr/bin/time) over its
# wall time, as cores, and each pair's difference: what the pictures between frames take.
# Usage: smooth_cost.sh GAME ZEMA_SIM CLEAR_GAME_SCRIPT [FRAMES [PAIRS]]
# GAME's folder must hold the six WAV files.
set -uo pipefail
game="$(readlink -f "$1")" sim="$(readlink -f "$2")" clearScript="$(readlink -f "$3")"
frames="${4:-600}" pairs="${5:-1}" width=1920 height=1080
# shellcheck source=tests/support/x_session.sh
source "$(dirname "$0")/../../tests/support/x_session.sh"
needTools /usr/bin/time

# The script up to its FRAMES-th frame: "frame" lines count one, a "frames" line that passes it is
# cut there and keeps its keys.
awk -v n="$frames" '$1 == "frames" { if (got + $2 >= n) { $2 = n - got; print; exit } got += $2 }
    $1 == "frame" { got += 1 } { print } got >= n { exit }' "$clearScript" >"$work/clear.demo"
printf 'expect %s\n' "$("$sim" <"$work/clear.demo" | tail -n 1)" >>"$work/clear.demo"

# Processor time of the X server so far, in seconds: it shows the pictures the game sends it.
serverSeconds() { awk -v hz="$(getconf CLK_TCK)" '{ print ($14 + $15) / hz }' "/proc/$xvfbPid/stat"; }

# "processor seconds, wall seconds, the X server's processor seconds" of one run, nothing when it
# failed.
runOnce() { # option...
    local before
    before="$(serverSeconds)"
    (cd "$(dirname "$game")" && /usr/bin/time -f '%U %S %e' -o "$work/time" \
        "$game" --window=${width}x$height --nosound --playdemo "$work/clear.demo" "$@") \
        >/dev/null 2>"$work/run.err" || { echo "a run failed: $(cat "$work/run.err")" >&2; return; }
    awk -v b="$before" -v a="$(serverSeconds)" '{ print $1 + $2, $3, a - b }' "$work/time"
}

echo "$frames frames of the clearing demo in a ${width}x$height window, processor time / wall time:"
for _ in $(seq "$pairs"); do
    read -r plainCpu plainWall plainServer < <(runOnce)
    read -r smoothCpu smoothWall smoothServer < <(runOnce --smooth=60)
    [ -n "${plainCpu:-}" ] && [ -n "${smoothCpu:-}" ] || exit 1
    awk -v pc="$plainCpu" -v pw="$plainWall" -v ps="$plainServer" -v sc="$smoothCpu" \
        -v sw="$smoothWall" -v ss="$smoothServer" 'BEGIN {
        printf "without %.2f s / %.1f s = %.3f cores (X server %.3f); --smooth=60 %.2f s / %.1f s" \
               " = %.3f cores (X server %.3f); its cost %.3f of a core (X server %.3f)\n",
               pc, pw, pc / pw, ps / pw, sc, sw, sc / sw, ss / sw, sc / sw - pc / pw,
               ss / sw - ps / pw }'
done
