#!/usr/bin/env bash
# What the README's section on sorting says, checked on the index LaTeX
# wrote for the example document: makeindex -L under a Russian CP-1251
# locale gives the Russian alphabetical order; without it, every capital
# comes before every small letter.
#     sorting_test.sh SOURCE_DIR TAVLON
set -euo pipefail
SOURCE_DIR=$1 tavlon=$2
. "$SOURCE_DIR/tests/shell_helpers.sh"

require_programs makeindex localedef iconv
require_russian_locale_source
make_work_folder
cd "$WORK"
"$tavlon" "$SOURCE_DIR/examples/russian-cp1251.idx" converted.idx
mkdir locales
run_logged localedef -i ru_RU -f CP1251 locales/ru_RU.CP1251

run_logged env LOCPATH="$WORK/locales" LC_ALL=ru_RU.CP1251 makeindex -L converted.idx -o russian.ind
assert_russian_order russian.ind

# Line numbers of the items that begin with a capital (0xC0-0xDF) or a small
# letter (0xE0-0xFF) in Windows-1251.
items_beginning_with() {
    LC_ALL=C grep -anE "^ *\\\\item $1" "$2" | cut -d: -f1 || true  # none is an answer too
}
for options in "" "-L"; do
    run_logged env LC_ALL=C makeindex $options converted.idx -o bytes.ind
    last_capital=$(items_beginning_with $'[\xC0-\xDF]' bytes.ind | tail -n 1)
    first_small=$(items_beginning_with $'[\xE0-\xFF]' bytes.ind | head -n 1)
    if [[ -z $last_capital || -z $first_small ]] || ((last_capital > first_small)); then
        fail "makeindex $options in the C locale mixes capitals and small letters"
    fi
done
echo "PASSED"
