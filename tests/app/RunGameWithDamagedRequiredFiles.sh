#!/usr/bin/env bash
# Starts the game once for each file it cannot run without, each time with that one file
# missing or damaged in a copy of the content. Each start must name the file and the
# problem in one message and stop with status 1, as a missing window does: no crash
# report, and nothing made outside the content and the user data folder.
# Arguments: the game, the repository's Content folder (every such file is read before
# the window is made).
set -uo pipefail
game=$1
committedContent=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAILED: $case: $1" >&2
  failures=$((failures + 1))
}

# case, what is done to the file, the file, the start of the problem told
cases=(
  "level-list-junk|junk|Prefabs/LevelList.json|JSON syntax error on line 1: "
  "level-list-empty-object|{}|Prefabs/LevelList.json|missing \"Components\" member"
  "level-list-missing|remove|Prefabs/LevelList.json|not found"
  "gameplay-root-cut|cut|Prefabs/GameplayRoot.json|JSON syntax error on line "
  "level-data-junk|junk|Prefabs/LevelData.json|JSON syntax error on line 1: "
  "key-mappings-junk|junk|Config/KeyMappings.json|JSON syntax error on line 1: "
  "key-mappings-list|[\"W\", \"Up\"]|Config/KeyMappings.json|key mappings must be one object"
  "key-mappings-missing|remove|Config/KeyMappings.json|not found"
  "game-config-junk|junk|Config/GameConfig.json|JSON syntax error on line 1: "
  "game-config-without-its-key|{}|Config/GameConfig.json|missing \"DevelopmentContentPath\" member"
)

for entry in "${cases[@]}"; do
  IFS='|' read -r case change file problem <<<"$entry"
  run="$work/$case"
  mkdir -p "$run"
  cp -r "$committedContent" "$run/Content"
  target="$run/Content/$file"
  case $change in
    junk) printf 'version = 3\n<<<<<<< HEAD\n' >"$target" ;;
    remove) rm "$target" ;;
    cut) head -c "$(($(wc -c <"$target") / 2))" "$target" >"$run/half" && mv "$run/half" "$target" ;;
    *) printf '%s\n' "$change" >"$target" ;;
  esac
  (
    cd "$run" || exit 99
    # Guards the run when the game starts anyway: it ends after a few passes.
    XDG_DATA_HOME="$run/userdata" ALSOFT_DRIVERS=null QV_QUIT_AFTER_PASSES=5 timeout 60 "$game" 2>"$run/stderr"
  )
  status=$?
  told=$(grep -c 'Quorvane cannot start' "$run/stderr")
  if [ "$status" -ne 1 ]; then
    fail "stopped with status $status, not 1"
    cat "$run/stderr" >&2
  fi
  grep -qF "Quorvane cannot start: Content/$file: $problem" "$run/stderr" || fail "no message naming the file and the problem"
  [ "$told" -eq 1 ] || fail "told $told times"
  if grep -q 'Crash report\|Quorvane stopped' "$run/stderr"; then
    fail "a crash report was written"
  fi
  made=$(cd "$run" && find . -mindepth 1 -maxdepth 1 ! -name Content ! -name userdata ! -name stderr ! -name half)
  [ -z "$made" ] || fail "made outside the content and the user data folder: $made"
  grep 'Quorvane cannot start' "$run/stderr"
done

[ "$failures" -eq 0 ] || exit 1
echo "every damaged required file was told and stopped the game with status 1"
