#!/bin/sh
# Builds DOCUMENT.dvi with its index in Russian alphabetical order:
#     sh build-with-index.sh DOCUMENT
set -e
doc=${1%.tex}
# makeindex -L sorts by the locale: make a Russian CP-1251 one, once, here.
[ -d .locale/ru_RU.CP1251 ] || { mkdir -p .locale && localedef -i ru_RU -f CP1251 .locale/ru_RU.CP1251; }
latex -interaction=nonstopmode "$doc"
tavlon "$doc.idx" "$doc-cp1251.idx"
LOCPATH="$PWD/.locale" LC_ALL=ru_RU.CP1251 makeindex -L "$doc-cp1251.idx" -o "$doc.ind"
latex -interaction=nonstopmode "$doc"
