# Sourced: makes the Wine prefix OUT/wine for the Windows build and its tests, and starts its
# server. Wine's background services hold a build's output pipe open unless the prefix and a
# persistent server (wineserver -p) exist before the build; a crashing program must not wait in
# Wine's crash dialog. `wineserver -k` stops it all when done. Usage: source wine_env.sh OUT
mkdir -p "$1"
export WINEPREFIX="$(cd "$1" && pwd)/wine"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
# Fails only when a server for this prefix is up already (a persistent one from an earlier run).
wineserver -p 2>/dev/null || true
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        >/dev/null 2>&1
    # Wine links the user's Pictures, Documents and the like to $HOME: folders of the prefix's
    # own instead, so that what the tests save stays in it.
    for link in "$WINEPREFIX"/drive_c/users/*/*; do
        if [ -L "$link" ]; then rm "$link" && mkdir "$link"; fi
    done
fi
# Wine's services start with the first program and keep its output open: started here, on no
# pipe, they never hold a build's or a test run's (ninja and ctest would wait for them forever).
wine cmd /c exit </dev/null >/dev/null 2>&1
