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

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
pass() { echo "ok: $*"; }
