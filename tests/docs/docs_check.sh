#!/usr/bin/env bash
# The documents against the option table: the manual's tables are the ones zema-docs makes, every
# long option `zema --help` lists is in the manual page and in docs/manual.md, HACKING.md names
# every folder of the code, and the page renders with no warning from groff.
# Usage: docs_check.sh ZEMA ZEMA_DOCS MAN_PAGE SOURCE_DIR
set -uo pipefail
zema="$1" docs="$2" man="$3" source="$4"
# shellcheck source=tests/test_checks.sh
source "$(dirname "$0")/../test_checks.sh"
zema="$(emulated "$zema")" docs="$(emulated "$docs")"

"$docs" check "$source/docs/manual.md" && pass "docs/manual.md's tables are the option table's" ||
    fail "docs/manual.md's tables"

options="$("$zema" --help | grep -o -- '--[a-z][a-z.-]*' | sort -u)"
[ "$(wc -l <<<"$options")" -ge 20 ] || fail "zema --help lists too few options: $options"
for option in $options; do
    grep -qF -- "${option//-/\\-}" "$man" || fail "the manual page lacks $option"
    grep -qF -- "\`$option" "$source/docs/manual.md" || fail "docs/manual.md lacks $option"
done
pass "$(wc -l <<<"$options") options of zema --help checked"

# HACKING.md names every folder of the code, a nested one at least by its own name.
for folder in $(git -C "$source" ls-files src tools web bench tests | sed "s|/[^/]*$||" | sort -u); do
    grep -qF -- "\`$folder" "$source/HACKING.md" || grep -qF -- "\`${folder##*/}\`" "$source/HACKING.md" ||
        fail "HACKING.md does not name the folder $folder"
done

if command -v groff >/dev/null; then
    warnings="$(groff -man -ww -Tutf8 "$man" 2>&1 >/dev/null)"
    [ -z "$warnings" ] && pass "groff -man -ww: no warnings" || fail "groff -man -ww: $warnings"
else
    echo "groff is not installed (scripts/install-deps.sh test installs it): page not rendered"
fi
[ "$failures" = 0 ]
