#!/usr/bin/env bash
# Whole-process comparison: tavlon against copying the same file (dd, cat),
# a sed script, a Perl script and the plain reference model, on generated
# index files. Every contender's output is checked against tavlon's before
# anything is timed. Rounds alternate the contenders so that a busy machine
# slows all of them alike; the figures are medians.
#
# Usage: bench/compare.sh [BUILD_DIR] [MIB] [ROUNDS]   (BENCH_DIR: where the files go)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
mib=${2:-256}
rounds=${3:-7}
slow_mib=16  # sed, Perl and the reference model run on a prefix of this size

tavlon=$build/tavlon
for tool in "$tavlon" "$build/bench/make_corpus" "$build/bench/reference_tavlon" /usr/bin/time perl sed dd; do
  command -v "$tool" >/dev/null || { echo "compare.sh: missing $tool (build first; Debian: apt-get install time perl sed)" >&2; exit 1; }
done

# Files live in memory (tmpfs) where there is one, so that disk write-back,
# which throttles whichever program happens to be writing, stays out of it.
place=${BENCH_DIR:-}
if [[ -z $place ]]; then
  place=${TMPDIR:-/tmp}
  [[ -d /dev/shm && -w /dev/shm ]] && place=/dev/shm
fi
work=$(mktemp -d "$place/tavlon-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT

now() { date +%s%N; }

# median of the numbers on standard input
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# contender NAME INPUT OUTPUT: runs one contender
contender() {
  local name=$1 in=$2 out=$3
  case $name in
    tavlon) "$tavlon" "$in" "$out" ;;
    dd) dd if="$in" of="$out" bs=256K status=none ;;
    cat) cat "$in" > "$out" ;;
    sed) LC_ALL=C sed -f "$here/escapes.sed" "$in" > "$out" ;;
    perl) perl "$here/escapes.pl" < "$in" > "$out" ;;
    reference) "$build/bench/reference_tavlon" "$in" "$out" ;;
  esac
}

fast=(tavlon dd cat)
slow=(sed perl reference)

printf '%-7s %-10s %8s %10s %10s %9s\n' corpus contender MiB 'median s' 'MB/s' 'x copy'
for kind in dense sparse; do
  big=$work/$kind.idx
  small=$work/$kind-small.idx
  "$build/bench/make_corpus" "$kind" $((mib << 20)) "$big"
  head -c $((slow_mib << 20)) "$big" | sed '$d' > "$small"  # whole lines only

  # Outputs must agree before anything is timed.
  "$tavlon" "$big" "$work/expected"
  "$tavlon" "$small" "$work/expected-small"
  for name in dd cat; do
    contender "$name" "$big" "$work/out"
    cmp -s "$big" "$work/out" || { echo "compare.sh: $name did not copy the file" >&2; exit 1; }
  done
  for name in "${slow[@]}"; do
    contender "$name" "$small" "$work/out"
    cmp "$work/expected-small" "$work/out" || { echo "compare.sh: $name differs from tavlon on $kind" >&2; exit 1; }
  done

  declare -A times=()
  for ((round = 0; round < rounds; round++)); do
    for name in "${fast[@]}" "${slow[@]}"; do
      in=$big
      [[ " ${slow[*]} " == *" $name "* ]] && in=$small
      rm -f "$work/out"
      start=$(now)
      contender "$name" "$in" "$work/out"
      times[$name]+="$(( $(now) - start )) "
    done
  done

  copy_rate=
  for name in dd "${fast[@]}" "${slow[@]}"; do
    [[ $name == dd && -n $copy_rate ]] && continue
    in=$big
    [[ " ${slow[*]} " == *" $name "* ]] && in=$small
    bytes=$(stat -c %s "$in")
    ns=$(tr ' ' '\n' <<<"${times[$name]}" | grep . | median)
    rate=$(awk -v b="$bytes" -v ns="$ns" 'BEGIN { printf "%.0f", b / ns * 1000 }')
    [[ -z $copy_rate ]] && copy_rate=$rate
    printf '%-7s %-10s %8.0f %10.3f %10s %9.2f\n' "$kind" "$name" "$(awk -v b="$bytes" 'BEGIN { print b / 1048576 }')" \
      "$(awk -v ns="$ns" 'BEGIN { print ns / 1e9 }')" "$rate" "$(awk -v c="$copy_rate" -v r="$rate" 'BEGIN { print c / r }')"
  done
  unset times
done

echo
echo "x copy: time per byte relative to dd bs=256K copying the same file (1.00 = as fast as the copy)."
echo "files in $(df --output=fstype "$work" | tail -n 1) at $place; $(nproc) cores; $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')"
echo
printf 'peak memory of tavlon (maximum resident set, KiB):\n'
for size in 1 "$mib"; do
  "$build/bench/make_corpus" dense $((size << 20)) "$work/mem.idx"
  kib=$(/usr/bin/time -f %M "$tavlon" "$work/mem.idx" "$work/out" 2>&1 >/dev/null)
  printf '  %4s MiB dense input: %s\n' "$size" "$kib"
done
