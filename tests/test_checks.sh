# Sourced by the shell-driven tests: the tools a test needs, and pass/fail counting.

# skipWithout TOOL...: ends the test as skipped (77) when a tool is not installed.
skipWithout() {
    for tool in "$@"; do
        if ! command -v "$tool" >/dev/null; then
            echo "SKIP: $tool is not installed (scripts/install-deps.sh test installs it)"
            exit 77
        fi
    done
}

# needTools TOOL...: fails the test when a tool is not installed.
needTools() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "FAIL: $tool is needed and not installed"; exit 1; }
    done
}

# emulated PROGRAM: what runs PROGRAM. With ZEMA_EMULATOR set (CTest sets it in a cross build to
# qemu-aarch64), a script beside it that runs it through the emulator, so that the programs under
# test run whether or not the kernel hands their format to the emulator itself (binfmt_misc).
emulated() {
    if [ -z "${ZEMA_EMULATOR:-}" ]; then
        printf '%s\n' "$1"
        return
    fi
    # Made whole under another name first: several tests may write the same one at once.
    printf '#!/bin/sh\nexec %s "%s" "$@"\n' "$ZEMA_EMULATOR" "$1" >"$1.emulated.$$" &&
        chmod +x "$1.emulated.$$" && mv -f "$1.emulated.$$" "$1.emulated"
    printf '%s\n' "$1.emulated"
}

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
pass() { echo "ok: $*"; }

# waitUntil CONDITION [WHILE] [TENTHS]: evaluates the shell command CONDITION every tenth of a
# second until it succeeds, then returns 0. Returns 1 as soon as the command WHILE fails (what is
# polled has gone: the game ended, its window vanished), or after TENTHS tries (600, a minute:
# a loaded machine is slow, never that slow). Every wait of the shell-driven tests is one of these.
waitUntil() {
    local _waitCondition="$1" _waitWhile="${2:-true}" _waitTries="${3:-600}"
    for _ in $(seq "$_waitTries"); do
        eval "$_waitCondition" && return 0
        eval "$_waitWhile" || return 1
        sleep 0.1
    done
    return 1
}
