#!/usr/bin/env bash
# Runs the game for a few seconds on freshly built content, in a folder of its own, and
# fails when it does not start, crashes, (in the sanitizer build) leaks at exit, or
# leaves a stray temporary file of a save behind.
# Arguments: the game, the content build, the repository's Content folder.
set -euo pipefail
game=$1
contentBuild=$2
committedContent=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$committedContent" "$work/Content"
"$contentBuild" "$work/Content" >/dev/null
export XDG_DATA_HOME="$work/userdata"
# Temporary files of saves killed in an earlier run, beside a level, the save file and
# the display settings: the start removes them.
mkdir -p "$work/userdata/quorvane"
strays=("$work/Content/Prefabs/Lvl_01.json.tmp" "$work/userdata/quorvane/Game.sav.tmp"
        "$work/userdata/quorvane/Display.ini.tmp")
for stray in "${strays[@]}"; do
  echo '{ "half": ' >"$stray"
done
cd "$work"
QV_QUIT_AFTER_PASSES=${QV_QUIT_AFTER_PASSES:-120} "$game"
for stray in "${strays[@]}"; do
  if [ -e "$stray" ]; then
    echo "the start left $stray" >&2
    exit 1
  fi
done
