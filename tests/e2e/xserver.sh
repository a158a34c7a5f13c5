# Sourced by the end-to-end tests: starts a private Xvfb (its pid in xpid, DISPLAY
# exported) and waits until it answers. Needs $work and a fail function.
start_xserver() {
  exec 3<> "$work/display"
  Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xpid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
  done
  export DISPLAY=":$(head -1 "$work/display")"
  [ "$DISPLAY" != ":" ] || fail "Xvfb did not start"
  for _ in $(seq 100); do
    xdotool getmouselocation >/dev/null 2>&1 && break
    sleep 0.05
  done
  xdotool getmouselocation >/dev/null 2>&1 || fail "no connection to Xvfb on $DISPLAY"
}
