#!/usr/bin/env bash
# Runs one corpus script and compares stdout + stderr with the .out file beside it.
# A first line "' args: ..." in the script passes extra options to the runner;
# a line "' script-args: ..." among the first five gives the words after the
# script, quoted as in the shell; a file NAME.in beside it is fed as standard input.
set -u
runner=$1 script=$2
expected=${script%.vbs}.out
input=${script%.vbs}.in
args=$(head -n1 "$script" | sed -n "s/^' args: //p" | tr -d '\r')
script_args=()
sargs_line=$(head -n5 "$script" | sed -n "s/^' script-args: //p" | tr -d '\r')
eval "script_args=($sargs_line)"
[ -f "$input" ] || input=/dev/null
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$(dirname "$script")"
# shellcheck disable=SC2086
"$runner" $args "$script" "${script_args[@]}" <"$input" >"$tmp/out" 2>"$tmp/err"
echo "exit: $?" >>"$tmp/err"
cat "$tmp/out" "$tmp/err" >"$tmp/all"
if ! diff -u --strip-trailing-cr "$expected" "$tmp/all"; then
  echo "FAILED: $script" >&2
  exit 1
fi
