#!/usr/bin/env bash
# Starts the game where no display can be reached and no video driver is asked for:
# SDL would fall back to its offscreen driver and the game would run unseen. It must
# instead say that no window could be opened, naming the display tried and SDL's
# reason, and stop with a non-zero status, without a crash report.
# Argument: the game.
set -uo pipefail
game=$1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# Guards the run when the game starts anyway: it ends after a few passes.
env -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY DISPLAY=:31979 XDG_DATA_HOME="$work/userdata" QV_QUIT_AFTER_PASSES=5 \
  timeout 60 "$game" 2>"$work/stderr"
status=$?
cat "$work/stderr"

fail() {
  echo "FAILED: $1" >&2
  exit 1
}
[ "$status" -ne 0 ] || fail "the game exited 0 without a window"
[ "$status" -ne 3 ] || fail "the game stopped as for a crash (status 3)"
grep -q '^Quorvane cannot start: no window could be opened: no display could be reached' "$work/stderr" ||
  fail "no message that no window could be opened"
grep -q 'DISPLAY=":31979"' "$work/stderr" || fail "the display tried is not named"
grep -q "SDL: [^)]" "$work/stderr" || fail "SDL's reason is not given"
if grep -q 'Crash report' "$work/stderr"; then
  fail "a crash report was written"
fi
echo "told and stopped with status $status"
