#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs one of them.
# usage: fuzz/run.sh engine|settings [SECONDS] [BUILD_DIR]
# Corpora live in BUILD_DIR/corpus-NAME, seeded from the golden scripts, the
# benchmarks and the kept regression inputs (engine) or fuzz/settings_seeds
# (settings). Findings are written to BUILD_DIR/findings-NAME/; keep each one
# in tests/fuzz_regressions/ once it is fixed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
name=${1:?usage: fuzz/run.sh engine|settings [SECONDS] [BUILD_DIR]}
seconds=${2:-600}
build=${3:-$root/build-fuzz}
cmake -S "$root" -B "$build" -DPALLWEAVE_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target "fuzz_$name"
corpus=$build/corpus-$name findings=$build/findings-$name
mkdir -p "$corpus" "$findings"
# -timeout: one library call over a 100 MB string takes seconds under the
# sanitizers, and the script time-out is only checked between calls.
args=(-max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 -print_final_stats=1
      -artifact_prefix="$findings/")
case "$name" in
  engine)
    cp -n "$root"/tests/scripts/*.vbs "$root"/bench/*.vbs "$root"/samples/*.vbs "$corpus"/
    cp -n "$root"/tests/fuzz_regressions/*.vbs "$corpus"/ 2>/dev/null || true
    args+=(-max_len=16384 -dict="$here/vbscript.dict")
    ;;
  settings)
    cp -n "$here"/settings_seeds/* "$corpus"/
    cp -n "$root"/tests/fuzz_regressions/*.ini "$corpus"/ 2>/dev/null || true
    args+=(-max_len=4096)
    ;;
  *) echo "unknown target $name" >&2; exit 2 ;;
esac
# One process in the foreground, so that both targets can run at once.
ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1 \
  "$build/fuzz/fuzz_$name" "${args[@]}" "$corpus"
