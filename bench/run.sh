#!/usr/bin/env bash
# Times each benchmark script as a whole pallweave-run process, less the time
# of a one-line script, best of N runs (default 5); then the string-building
# forms at N/4 and N appends (best of 3, in microseconds), and the
# interpreter against Lua 5.4 on the same loops, as ratios measured in this run.
# usage: bench/run.sh [path/to/pallweave-run] [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
runner=${1:-$here/../build/cli/pallweave-run}
runs=${2:-5}
ms_of() { # command... -> milliseconds of one run
  local t0 t1
  t0=$(date +%s%N)
  "$@" >/dev/null
  t1=$(date +%s%N)
  echo $(( (t1 - t0) / 1000000 ))
}
best() { # runs command...
  local n=$1 b=999999 ms; shift
  for _ in $(seq "$n"); do
    ms=$(ms_of "$@")
    [ "$ms" -lt "$b" ] && b=$ms
  done
  echo "$b"
}
base=$(best "$runs" "$runner" "$here/empty.vbs")
printf '%-12s %8s\n' script ms
printf '%-12s %8s\n' startup "$base"
for s in loop fib methods append array dict splitjoin replace regexp report; do
  t=$(best "$runs" "$runner" "$here/$s.vbs")
  printf '%-12s %8s\n' "$s" $((t - base))
done

# Implicit locals (never declared) against declared ones, same procedure.
d=$(( $(best "$runs" "$runner" "$here/local_dim.vbs") - base ))
u=$(( $(best "$runs" "$runner" "$here/local_implicit.vbs") - base ))
[ "$d" -lt 1 ] && d=1
echo
printf '%-12s %8s %8s %8s\n' locals dim-ms implicit ratio
awk -v a="$u" -v b="$d" 'BEGIN { printf "%-12s %8d %8d %8.2f\n", "procedure", b, a, a / b }'

echo
printf '%-12s %10s %10s %8s\n' form "N/4 ms" "N ms" ratio
us_of() { # command... -> microseconds, best of 3 runs
  local b=999999999 t0 t1 v
  for _ in 1 2 3; do
    t0=$(date +%s%N); "$@" >/dev/null; t1=$(date +%s%N)
    v=$(( (t1 - t0) / 1000 ))
    [ "$v" -lt "$b" ] && b=$v
  done
  echo "$b"
}
ubase=$(us_of "$runner" "$here/empty.vbs")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for f in "$here"/str_*.vbs; do
  name=$(basename "$f" .vbs)
  n=$(sed -n 's/^Const N = \([0-9]*\).*/\1/p' "$f")
  sed "s/^Const N = .*/Const N = $((n / 4))/" "$f" >"$tmp/q.vbs"
  small=$(( $(us_of "$runner" "$tmp/q.vbs") - ubase ))
  large=$(( $(us_of "$runner" "$f") - ubase ))
  [ "$small" -lt 100 ] && small=100
  awk -v s="${name#str_}" -v a="$large" -v b="$small" \
    'BEGIN { printf "%-12s %10.1f %10.1f %8.1f\n", s, b / 1000, a / 1000, a / b }'
done

lua=$(command -v lua5.4 || command -v lua || true)
if [ -n "$lua" ]; then
  # Tenths of a millisecond, best of at least 7 runs: these ratios are what matter here.
  tenths() {
    local n=$1 b=99999999 t0 t1 v; shift
    for _ in $(seq "$n"); do
      t0=$(date +%s%N); "$@" >/dev/null; t1=$(date +%s%N)
      v=$(( (t1 - t0) / 100000 ))
      [ "$v" -lt "$b" ] && b=$v
    done
    echo "$b"
  }
  n=$(( runs > 7 ? runs : 7 ))
  echo
  printf '%-12s %8s %8s %8s\n' script ms lua-ms ratio
  vbase=$(tenths "$n" "$runner" "$here/empty.vbs")
  lbase=$(tenths "$n" "$lua" -e "")
  for s in loop fib methods report; do
    t=$(( $(tenths "$n" "$runner" "$here/$s.vbs") - vbase ))
    l=$(( $(tenths "$n" "$lua" "$here/$s.lua") - lbase ))
    [ "$l" -lt 1 ] && l=1
    awk -v s="$s" -v a="$t" -v b="$l" 'BEGIN { printf "%-12s %8.1f %8.1f %8.2f\n", s, a / 10, b / 10, a / b }'
  done
fi
