#!/usr/bin/env bash
# The Windows build's tests under Wine: every test program once (ctest in the Windows build),
# zema-sim.exe on every committed replay script byte for byte equal to the Linux build's
# zema-sim, and the zip's zema.exe end to end (e2e.sh).
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

echo "== the zip's zema.exe end to end under Wine, Xvfb and openbox"
bash "$root/tests/windows/e2e.sh" "$out"/zema-"$version"-win64.zip "$linuxSim" "$version" \
    "$out/e2e-pictures" "$(dirname "$linuxSim")/../stand-ins" || failed=1
wineserver -k || true
exit "$failed"
