#!/usr/bin/env bash
# End to end on Windows: the player's zip unpacked, and its zema.exe run under Wine on its own
# Xvfb with openbox: --version, the settings file in %APPDATA% read by the game and written by
# zema-setup.exe, the 800 x 600 title against zema-sim's picture, Enter, the arrows, Space and
# Esc. Every wait is for a condition (a window, a file's line, a changed picture), bounded.
# Usage: e2e.sh ZIP ZEMA_SIM VERSION OUTPUT_DIR [STAND_IN_DIR]
# (WINEPREFIX set and its server up: wine_env.sh)
set -uo pipefail
zip="$(readlink -f "$1")"
sim="$(readlink -f "$2")"
version="$3"
out="$4"
standIns="${5:-}"
mkdir -p "$out"
out="$(readlink -f "$out")"
width=1024 height=768
# shellcheck source=tests/support/x_session.sh
source "$(dirname "$0")/../support/x_session.sh"
needTools wine unzip

unzip -q "$zip" -d "$work/unpacked"
gameDir="$(dirname "$(find "$work/unpacked" -name zema.exe)")"

# Runs zema.exe from its folder with the given options, its output in $work/game.out and .err.
runGame() {
    (cd "$gameDir" && exec timeout -k 5 240 wine zema.exe "$@") >"$work/game.out" 2>"$work/game.err"
}

# The picture of the game's window (its client area) as OUTPUT_DIR/NAME.png.
shot() { import -silent -window "$window" "$out/$1.png" 2>/dev/null; }
differing() { compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1 | cut -d' ' -f1; }

# Waits up to 60 s (Wine starts slowly on a busy machine) until the window's picture differs
# from BASE by more than MIN pixels; the last picture is NAME.png.
waitForChange() {
    local base="$1" name="$2" min="$3"
    waitUntil 'shot "$name" && [ "$(differing "$base" "$name")" -gt "$min" ] 2>/dev/null' windowShown
}

# --- --version ----------------------------------------------------------------------------------
runGame --version
[ "$(tr -d '\r' <"$work/game.out")" = "zema $version" ] && pass "--version prints 'zema $version'" \
    || fail "--version printed '$(cat "$work/game.out")' $(head -c 300 "$work/game.err")"

# --- a player's own copy: zema.exe beside its sounds is none; a stand-in's is ---------------------
runGame --check-data
status=$?
grep -qxE "Not a copy: zema(-setup)?\.exe: holds none of the fifteen pictures" <(tr -d '\r' <"$work/game.out") &&
    [ "$status" = 2 ] && pass "--check-data: zema.exe in its folder is not a copy" ||
    fail "--check-data in zema.exe's folder: status $status, $(head -c 300 "$work/game.out")"
if [ -d "$standIns" ]; then
    runGame --data="$(winepath -w "$standIns/pe64-japanese")" --check-data
    [ $? = 0 ] && grep -q "^A whole copy" "$work/game.out" && pass "--data: a stand-in copy read whole" ||
        fail "--data --check-data: $(tail -c 300 "$work/game.out")"
fi

# --- the settings file in the prefix's %APPDATA%\zema --------------------------------------------
appData="$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')" 2>/dev/null)"
mkdir -p "$appData/zema"
# Written as Notepad writes it, with CRLF line ends.
printf 'volume = 37\r\n' >"$appData/zema/zema.conf"
runGame --write-config
grep -q '^volume = 37' <(tr -d '\r' <"$work/game.out") \
    && pass "the settings file in %APPDATA%\\zema is read" \
    || fail "--write-config did not show %APPDATA%\\zema\\zema.conf's volume: $(head -c 300 "$work/game.out")"

# --- zema-setup.exe beside it: its version, a setting saved into that file in its CRLF, Esc ------
(cd "$gameDir" && exec timeout -k 5 240 wine zema-setup.exe --version) >"$work/setup.out" 2>&1
[ "$(tr -d '\r' <"$work/setup.out")" = "zema-setup $version" ] && pass "zema-setup.exe --version" \
    || fail "zema-setup.exe --version printed '$(head -c 300 "$work/setup.out")'"
(cd "$gameDir" && exec timeout -k 5 240 wine zema-setup.exe) >"$work/setup.out" 2>&1 &
gamePid=$!
windowName='^ZEMA setup$'
if findGameWindow --onlyvisible; then
    focusGameWindow
    # The first row (window) steps from no to yes; Save is the first button.
    xdotool key --window "$window" Right End Return
    waitUntil "grep -q 'window = yes' '$appData/zema/zema.conf'" gameRunning
    printf 'volume = 37\r\n\r\n# %s\r\nwindow = yes\r\n' \
        "play in a resizable window of W x H pixels (default 1024x768)" >"$work/wanted.conf"
    cmp -s "$work/wanted.conf" "$appData/zema/zema.conf" \
        && pass "zema-setup.exe saved window = yes into %APPDATA%\\zema\\zema.conf in its CRLF" \
        || fail "zema-setup.exe's file: $(cat -A "$appData/zema/zema.conf" | head -c 300)"
    xdotool key --window "$window" Escape
    wait "$gamePid"
    status=$?
    [ "$status" = 0 ] && pass "Esc left zema-setup.exe with status 0" || fail "zema-setup.exe: status $status"
else
    fail "no 'ZEMA setup' window: $(head -c 300 "$work/setup.out")"
fi
gamePid=""
windowName='^ZEMA$'
rm -f "$appData/zema/zema.conf"

# --- play: the title against zema-sim's, Enter, the arrows, Space, Esc ---------------------------
printf 'frame\n' | "$sim" --mode 800x600 --shot 1 "$out/sim-title.png" >/dev/null ||
    fail "zema-sim wrote no title picture"
(cd "$gameDir" && SDL_AUDIODRIVER=dummy exec timeout -k 5 240 wine zema.exe --window=800x600) \
    >"$work/game.out" 2>"$work/game.err" &
gamePid=$!
if ! findGameWindow --onlyvisible; then
    fail "no ZEMA window appeared: $(head -c 500 "$work/game.err")"
else
    # Until the title is shown: the window's picture equals zema-sim's, pixel for pixel.
    differ=""
    waitUntil 'shot title && differ="$(differing sim-title title)" && [ "$differ" = 0 ]' windowShown
    [ "$differ" = 0 ] && pass "the 800x600 title equals zema-sim's pixel for pixel" \
        || fail "the title differs from zema-sim's in '$differ' pixels (see $out)"
    focusGameWindow
    xdotool key --window "$window" Return
    waitForChange title play 100000 && pass "Enter started a game" \
        || fail "Enter did not start a game"
    shot beforeArrows
    xdotool keydown --window "$window" Right keydown --window "$window" Down
    moved=no
    waitForChange beforeArrows arrows 100000 && moved=yes
    xdotool keyup --window "$window" Right keyup --window "$window" Down
    [ "$moved" = yes ] && pass "the arrows moved the view" || fail "the arrows moved nothing"
    # The beam: 300 x 30 to the right of the craft at (300, 250), for ten frames.
    shot beforeBeam
    convert "$out/beforeBeam.png" -crop 290x20+515+315 +repage "$work/a.png"
    xdotool key --window "$window" space
    beam=no
    beamShown() {
        shot beam && convert "$out/beam.png" -crop 290x20+515+315 +repage "$work/b.png" &&
            [ "$(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 | cut -d' ' -f1)" -gt 4000 ]
    }
    waitUntil beamShown windowShown 300 && beam=yes
    [ "$beam" = yes ] && pass "Space showed the beam" || fail "Space showed no beam"
    # F12: a new picture of the frame in the user's Pictures\ZEMA, never over another.
    pictures="$(winepath -u "$(wine cmd /c echo %USERPROFILE% 2>/dev/null | tr -d '\r')")/Pictures/ZEMA"
    before="$(find "$pictures" -name 'zema-*.png' 2>/dev/null | wc -l)"
    xdotool key --window "$window" F12
    saved=""
    waitUntil 'saved="$(find "$pictures" -name "zema-*.png" -newer "$out/beam.png" 2>/dev/null | head -n1)" &&
        [ -n "$saved" ] && [ "$(identify -format %wx%h "$saved" 2>/dev/null)" = 800x600 ]' gameRunning 300
    [ -n "$saved" ] && [ "$(find "$pictures" -name 'zema-*.png' | wc -l)" = $((before + 1)) ] \
        && pass "F12 saved $(basename "$saved") in the user's Pictures\\ZEMA" \
        || fail "F12 saved no new picture in $pictures"
    # Held until the game has gone: under Wine a press and release sent at once can fall between
    # two of the game's looks at the keyboard.
    xdotool keydown --window "$window" Escape
    waitUntil '! gameRunning' true
    xdotool keyup --window "$window" Escape 2>/dev/null
    wait "$gamePid"
    status=$?
    gamePid=""
    [ "$status" = 0 ] && pass "Esc ended the game with status 0" || fail "Esc: status $status"
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures Windows end-to-end checks failed; pictures in $out"
    exit 1
fi
echo "all Windows end-to-end checks passed; pictures in $out"
