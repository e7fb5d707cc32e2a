#!/usr/bin/env bash
# Runs the game for a few seconds on freshly built content, in a folder of its own, and
# fails when it does not start, crashes, (in the sanitizer build) leaks at exit, or
# leaves a stray temporary file of a save behind, of whatever kind.
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
# the display settings, and other things at such names: links out of the folders
# (dangling, to a file, to a folder), FIFOs and an empty folder. The start removes every
# one (the display settings are written before the sweep, with no file there yet), and
# makes or changes nothing outside Content/ and the user data folder.
data="$work/userdata/quorvane"
prefabs="$work/Content/Prefabs"
outside="$work/outside"
mkdir -p "$data" "$outside"
echo 'not the game' >"$outside/Other.json"
strays=("$prefabs/Lvl_01.json.tmp" "$data/Game.sav.tmp" "$data/Display.ini.tmp" "$prefabs/Exit.json.tmp"
        "$prefabs/Lvl_02.json.tmp" "$prefabs/Lvl_03.json.tmp" "$data/Game.sav.bak.tmp" "$data/Old.tmp")
echo '{ "half": ' >"$prefabs/Lvl_01.json.tmp"
mkfifo "$data/Game.sav.tmp" "$prefabs/Lvl_03.json.tmp"
ln -s "$outside/Made.ini" "$data/Display.ini.tmp"
ln -s "$outside/Other.json" "$prefabs/Exit.json.tmp"
ln -s "$outside" "$prefabs/Lvl_02.json.tmp"
ln -s "$outside/Made.bak" "$data/Game.sav.bak.tmp"
mkdir "$data/Old.tmp"
cd "$work"
QV_QUIT_AFTER_PASSES=${QV_QUIT_AFTER_PASSES:-120} timeout 120 "$game"
for stray in "${strays[@]}"; do
  if [ -e "$stray" ] || [ -L "$stray" ]; then
    echo "the start left $stray" >&2
    exit 1
  fi
done
if [ -L "$data/Display.ini" ] || [ ! -f "$data/Display.ini" ]; then
  echo "the display settings are not a file of their own" >&2
  exit 1
fi
if [ "$(ls -A "$outside")" != "Other.json" ] || [ "$(cat "$outside/Other.json")" != 'not the game' ]; then
  echo "the start reached outside its folders: $(ls -A "$outside")" >&2
  exit 1
fi
