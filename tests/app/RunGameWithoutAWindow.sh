#!/usr/bin/env bash
# Starts the game where it cannot open its window. It must say that no window could be
# opened and why, naming the display tried, and stop with status 1, without a crash
# report. Arguments: the game, the repository's Content folder (read before the window
# is made), and the case:
#   no-display  no display can be reached and no video driver is asked for: SDL would
#               fall back to its offscreen driver and the game would run unseen
#   dummy       SDL_VIDEODRIVER=dummy, a driver without OpenGL
#   no-glx      an X server without the GLX extension
set -uo pipefail
game=$1
committedContent=$2
case=$3

work=$(mktemp -d)
xserver=""
cleanup() {
  if [ -n "$xserver" ]; then
    kill "$xserver" 2>/dev/null
    wait "$xserver" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
cp -r "$committedContent" "$work/Content"
cd "$work"

fail() {
  echo "FAILED: $1" >&2
  exit 1
}

# Starts an X server without GLX on a free display; sets display.
start_x_without_glx() {
  command -v Xvfb >/dev/null || { echo "no Xvfb"; exit 77; }
  Xvfb -displayfd 3 -extension GLX -nolisten tcp -screen 0 1920x1080x24 3>"$work/display" 2>"$work/xvfb.log" &
  xserver=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  [ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  display=":$(head -n1 "$work/display")"
}

case $case in
  no-display)
    settings=(-u SDL_VIDEODRIVER -u WAYLAND_DISPLAY DISPLAY=:31979)
    told='no window could be opened: no display could be reached'
    display=:31979
    ;;
  dummy)
    settings=(SDL_VIDEODRIVER=dummy)
    told='no window could be opened: the video driver "dummy" cannot make an OpenGL window'
    display=${DISPLAY:-}
    ;;
  no-glx)
    start_x_without_glx
    settings=(-u SDL_VIDEODRIVER -u WAYLAND_DISPLAY DISPLAY="$display")
    told='no window could be opened: the video driver "x11" cannot make an OpenGL window'
    ;;
  *)
    fail "unknown case $case"
    ;;
esac

# Guards the run when the game starts anyway: it ends after a few passes.
env "${settings[@]}" XDG_DATA_HOME="$work/userdata" ALSOFT_DRIVERS=null QV_QUIT_AFTER_PASSES=5 \
  timeout 60 "$game" 2>"$work/stderr"
status=$?
cat "$work/stderr"

[ "$status" -ne 0 ] || fail "the game exited 0 without a window"
[ "$status" -ne 3 ] || fail "the game stopped as for a crash (status 3)"
[ "$status" -eq 1 ] || fail "the game stopped with status $status, not 1"
grep -qF "Quorvane cannot start: $told" "$work/stderr" || fail "no message that no window could be opened"
[ -z "$display" ] || grep -qF "DISPLAY=\"$display\"" "$work/stderr" || fail "the display tried is not named"
grep -q "SDL: [^)]" "$work/stderr" || fail "SDL's reason is not given"
if grep -q 'Crash report\|Quorvane stopped' "$work/stderr"; then
  fail "a crash report was written"
fi
echo "told and stopped with status $status"
