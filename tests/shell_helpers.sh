# shellcheck shell=bash
# Sourced by the shell tests that drive LaTeX, makeindex, groff and make.
# The caller sets `set -euo pipefail` and SOURCE_DIR.

# Programs run as a user runs them, not as part of the make that may be
# running the tests.
unset MAKEFLAGS MFLAGS MAKELEVEL

# Ends the test when something it needs is not installed: skipped on a
# developer's machine, failed in CI, where .ci/run must install everything.
lacking() {
    if [[ ${CI:-} == true ]]; then
        echo "FAILED: not installed: $*" >&2
        exit 1
    fi
    echo "SKIPPED: not installed: $*"
    exit 77  # SKIP_RETURN_CODE of these tests
}

require_programs() {
    local program
    for program in "$@"; do
        command -v "$program" >/dev/null || lacking "$program"
    done
}

# localedef needs the locale's source, which Debian ships in `locales`.
require_russian_locale_source() {
    [[ -e /usr/share/i18n/locales/ru_RU ]] || lacking "the ru_RU locale source (package locales)"
}

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

# A private folder, removed when the test ends however it ends.
make_work_folder() {
    WORK=$(mktemp -d)
    trap 'rm -rf "$WORK"' EXIT
}

# Runs a command quietly into a log, which is shown only if it fails.
run_logged() {
    local log=$WORK/run.log
    "$@" </dev/null >"$log" 2>&1 || { cat "$log"; fail "$*"; }
}

# The entries of a .ind file in UTF-8, one a line: "\item TEXT" or
# "\subitem TEXT", TEXT cut at its first comma, where the pages begin.
index_entries() {
    LC_ALL=C grep -aE '^[[:space:]]*\\(sub)*item ' "$1" |
        LC_ALL=C sed -E 's/^[[:space:]]+//; s/,.*//' | iconv -f CP1251 -t UTF-8
}

# The order of the example documents' index, stated by hand from the
# alphabet: capitals and small letters together, Ё escapes first.
EXPECTED_ORDER=$SOURCE_DIR/tests/data/russian-index-order.txt

assert_russian_order() {
    diff -u "$EXPECTED_ORDER" <(index_entries "$1") || fail "$1 is not in Russian alphabetical order"
}
