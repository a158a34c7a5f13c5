#!/usr/bin/env bash
# The real program under a real window manager (openbox on a private X
# server), checked as a user sees it: where the frame lands at first start and
# after a restart, output that shows while the script computes and before a
# dialog covers the run, the font dialog's OK without a change, and how soon
# the process ends once its window has gone.
# usage: tests/e2e/desktop.sh PATH/TO/pallweave   (E2E_SHOTS=DIR keeps screenshots)
set -euo pipefail
exe=$(readlink -f "${1:?usage: desktop.sh PATH/TO/pallweave}")
for tool in Xvfb xdotool openbox xwininfo xprop import compare; do
  command -v "$tool" >/dev/null || { echo "e2e: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
xpid="" wmpid="" ppid=""
cleanup() {
  [ -d "$work/closed" ] && chattr -i "$work/closed" 2>/dev/null || true
  [ -n "$ppid" ] && kill "$ppid" 2>/dev/null || true
  [ -n "$wmpid" ] && kill "$wmpid" 2>/dev/null || true
  if [ -n "$xpid" ]; then
    kill "$xpid" 2>/dev/null || true
    wait "$xpid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
shots=${E2E_SHOTS:-$work/shots}
mkdir -p "$shots"

fail() {
  echo "e2e desktop: $*" >&2
  import -window root "$shots/failure.png" 2>/dev/null || true
  [ -f "$work/pallweave.log" ] && sed 's/^/  program: /' "$work/pallweave.log" >&2
  exit 1
}

cp "$exe" "$work/pallweave"
. "$(dirname "$0")/xserver.sh"
start_xserver
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
mkdir -m 700 "$XDG_RUNTIME_DIR"
openbox >/dev/null 2>&1 &
wmpid=$!
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done

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
main_window() { window_named '^Pallweave v'; }
title_is() { [ "$(xdotool getwindowname "$(main_window)" 2>/dev/null)" = "$1" ]; }
program_gone() { ! kill -0 "$ppid" 2>/dev/null; }
framed() { xprop -id "$(main_window)" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '='; }

# The frame as the user sees it: "x y width height" of the client's
# rectangle grown by the frame extents the window manager reports.
frame_rect() {
  local w ext x y cw ch l r t b
  w=$(main_window)
  ext=$(xprop -id "$w" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  read -r l r t b <<<"$ext"
  x=$(xwininfo -id "$w" | awk '/Absolute upper-left X/ {print $NF}')
  y=$(xwininfo -id "$w" | awk '/Absolute upper-left Y/ {print $NF}')
  cw=$(xwininfo -id "$w" | awk '/Width:/ {print $NF}')
  ch=$(xwininfo -id "$w" | awk '/Height:/ {print $NF}')
  echo "$((x - l)) $((y - t)) $((cw + l + r)) $((ch + t + b))"
}
# The client area's top rows, where the console's first lines are drawn.
console_shot() {
  local w x y
  w=$(main_window)
  x=$(xwininfo -id "$w" | awk '/Absolute upper-left X/ {print $NF}')
  y=$(xwininfo -id "$w" | awk '/Absolute upper-left Y/ {print $NF}')
  import -window root -crop "400x60+$x+$((y + 24))" +repage "$1"
}
same_picture() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = 0 ]; }

start_program() {
  "$work/pallweave" "$@" >>"$work/pallweave.log" 2>&1 &
  ppid=$!
  wait_for "the main window" has_window '^Pallweave v'
  wait_for "the frame" framed
  sleep 0.5  # the window manager's placing settles
  xdotool windowactivate --sync "$(main_window)" 2>/dev/null || true
}
type_line() {
  xdotool type --delay 10 -- "$1"
  xdotool key Return
}
# Quits with Ctrl+Q; exit_ms tells how many milliseconds passed between the
# window's going and the process's end.
quit_program() {
  xdotool windowactivate --sync "$(main_window)" 2>/dev/null || true
  xdotool key ctrl+q
  wait_for "the window to go" bash -c "! xdotool search --onlyvisible --name '^Pallweave v' >/dev/null 2>&1"
  local t0 t1
  t0=$(date +%s%N)
  wait_for "the program to end" program_gone
  t1=$(date +%s%N)
  local status=0
  wait "$ppid" || status=$?
  [ "$status" = 0 ] || fail "the program exited with status $status"
  ppid=""
  exit_ms=$(((t1 - t0) / 1000000))
}

# 1. First start: the frame at the top left, 9000 x 6600 twips (600 x 440
# pixels at 96 dpi), title bar on the screen.
start_program
import -window root "$shots/first-start.png"
read -r fx fy fw fh <<<"$(frame_rect)"
[ "$fx $fy $fw $fh" = "0 0 600 440" ] || fail "first start: frame at $fx,$fy size ${fw}x$fh, not 0,0 600x440"

# 2. Output while the script computes, and before each dialog.
script=(
  'WScript.Echo "step 1" : WScript.Echo "step 2"'
  't = Timer'
  'Do While Timer - t < 2.5 And Timer >= t'
  'Loop'
)
for line in "${script[@]}"; do type_line "$line"; done
xdotool key F5
wait_for "the run" title_is "Pallweave v. 2.7 - (new) * [running]"
sleep 1
console_shot "$shots/computing.png"
wait_for "the end of the run" title_is "Pallweave v. 2.7 - (new) *"
sleep 0.3
console_shot "$shots/after-run.png"
same_picture "$shots/computing.png" "$shots/after-run.png" ||
  fail "while the script computed, the console did not show both lines (see $shots)"
xdotool key Escape
sleep 0.3
xdotool key ctrl+a Delete
type_line 'WScript.Echo "a" : WScript.Echo "b" : MsgBox "m", 0, "Ask"'
xdotool key F5
wait_for "the MsgBox" has_window '^Ask$'
sleep 0.5
console_shot "$shots/behind-msgbox.png"
import -window root "$shots/msgbox.png"
xdotool key Return
wait_for "the end of the run" title_is "Pallweave v. 2.7 - (new) *"
sleep 0.3
console_shot "$shots/after-msgbox.png"
same_picture "$shots/behind-msgbox.png" "$shots/after-msgbox.png" ||
  fail "the console did not show both lines before the MsgBox (see $shots)"
xdotool key Escape
sleep 0.3

# 3. IDE > Font..., OK without a change: the editor stays upright.
xdotool key alt+i
sleep 0.4
xdotool key f
wait_for "the font dialog" has_window '^Select Font'
sleep 0.5
import -window root "$shots/font-dialog.png"
xdotool key Return
sleep 0.5
xdotool key ctrl+n
wait_for "the unsaved question" has_window '^Unsaved changes'
xdotool key n
sleep 0.3
quit_program
ms=$exit_ms
grep -qx '"Font.Italic",#FALSE#'$'\r' "$work/Pallweave.ini" || fail "OK in the font dialog made the editor italic"
grep -q '^"Left",0'$'\r' "$work/Pallweave.ini" && grep -q '^"Top",0'$'\r' "$work/Pallweave.ini" &&
  grep -q '^"Width",9000'$'\r' "$work/Pallweave.ini" && grep -q '^"Height",6600'$'\r' "$work/Pallweave.ini" ||
  fail "the first start's placement did not come back as it was: $(head -5 "$work/Pallweave.ini" | tr -d '\r' | tr '\n' ' ')"

# 4. The process ends with its window.
[ "$ms" -lt 700 ] || fail "the process lived $ms ms after its window had gone"

# 5. A saved placement comes back where it was, frame included, and round-trips.
sed -i 's/^"Left",0\r$/"Left",1500\r/; s/^"Top",0\r$/"Top",1200\r/; s/^"Width",9000\r$/"Width",9600\r/; s/^"Height",6600\r$/"Height",7200\r/' \
  "$work/Pallweave.ini"
before=$(head -5 "$work/Pallweave.ini")
start_program
read -r fx fy fw fh <<<"$(frame_rect)"
[ "$fx $fy $fw $fh" = "100 80 640 480" ] || fail "restart: frame at $fx,$fy size ${fw}x$fh, not 100,80 640x480"
quit_program
[ "$(head -5 "$work/Pallweave.ini")" = "$before" ] ||
  fail "the placement did not round-trip: $(head -5 "$work/Pallweave.ini" | tr -d '\r' | tr '\n' ' ')"

# 6. A script named on the command line opens; in a folder that takes no new
# file (immutable: even root may not add one) it is still saved, in place.
mkdir "$work/closed"
printf 'WScript.Echo 1\r\n' >"$work/closed/s.vbs"
saved_in_place=""
if chattr +i "$work/closed" 2>/dev/null; then
  start_program "$work/closed/s.vbs"
  wait_for "the file named at start-up" title_is "Pallweave v. 2.7 - s.vbs"
  xdotool key ctrl+End
  xdotool type --delay 10 "' more"
  wait_for "the edit" title_is "Pallweave v. 2.7 - s.vbs *"
  xdotool key ctrl+s
  wait_for "the save" title_is "Pallweave v. 2.7 - s.vbs"
  [ "$(cat "$work/closed/s.vbs")" = $'WScript.Echo 1\r\n\' more' ] || fail "the file in the closed folder was not saved in place"
  quit_program
  chattr -i "$work/closed"
  saved_in_place=", saved in a closed folder"
fi

echo "e2e desktop: frame placed and kept, output shown while computing and before a MsgBox, font kept upright, exit in $ms ms$saved_in_place"
