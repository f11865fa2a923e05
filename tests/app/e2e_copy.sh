#!/usr/bin/env bash
# End to end with a player's own copy, on the stand-ins windres made: zema-sim's shots are the
# copy's title over the blue clear (PE32 and PE32+, 4- and 8-bit titles, English and Japanese)
# with the records unchanged; the real game in a window shows the same, by --data, by the
# setting, from the working directory and from the user's data folder, with the copy's icon; a
# copy that is not whole gets one line and status 2 from both programs before any window; a
# broken WAV gives 255; --check-data lists what a copy holds.
# Usage: e2e_copy.sh GAME_BINARY ZEMA_SIM STAND_IN_DIR OUTPUT_DIR
set -uo pipefail
game="$(readlink -f "$1")"
sim="$(readlink -f "$2")"
standIns="$(readlink -f "$3")"
out="$4"
mkdir -p "$out"
out="$(readlink -f "$out")"
parts="$standIns/parts"

# shellcheck source=tests/app/x_session.sh
source "$(dirname "$0")/x_session.sh"
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
mkdir -p "$work/empty" "$XDG_CONFIG_HOME/zema"

differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }

# --- zema-sim: the copy's title over the blue clear, the records as without it -------------------
for copy in pe32-english:142 pe64-japanese:title-8; do
    name="${copy%%:*}" title="$parts/${copy#*:}.bmp"
    convert "$title" "$out/want-$name-800.png"
    convert -size 1024x768 xc:'#0000ff' "$title" -geometry +112+84 -composite "$out/want-$name-1024.png"
    for mode in 800x600 1024x768; do
        printf 'frame\n' | "$sim" --data="$standIns/$name" --mode "$mode" --shot 1 \
            "$out/sim-$name-${mode%x*}.png" >/dev/null
        d="$(differing "$out/want-$name-${mode%x*}.png" "$out/sim-$name-${mode%x*}.png")"
        [ "$d" = 0 ] && pass "zema-sim --data $name --mode $mode: the copy's title over blue" ||
            fail "zema-sim --data $name --mode $mode: $d pixels differ from the copy's title"
    done
    script='frame\nenter\nframes 4 r\nspace\nframes 3 d\n'
    if cmp -s <(printf "$script" | "$sim" --data "$standIns/$name") <(printf "$script" | "$sim"); then
        pass "zema-sim --data $name: the same records"
    else
        fail "zema-sim --data $name: the records differ"
    fi
done
printf 'frame\n' | "$sim" --mode 800x600 --shot 1 "$out/sim-own-800.png" >/dev/null
[ "$(differing "$out/sim-own-800.png" "$out/sim-pe32-english-800.png")" -gt 100000 ] &&
    pass "the copy's title is not ZEMA's own" || fail "the copy's title looks like ZEMA's own"

# --- the game in a window: by --data, by the setting, from the working directory and the data
# folder, each showing the copy's title as zema-sim does ----------------------------------------
# Runs the game from FOLDER with the options and compares its title with WANT.png.
showsTitle() { # what, folder, want, options...
    local what="$1" folder="$2" want="$3"
    shift 3
    newFrameReport
    (cd "$folder" && exec timeout -k 5 120 "$game" --window=800x600 "$@") \
        >"$work/game.out" 2>"$work/game.err" &
    gamePid=$!
    if ! waitForGameWindow; then
        fail "$what: no window ($(head -c 300 "$work/game.err"))"
        return 1
    fi
    local d=""
    for _ in $(seq 50); do # until the window manager has placed it and it shows the title
        heldShot "$out/$what.png" window && d="$(differing "$out/$want.png" "$out/$what.png")"
        [ "$d" = 0 ] && break
    done
    [ "$d" = 0 ] && pass "$what: the window shows the copy's title" ||
        fail "$what: $d pixels differ from $want"
    xdotool key Escape
    waitGame
}

if showsTitle by-option "$work/empty" sim-pe64-japanese-800 --data="$standIns/pe64-japanese"; then
    [ "$status" = 0 ] && [ ! -s "$work/game.err" ] && pass "by-option: status 0, nothing said" ||
        fail "by-option: status $status, '$(cat "$work/game.err")'"
fi
printf 'data = %s\n' "$standIns/pe32-english" >"$XDG_CONFIG_HOME/zema/zema.conf"
showsTitle by-setting "$work/empty" sim-pe32-english-800
rm "$XDG_CONFIG_HOME/zema/zema.conf"
showsTitle working-directory "$standIns/pe32-english" sim-pe32-english-800
mkdir -p "$XDG_DATA_HOME/zema"
ln -s "$standIns/pe64-japanese" "$XDG_DATA_HOME/zema/copy"
# Part of a copy in the working directory is passed over, said in one line.
if showsTitle data-folder "$standIns/missing-picture" sim-pe64-japanese-800; then
    grep -qxF "zema: passed over the copy in .: standin.exe: no bitmap 114 (imgGate)" "$work/game.err" &&
        [ "$(wc -l <"$work/game.err")" = 1 ] && pass "part of a copy passed over in one line" ||
        fail "passing over part of a copy said: $(cat "$work/game.err")"
fi

# The copy's icon is the window's (the 32 x 32 image of its two).
startIconGame() {
    (cd "$work/empty" && exec timeout -k 5 120 "$game" --window=800x600) >/dev/null 2>&1 &
    gamePid=$!
}
newFrameReport
startIconGame
if waitForGameWindow; then
    # ZEMA's own is 64 x 64.
    icons="$(xprop -id "$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)')"
    [ "$icons" = "Icon (32 x 32)" ] && pass "the window has the copy's icon" ||
        fail "the window's icon: $icons"
    xdotool key Escape
    waitGame
else
    fail "no window for the icon"
fi
rm "$XDG_DATA_HOME/zema/copy"

# --- not whole: one line naming the file and what is wrong, status 2, before any window ----------
refusal() { # folder, text
    for program in "$game" "$sim"; do
        newFrameReport
        (cd "$work/empty" && env -u DISPLAY "$program" --data="$standIns/$1" </dev/null) \
            >/dev/null 2>"$work/run.err"
        status=$?
        if [ "$status" = 2 ] && [ "$(wc -l <"$work/run.err")" = 1 ] &&
            grep -qF "$standIns/$1/$2" "$work/run.err" && [ ! -e "$ZEMA_FRAME_REPORT" ]; then
            pass "$(basename "$program") $1: status 2, '$(cat "$work/run.err")'"
        else
            fail "$(basename "$program") $1: status $status, '$(cat "$work/run.err")'"
        fi
    done
}
refusal missing-picture "standin.exe: no bitmap 114 (imgGate)"
refusal deep-picture "standin.exe: bitmap 142 (imgTitle) is 800 x 600 at 24 bits"
refusal cut-short "standin.exe: bitmap 113 (imgMap) is cut short"
refusal not-executable "standin.exe: not a Windows executable"
refusal missing-sound "over.wav: missing"

# A WAV there that cannot be read is the failed sound step.
newFrameReport
(cd "$work/empty" && exec timeout -k 5 120 "$game" --window=800x600 --data="$standIns/broken-sound") \
    >/dev/null 2>"$work/run.err" &
gamePid=$!
waitGame
[ "$status" = 255 ] &&
    grep -qxF "zema: cannot load sound file '$standIns/broken-sound/hit.wav': not a RIFF WAVE file" \
        "$work/run.err" && pass "a broken WAV in the copy: status 255, '$(cat "$work/run.err")'" ||
    fail "a broken WAV in the copy: status $status, '$(cat "$work/run.err")'"

# --- --check-data -------------------------------------------------------------------------------
checkData() { # folder, status, lines
    (cd "$work/empty" && "$game" --data="$standIns/$1" --check-data) >"$work/check.out" 2>&1
    status=$?
    local listed
    listed="$(grep -cE '^  (img|snd)' "$work/check.out")"
    [ "$status" = "$2" ] && [ "$listed" = 21 ] && grep -q "$3" "$work/check.out" &&
        pass "--check-data $1: status $2, 15 pictures and 6 sounds listed" ||
        fail "--check-data $1: status $status, $listed listed: $(head -c 400 "$work/check.out")"
}
checkData pe64-japanese 0 "^  imgTitle       bitmap 142   800 x 600, 8 bits$"
checkData deep-picture 2 "^  imgTitle       bitmap 142   refused: 800 x 600 at 24 bits"
checkData not-executable 2 "^  imgMap         bitmap 113   refused: not a Windows executable$"

echo "$failures failure(s)"
[ "$failures" = 0 ]
