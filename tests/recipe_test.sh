#!/usr/bin/env bash
# One recipe of the README run on one example document, as a user runs it:
# LaTeX writes the index, tavlon converts it, makeindex sorts it and LaTeX
# typesets the document with it.
#     recipe_test.sh SOURCE_DIR TAVLON RECIPE DOCUMENT
# RECIPE is plain (examples/build-with-index.sh), latexmk (examples/latexmkrc)
# or make (examples/Makefile); DOCUMENT is an examples/*.tex without .tex.
set -euo pipefail
SOURCE_DIR=$1 tavlon=$2 recipe=$3 document=$4
. "$SOURCE_DIR/tests/shell_helpers.sh"

require_programs latex makeindex localedef iconv dvi2tty
require_russian_locale_source
kpsewhich t2aenc.def >/dev/null || lacking "LaTeX's Cyrillic support (package texlive-lang-cyrillic)"
case $recipe in
plain) recipe_file=build-with-index.sh saved_as=build-with-index.sh command=(sh build-with-index.sh "$document") ;;
latexmk) recipe_file=latexmkrc saved_as=.latexmkrc command=(latexmk "$document") ;;
make) recipe_file=Makefile saved_as=Makefile command=(make "$document.dvi") ;;
*) fail "no recipe $recipe" ;;
esac
require_programs "${command[0]}"
examples=$SOURCE_DIR/examples

# The README shows the recipe file in full, so what users copy is what runs here.
[[ $(<"$SOURCE_DIR/README.md") == *"$(<"$examples/$recipe_file")"* ]] ||
    fail "README.md does not show examples/$recipe_file as it is"

make_work_folder
cp "$examples/$document.tex" "$WORK/"
cp "$examples/$recipe_file" "$WORK/$saved_as"
cd "$WORK"
PATH=$(dirname "$tavlon"):$PATH
export PATH
run_logged "${command[@]}"

cmp "$document.idx" "$examples/$document.idx" ||
    fail "LaTeX no longer writes examples/$document.idx"
assert_russian_order "$document.ind"

# The typeset index must show the entries' letters. T2A fonts put А-я at the
# codes Windows-1251 gives them, so the text of the DVI reads as CP-1251 (less
# 0x98, which CP-1251 lacks); a KOI8-R document that forgot to switch its
# input encoding shows other letters.
typeset=$(dvi2tty -q -c -w250 "$document.dvi" | tr -d '\230' | iconv -f CP1251 -t UTF-8)
while read -r macro text; do
    [[ $text == *[\\\ ]* ]] && continue  # escapes and long lines are set otherwise
    [[ $typeset =~ (^|[[:space:]])"$text", ]] || fail "the typeset index lacks $macro $text"
done <"$EXPECTED_ORDER"

echo "PASSED: the $recipe recipe on $document. Index order:"
index_entries "$document.ind" | sed 's/^\\item //' | paste -sd '|' | sed 's/|/, /g'
