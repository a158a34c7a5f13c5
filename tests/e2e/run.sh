#!/usr/bin/env bash
# End to end through the real program on a private X server: type a script,
# run it with F5 and answer its ReadLine, save it, quit, start again, open it,
# run it again, quit; then check the file's bytes and the settings file.
# usage: tests/e2e/run.sh PATH/TO/pallweave
set -euo pipefail
exe=$(readlink -f "${1:?usage: run.sh PATH/TO/pallweave}")
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "e2e: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
xpid="" ppid=""
cleanup() {
  [ -n "$ppid" ] && kill "$ppid" 2>/dev/null || true
  if [ -n "$xpid" ]; then
    kill "$xpid" 2>/dev/null || true
    wait "$xpid" 2>/dev/null || true  # the next run may take the same display number
  fi
  rm -rf "$work"
}
trap cleanup EXIT
[ -n "${E2E_KEEP:-}" ] && trap "kill \$ppid \$xpid 2>/dev/null; echo kept \$work" EXIT

fail() {
  echo "e2e: $*" >&2
  # A picture of the screen at the failure, when asked for and possible.
  [ -n "${E2E_SCREENSHOT:-}" ] && command -v import >/dev/null && import -window root "$E2E_SCREENSHOT" || true
  [ -f "$work/pallweave.log" ] && sed 's/^/  program: /' "$work/pallweave.log" >&2
  exit 1
}

# A copy of the program outside any install prefix keeps its settings beside it.
cp "$exe" "$work/pallweave"

. "$(dirname "$0")/xserver.sh"
start_xserver
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Polls until cond succeeds, for up to ten seconds.
wait_for() {
  local what=$1; shift
  for _ in $(seq 200); do
    "$@" && return 0
    sleep 0.05
  done
  fail "timed out waiting for $what"
}
window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
has_window() { [ -n "$(window_named "$1")" ]; }
title_is() { [ "$(xdotool getwindowname "$(window_named '^Pallweave')" 2>/dev/null)" = "$1" ]; }
program_gone() { ! kill -0 "$ppid" 2>/dev/null; }
file_has() { [ -f "$1" ] && grep -q -- "$2" "$1"; }

start_program() {
  "$work/pallweave" >>"$work/pallweave.log" 2>&1 &
  ppid=$!
  wait_for "the main window" has_window '^Pallweave'
  focus_main
}
focus_main() { xdotool windowfocus --sync "$(window_named '^Pallweave')"; }
# Without a window manager the menus open by mouse; the menu bar sits at the
# window's top left (the window itself at the screen's origin).
open_menu() {
  case $1 in
    File) xdotool mousemove 20 8 click 1 ;;
    Timeout) xdotool mousemove 179 8 click 1 ;;
  esac
  sleep 0.4
}
# Types a line into whatever has the focus; xdotool loses characters of a
# string with line breaks in it, so lines go one at a time.
type_line() {
  xdotool type --delay 15 -- "$1"
  xdotool key Return
}
# Fills in the file dialog that has the given title start and accepts it.
answer_file_dialog() {
  wait_for "the $1 dialog" has_window "^$1"
  xdotool windowfocus --sync "$(window_named "^$1")"
  xdotool type --delay 15 -- "$2"
  xdotool key Return
}
run_and_answer() {
  rm -f "$work/ran.txt"
  focus_main
  xdotool key F5
  wait_for "the run" title_is "$1 [running]"
  sleep 0.3
  type_line "$2"
  wait_for "the script's output file" file_has "$work/ran.txt" "Hello $2"
  wait_for "the end of the run" title_is "$1"
  xdotool key Escape  # the output phase ends with any key; the script comes back
  sleep 0.3
}
quit_program() {
  focus_main
  open_menu File
  xdotool key x  # E&xit
  wait_for "the program to end" program_gone
  wait "$ppid" || fail "the program exited with status $?"
  ppid=""
}

script=(
  'Set fso = CreateObject("Scripting.FileSystemObject")'
  'WScript.Echo "Name?"'
  'n = WScript.StdIn.ReadLine'
  "Set f = fso.CreateTextFile(\"$work/ran.txt\", True)"
  'f.WriteLine "Hello " & n'
  'f.Close'
  'WScript.Echo "Hello " & n'
)

# First session: type, run, save, choose the 1-second time-out, quit.
start_program
for line in "${script[@]}"; do type_line "$line"; done
run_and_answer "Pallweave v. 2.7 - (new) *" "Ada"
open_menu File
xdotool key a  # Save &As...
answer_file_dialog "Save" "hello"  # the default extension makes it hello.vbs
wait_for "the saved title" title_is "Pallweave v. 2.7 - hello.vbs"
open_menu Timeout
xdotool key Down Down Return  # the second item: 1.0 seconds
quit_program

expected=$(printf '%s\r\n' "${script[@]}"; echo .)
expected=${expected%.}  # the command substitution keeps the last line break this way
cmp -s "$work/hello.vbs" <(printf '%s' "$expected") || fail "hello.vbs is not the typed script with CR LF line ends"
settings=$work/Pallweave.ini
[ -f "$settings" ] || fail "no settings file beside the program"
grep -qx '"TimeoutX",1'$'\r' "$settings" || fail "the time-out was not saved"
grep -qx "\"FilesDir\",\"$work/\""$'\r' "$settings" || fail "the files folder was not saved"
first_settings=$(cat "$settings")

# Second session: open the saved file, run it again, quit without changes.
start_program
open_menu File
xdotool key o  # &Open...
answer_file_dialog "Load" "$work/hello.vbs"
wait_for "the opened title" title_is "Pallweave v. 2.7 - hello.vbs"
run_and_answer "Pallweave v. 2.7 - hello.vbs" "Bob"
quit_program

cmp -s "$work/hello.vbs" <(printf '%s' "$expected") || fail "hello.vbs changed although it was only opened and run"
[ "$(cat "$settings")" = "$first_settings" ] || fail "the settings did not survive a session unchanged"
echo "e2e: typed, ran, saved, reopened and ran again; file and settings as expected"
