#!/usr/bin/env bash
# --view and --scale at 2560 x 1440, the real game under Xvfb and openbox (usage: e2e_view.sh
# GAME_BINARY ZEMA_SIM OUTPUT_DIR; GAME_BINARY's folder holds the WAV files).
set -uo pipefail
game="$(readlink -f "$1")" sim="$(readlink -f "$2")" out="$3" width=2560 height=1440
mkdir -p "$out" && out="$(readlink -f "$out")"
source "$(dirname "$0")/../support/x_session.sh"
game="$(emulated "$game")" sim="$(emulated "$sim")"

startGame() {
    newFrameReport
    (cd "$(dirname "$game")" && exec timeout -k 5 120 "$game" "$@") >"$work/game.out" 2>"$work/game.err" &
    gamePid=$!
    waitForGameWindow --onlyvisible || { fail "no ZEMA window appeared ($*)"; return 1; }
}

# Waits for the window to be WxH and a frame drawn at that size; takes the window or the root
# while the game holds on a frame.
takeWhenSized() { # WxH, name, window|root
    waitSize "$1" || fail "$2: the window is $(windowSize), not $1"
    heldShot "$out/$2.png" "$3"
}

# Black outside WxH+X+Y; inside, the title brought back to 800 x 600 is close to zema-sim's.
expectFitted() { # name, WxH+X+Y, what
    local geometry="$2" w h x y others rmse
    IFS='x+' read -r w h x y <<<"$geometry"
    others="$(convert "$out/$1.png" -fill black -draw "rectangle $x,$y $((x + w - 1)),$((y + h - 1))" -format '%k %[fx:maxima]' info:)"
    convert "$out/$1.png" -crop "$geometry" +repage -resize '800x600!' "$work/back.png"
    rmse="$(compare -metric RMSE "$work/back.png" "$out/title.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/')"
    [ "$others" = "1 0" ] && awk "BEGIN{exit !($rmse < 0.05)}" &&
        pass "$3: the title at $geometry, black around it (RMSE $rmse)" ||
        fail "$3: outside $geometry '$others' (want '1 0'), RMSE $rmse"
}

printf 'frame\n' | "$sim" --mode 800x600 --shot 1 "$out/title.png" >/dev/null ||
    fail "zema-sim wrote no title picture"
convert "$out/title.png" -scale 200% "$out/title-doubled.png"

if startGame --view=800x600 --scale=integer; then
    takeWhenSized "${width}x$height" integer root
    convert "$out/integer.png" -crop 1600x1200+480+120 +repage "$work/crop.png"
    d="$(compare -metric AE "$work/crop.png" "$out/title-doubled.png" null: 2>&1 | cut -d' ' -f1)"
    [ "$d" = 0 ] && pass "integer: the title doubled pixel for pixel at (480,120)" ||
        fail "integer: the doubled title differs in $d pixels"
    expectFitted integer 1600x1200+480+120 integer
    xdotool key Escape && waitGame
fi

startGame --view=800x600 --scale=fit && takeWhenSized "${width}x$height" fit root &&
    expectFitted fit 1920x1440+320+0 fit && xdotool key Escape && waitGame

if startGame --window=1000x700 --view=800x600; then
    takeWhenSized 1000x700 window1000 window
    expectFitted window1000 933x700+33+0 "a 1000x700 window"
    focusGameWindow && xdotool key alt+Return
    takeWhenSized "${width}x$height" toggled root
    expectFitted toggled 1920x1440+320+0 "Alt+Enter from the window"
    xdotool key Escape && waitGame
fi
[ "$failures" = 0 ] || { echo "$failures end-to-end checks of the view failed; pictures in $out"; exit 1; }
echo "all end-to-end checks of the view passed; pictures in $out"
