#!/usr/bin/env bash
# Times each benchmark script as a whole pallweave-run process, less the time
# of a one-line script, best of N runs (default 5).
# usage: bench/run.sh [path/to/pallweave-run] [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
runner=${1:-$here/../build/cli/pallweave-run}
runs=${2:-5}
best() {
  local file=$1 best=999999
  for _ in $(seq "$runs"); do
    local t0 t1 ms
    t0=$(date +%s%N)
    "$runner" "$file" >/dev/null
    t1=$(date +%s%N)
    ms=$(( (t1 - t0) / 1000000 ))
    [ "$ms" -lt "$best" ] && best=$ms
  done
  echo "$best"
}
base=$(best "$here/empty.vbs")
printf '%-10s %8s\n' script ms
printf '%-10s %8s\n' startup "$base"
for s in loop fib methods append array dict splitjoin replace regexp; do
  t=$(best "$here/$s.vbs")
  printf '%-10s %8s\n' "$s" $((t - base))
done
