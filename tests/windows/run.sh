#!/usr/bin/env bash
# The Windows build's tests under Wine: every test program once (ctest in the Windows build),
# zema-sim.exe on every committed replay script byte for byte equal to the Linux build's
# zema-sim, a player's own copy through zema-sim.exe, and the zip's zema.exe end to end (e2e.sh).
# Usage: run.sh WINDOWS_BUILD_DIR LINUX_ZEMA_SIM VERSION (after scripts/windows.sh)
set -uo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
out="$(readlink -f "$1")"
linuxSim="$(readlink -f "$2")"
version="$3"
source "$root/scripts/wine_env.sh" "$out"
export SDL_AUDIODRIVER=dummy
failed=0

echo "== the Windows test programs under Wine, each run once"
ctest --test-dir "$out/zema" --output-on-failure -j2 || failed=1

echo "== zema-sim.exe against the Linux zema-sim on every replay script"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for script in "$root"/tests/replays/*.script; do
    name="$(basename "$script" .script)"
    options=$(sed -n '1s/^# options://p' "$script")
    # shellcheck disable=SC2086 # the options are words
    "$linuxSim" $options <"$script" >"$work/$name.linux"
    linuxStatus=$?
    # shellcheck disable=SC2086
    wine "$out/zema/tools/zema-sim.exe" $options <"$script" >"$work/$name.windows"
    windowsStatus=$?
    if [ "$linuxStatus" = "$windowsStatus" ] && cmp -s "$work/$name.linux" "$work/$name.windows"; then
        echo "ok: $name: $(wc -l <"$work/$name.windows") frames, the same bytes, status $windowsStatus"
    else
        echo "FAIL: $name: status $windowsStatus (Linux $linuxStatus), output differs:"
        cmp "$work/$name.linux" "$work/$name.windows" | head -n 3
        failed=1
    fi
done

echo "== a player's own copy: zema-sim.exe's shots of the stand-ins against the Linux zema-sim's"
standIns="$(dirname "$linuxSim")/../stand-ins"
if [ -d "$standIns" ]; then
    for copy in pe32-english pe64-japanese; do
        printf 'frame\n' | "$linuxSim" --data "$standIns/$copy" --shot 1 "$work/$copy.linux.png" \
            >/dev/null
        printf 'frame\n' | wine "$out/zema/tools/zema-sim.exe" --data "$(winepath -w "$standIns/$copy")" \
            --shot 1 "$(winepath -w "$work/$copy.windows.png")" >/dev/null
        cmp -s "$work/$copy.linux.png" "$work/$copy.windows.png" &&
            echo "ok: zema-sim.exe --data $copy: the same picture" ||
            { echo "FAIL: zema-sim.exe --data $copy: the picture differs"; failed=1; }
    done
    wine "$out/zema/tools/zema-sim.exe" --data "$(winepath -w "$standIns/missing-picture")" \
        </dev/null >/dev/null 2>"$work/copy.err"
    status=$?
    [ "$status" = 2 ] && grep -q 'standin.exe: no bitmap 114 (imgGate)' "$work/copy.err" &&
        echo "ok: zema-sim.exe refuses a copy missing a picture: $(cat "$work/copy.err")" ||
        { echo "FAIL: a copy missing a picture: status $status, $(cat "$work/copy.err")"; failed=1; }
else
    echo "skip: no stand-in copies in $standIns (windres missing)"
fi

echo "== the zip's zema.exe end to end under Wine, Xvfb and openbox"
bash "$root/tests/windows/e2e.sh" "$out"/zema-"$version"-win64.zip "$linuxSim" "$version" \
    "$out/e2e-pictures" "$standIns" || failed=1
wineserver -k || true
exit "$failed"
