#!/usr/bin/env bash
# pallweave-run as a shell sees it: pipes both ways, a #! script run as a
# command, --help/--version/--check, //logo, SIGINT during a loop, a Sleep and
# a ReadLine (exit 130), a reader that goes away (no crash), output flushed
# before the runner waits for input.
# usage: cli_test.sh RUNNER
set -u
runner=$(realpath "$1")
tmp=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  rm -rf "$tmp"
}
trap cleanup EXIT
pass=0 fail=0
ok() { pass=$((pass + 1)); }
bad() { echo "FAIL: $*" >&2; fail=$((fail + 1)); }
expect() {  # expect NAME ACTUAL EXPECTED
  if [ "$2" == "$3" ]; then ok; else bad "$1: got [$2], expected [$3]"; fi
}
cd "$tmp"

# --- help, version, check -------------------------------------------------
out=$("$runner" --help 2>err); rc=$?
expect "--help exit" "$rc" 0
[[ $out == usage:\ pallweave-run* ]] && [ ! -s err ] && ok || bad "--help prints its usage to stdout"
out=$("$runner" //? 2>/dev/null); rc=$?
expect "//? exit" "$rc" 0
[[ $out == usage:* ]] && ok || bad "//? prints the usage"
out=$("$runner" --version 2>err); rc=$?
expect "--version exit" "$rc" 0
[[ $out =~ ^pallweave-run\ [0-9]+\.[0-9]+ ]] && [ ! -s err ] && ok || bad "--version: [$out]"
"$runner" >/dev/null 2>err; rc=$?
expect "no script exit" "$rc" 2
grep -q "no script file" err && ok || bad "no script: $(cat err)"
"$runner" --bogus x.vbs >/dev/null 2>&1; expect "--bogus exit" "$?" 2
"$runner" missing.vbs >/dev/null 2>err; rc=$?
expect "missing file exit" "$rc" 2
grep -q "cannot read missing.vbs" err && ok || bad "missing file: $(cat err)"

# --- the banner ----------------------------------------------------------
echo 'WScript.Echo "body"' >b.vbs
out=$("$runner" //logo b.vbs)
[[ $out == Pallweave\ Script\ Host\ version* ]] && [[ $out == *$'\n\nbody' ]] && ok || bad "//logo: [$out]"
expect "default has no banner" "$("$runner" b.vbs)" body
expect "//LOGO //NOLOGO" "$("$runner" //LOGO //NOLOGO b.vbs)" body

# --- pipes and files both ways -----------------------------------------------
cat >upper.vbs <<'EOF'
Do Until WScript.StdIn.AtEndOfStream
    WScript.StdOut.WriteLine UCase(WScript.StdIn.ReadLine)
Loop
EOF
printf 'one\ntwo\nthree' | "$runner" upper.vbs >piped.txt
expect "pipe in, file out" "$(cat piped.txt)" $'ONE\nTWO\nTHREE'
printf 'a\nb\n' >in.txt
expect "file in, pipe out" "$("$runner" upper.vbs <in.txt | tr -d '\n')" AB
expect "no input" "$("$runner" upper.vbs </dev/null | wc -c)" 0
seq 1 50000 >many.txt
expect "large input" "$("$runner" upper.vbs <many.txt | tail -n1)" 50000
# Echo and the streams share one ordered standard output; stderr apart.
printf 'WScript.Echo 1\nWScript.StdOut.WriteLine 2\nWScript.StdErr.WriteLine "e"\nWScript.Echo 3\nWScript.Quit 4\n' >mix.vbs
"$runner" mix.vbs >mix.out 2>mix.err; rc=$?
expect "Quit status" "$rc" 4
expect "stdout to a file at Quit" "$(cat mix.out)" $'1\n2\n3'
expect "stderr" "$(cat mix.err)" e

# A file the script left open is complete after Quit.
printf 'Set f = CreateObject("Scripting.FileSystemObject").CreateTextFile("q.txt", True)\nf.WriteLine "kept"\nWScript.Quit 2\n' >fsoquit.vbs
"$runner" fsoquit.vbs; rc=$?
expect "Quit with an open file" "$rc" 2
expect "open file written out at Quit" "$(tr -d "\r" <q.txt 2>&1)" kept

# --- a #! script run as a command ---------------------------------------------
mkdir bin
ln -s "$runner" bin/pallweave-run
printf '#!/usr/bin/env pallweave-run\nWScript.Echo "args", WScript.Arguments.Count, WScript.Arguments(0)\nWScript.Quit 3\n' >tool.vbs
chmod +x tool.vbs
out=$(PATH="$tmp/bin:$PATH" ./tool.vbs "hello world"); rc=$?
expect "#! output" "$out" "args 1 hello world"
expect "#! exit" "$rc" 3

# --- output is flushed before the runner waits for input ------------------------
mkfifo fifo
printf 'WScript.StdOut.Write "name? "\nn = WScript.StdIn.ReadLine\nWScript.Echo "hi " & n\n' >ask.vbs
"$runner" ask.vbs <fifo >ask.out &
pid=$!; pids+=("$pid")
exec 3>fifo  # the writer end stays open: the runner waits in ReadLine
for _ in $(seq 100); do [ -s ask.out ] && break; sleep 0.05; done
expect "prompt shown while waiting" "$(cat ask.out)" "name? "
echo bob >&3
exec 3>&-
wait "$pid"
expect "answer read" "$(cat ask.out)" "name? hi bob"

# --- SIGINT: exit 130, output so far kept -----------------------------------------
interrupt() {  # interrupt NAME SCRIPT [stdin]: starts the script, waits for "ready", sends SIGINT
  local name=$1 script=$2 input=${3:-/dev/null}
  printf '%s' "$script" >"$name.vbs"
  "$runner" "$name.vbs" <"$input" >"$name.out" 2>"$name.err" &
  local p=$!
  pids+=("$p")
  for _ in $(seq 200); do grep -q ready "$name.out" 2>/dev/null && break; sleep 0.05; done
  local t0=$(date +%s%N)
  kill -INT "$p"
  wait "$p"
  local rc=$? ms=$((($(date +%s%N) - t0) / 1000000))
  expect "$name exit" "$rc" 130
  expect "$name output" "$(cat "$name.out")" ready
  [ ! -s "$name.err" ] && ok || bad "$name wrote to stderr: $(cat "$name.err")"
  [ "$ms" -lt 2000 ] && ok || bad "$name took $ms ms to stop"
}
# A loop that calls nothing, protected by On Error Resume Next: Ctrl-C is no script error.
interrupt loop $'On Error Resume Next\nWScript.Echo "ready"\nDo\n  n = n + 1\nLoop\n'
interrupt sleep $'WScript.Echo "ready"\nWScript.Sleep 60000\nWScript.Echo "not reached"\n'
exec 3<>fifo  # open both ends: ReadLine waits with no end of input in sight
interrupt readline $'WScript.Echo "ready"\nx = WScript.StdIn.ReadLine\nWScript.Echo "not reached"\n' fifo
interrupt readall $'WScript.Echo "ready"\nx = WScript.StdIn.ReadAll\nWScript.Echo "not reached"\n' fifo
exec 3>&-

# --- a reader that goes away -----------------------------------------------------
printf 'Do\n  WScript.Echo "line"\nLoop\n' >forever.vbs
"$runner" forever.vbs 2>pipe.err | head -n 2 >pipe.out
rc=${PIPESTATUS[0]}
expect "closed pipe output" "$(cat pipe.out)" $'line\nline'
expect "closed pipe exit" "$rc" 141
[ ! -s pipe.err ] && ok || bad "closed pipe wrote to stderr: $(cat pipe.err)"
printf 'Do\n  WScript.StdErr.WriteLine "line"\nLoop\n' >forever_err.vbs
"$runner" forever_err.vbs 2>&1 >/dev/null | head -n 1 >/dev/null
expect "closed stderr pipe exit" "${PIPESTATUS[0]}" 141
# Other write failures are errors with a message.
"$runner" b.vbs >/dev/full 2>full.err; rc=$?
expect "full disk exit" "$rc" 1
grep -q "cannot write to standard output" full.err && ok || bad "full disk: $(cat full.err)"
"$runner" b.vbs >&- 2>closed.err; rc=$?
expect "closed stdout exit" "$rc" 1
# A child started by the script still gets the default SIGPIPE action.
printf 'Set sh = CreateObject("WScript.Shell")\nWScript.Echo sh.Run("yes | head -n 1 >/dev/null; exit 7", 0, True)\n' >child.vbs
expect "child pipeline" "$("$runner" child.vbs 2>&1)" 7

echo "$pass passed, $fail failed"
[ "$fail" -eq 0 ]
