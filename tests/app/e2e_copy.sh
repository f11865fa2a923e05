#!/usr/bin/env bash
# A player's own copy, on windres's stand-ins: zema-sim's shots are the copy's title over blue
# (PE32 and PE32+, 4- and 8-bit, English and Japanese), its records unchanged; the window shows it
# by --data, setting, working directory and data folder, with the copy's icon; a copy not whole
# gets one line and status 2 from both programs before any window; a broken WAV gives 255.
# Usage: e2e_copy.sh GAME_BINARY ZEMA_SIM STAND_IN_DIR OUTPUT_DIR
set -uo pipefail
game="$(readlink -f "$1")"
sim="$(readlink -f "$2")"
standIns="$(readlink -f "$3")"
mkdir -p "$4"
out="$(readlink -f "$4")"
# shellcheck source=tests/support/x_session.sh
source "$(dirname "$0")/../support/x_session.sh"
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
mkdir -p "$work/empty" "$XDG_CONFIG_HOME/zema" "$XDG_DATA_HOME/zema"
differing() { compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1 | cut -d' ' -f1; }

# --- zema-sim: the copy's title over the blue clear, the records as without it -------------------
for copy in pe32-english:142 pe64-japanese:title-8; do
    name="${copy%%:*}" title="$standIns/parts/${copy#*:}.bmp"
    convert "$title" "$out/want-$name-800.png" && convert -size 1024x768 xc:'#0000ff' "$title" \
        -geometry +112+84 -composite "$out/want-$name-1024.png"
    for mode in 800x600 1024x768; do
        printf 'frame\n' | "$sim" --data="$standIns/$name" --mode "$mode" --shot 1 \
            "$out/sim-$name-${mode%x*}.png" >/dev/null
        d="$(differing "want-$name-${mode%x*}" "sim-$name-${mode%x*}")"
        [ "$d" = 0 ] && pass "zema-sim --data $name --mode $mode: the copy's title over blue" ||
            fail "zema-sim --data $name --mode $mode: $d pixels differ from the copy's title"
    done
    script='frame\nenter\nframes 4 r\nspace\nframes 3 d\n'
    cmp -s <(printf "$script" | "$sim" --data "$standIns/$name") <(printf "$script" | "$sim") &&
        pass "zema-sim --data $name: the same records" || fail "zema-sim --data $name: records differ"
done

# --- the game in a window shows the copy's title as zema-sim does --------------------------------
# Starts the game in FOLDER with the options, compares its title with WANT and leaves it running.
showsTitle() { # what, folder, want, options...
    local what="$1" folder="$2" want="$3" d=""
    shift 3
    newFrameReport
    (cd "$folder" && exec timeout -k 5 120 "$game" --window=800x600 "$@") \
        >"$work/game.out" 2>"$work/game.err" &
    gamePid=$!
    waitForGameWindow || { fail "$what: no window ($(head -c 300 "$work/game.err"))"; return 1; }
    for _ in $(seq 50); do # until the window manager has placed it
        heldShot "$out/$what.png" window && d="$(differing "$want" "$what")" && [ "$d" = 0 ] && break
    done
    [ "$d" = 0 ] && pass "$what: the window shows the copy's title" || fail "$what: $d pixels differ"
}
quit() { xdotool key Escape && waitGame; }

showsTitle by-option "$work/empty" sim-pe64-japanese-800 --data="$standIns/pe64-japanese" && {
    # ZEMA's own icon is 64 x 64; the copy's two images are 16 and 32 pixels a side.
    icons="$(xprop -id "$window" _NET_WM_ICON | grep -o 'Icon ([0-9]* x [0-9]*)')"
    [ "$icons" = "Icon (32 x 32)" ] && pass "the window has the copy's icon" || fail "icon: $icons"
    quit
    [ "$status" = 0 ] && [ ! -s "$work/game.err" ] && pass "by-option: status 0, nothing said" ||
        fail "by-option: status $status, '$(cat "$work/game.err")'"
}
printf 'data = %s\n' "$standIns/pe32-english" >"$XDG_CONFIG_HOME/zema/zema.conf"
showsTitle by-setting "$work/empty" sim-pe32-english-800 && quit
rm "$XDG_CONFIG_HOME/zema/zema.conf"
showsTitle working-directory "$standIns/pe32-english" sim-pe32-english-800 && quit
# Part of a copy in the working directory is passed over with one line; the data folder's is used.
ln -s "$standIns/pe64-japanese" "$XDG_DATA_HOME/zema/copy"
showsTitle data-folder "$standIns/missing-picture" sim-pe64-japanese-800 && quit &&
    [ "$(cat "$work/game.err")" = "zema: passed over the copy in .: standin.exe: no bitmap 114 (imgGate)" ] &&
    pass "part of a copy is passed over in one line" || fail "passing over: '$(cat "$work/game.err")'"

# --- not whole: one line naming the file and what is wrong, status 2, before any window ----------
for refused in "missing-picture:standin.exe: no bitmap 114 (imgGate)" \
    "deep-picture:standin.exe: bitmap 142 (imgTitle) is 800 x 600 at 24 bits; it must be 800 x 600 at 4 or 8" \
    "cut-short:standin.exe: bitmap 113 (imgMap) is cut short: it ends past the end of the file" \
    "not-executable:standin.exe: not a Windows executable" "missing-sound:over.wav: missing"; do
    folder="${refused%%:*}"
    for program in zema:"$game" zema-sim:"$sim"; do
        # Without a display, a window tried would end the start another way, with status 0.
        (cd "$work/empty" && env -u DISPLAY "${program#*:}" --data="$standIns/$folder" </dev/null) \
            >/dev/null 2>"$work/run.err"
        status=$?
        [ "$status" = 2 ] && [ "$(cat "$work/run.err")" = "${program%%:*}: $standIns/$folder/${refused#*:}" ] &&
            pass "${program%%:*} $folder: status 2, one line" ||
            fail "${program%%:*} $folder: status $status, '$(cat "$work/run.err")'"
    done
done
# A WAV there that cannot be read is the failed sound step.
(cd "$work/empty" && exec timeout -k 5 120 "$game" --window=800x600 --data="$standIns/broken-sound") \
    >/dev/null 2>"$work/run.err"
status=$?
[ "$status" = 255 ] && [ "$(cat "$work/run.err")" = \
    "zema: cannot load sound file '$standIns/broken-sound/hit.wav': not a RIFF WAVE file" ] &&
    pass "a broken WAV in the copy: status 255" || fail "a broken WAV: $status, '$(cat "$work/run.err")'"

echo "$failures failure(s)"
[ "$failures" = 0 ]
