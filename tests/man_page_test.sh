#!/usr/bin/env bash
# The manual page renders without a single groff warning, explains every
# message the program prints, and shows the latexmk recipe that the
# pipeline tests run.
#     man_page_test.sh SOURCE_DIR
set -euo pipefail
SOURCE_DIR=$1
. "$SOURCE_DIR/tests/shell_helpers.sh"

require_programs groff
page=$SOURCE_DIR/man/tavlon.1

# man renders for the terminal, where a glyph the PostScript fonts have may be missing.
for device in ps utf8 ascii; do
    warnings=$(groff -man -ww -z -T"$device" "$page" 2>&1)
    [[ -z $warnings ]] || fail "groff -T$device warns: $warnings"
done

source=$(<"$page")
while IFS= read -r message; do
    [[ $source == *"$message"* ]] || fail "DIAGNOSTICS lacks $message"
done < <(grep -oE '"Cannot [^"]*"|"[^"]* are the same"' "$SOURCE_DIR/src/main.cpp" | tr -d '"')

rendered=$(groff -man -Tascii -P-cbou "$page")
while IFS= read -r line; do
    [[ -z $line || $line == \#* ]] && continue
    [[ $rendered == *"$line"* ]] || fail "EXAMPLES differs from examples/latexmkrc at: $line"
done <"$SOURCE_DIR/examples/latexmkrc"
echo "PASSED"
