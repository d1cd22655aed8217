#!/usr/bin/env bash
# `make install` with DESTDIR and PREFIX puts the program and its manual
# page, and nothing else, under DESTDIR/PREFIX, and the installed program
# converts an index as the built one does.
#     install_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
SOURCE_DIR=$1 build_dir=$2
. "$SOURCE_DIR/tests/shell_helpers.sh"

require_programs make cmake
make_work_folder
stage=$WORK/stage prefix=/opt/tavlon
run_logged make -C "$SOURCE_DIR" install BUILD="$build_dir" DESTDIR="$stage" PREFIX="$prefix"

installed=$(cd "$stage" && find . ! -type d | sort)
expected=$(printf '%s\n' ".$prefix/bin/tavlon" ".$prefix/share/man/man1/tavlon.1")
[[ $installed == "$expected" ]] || fail "installed files: $installed"
cmp "$stage$prefix/share/man/man1/tavlon.1" "$SOURCE_DIR/man/tavlon.1"

"$stage$prefix/bin/tavlon" "$SOURCE_DIR/examples/russian-cp1251.idx" "$WORK/converted.idx"
cmp "$WORK/converted.idx" "$SOURCE_DIR/tests/data/russian-cp1251.converted.idx"
echo "PASSED"
