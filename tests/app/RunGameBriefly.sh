#!/usr/bin/env bash
# Runs the game for a few seconds on freshly built content, in a folder of its own, and
# fails when it does not start, crashes, or (in the sanitizer build) leaks at exit.
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
cd "$work"
QV_QUIT_AFTER_PASSES=${QV_QUIT_AFTER_PASSES:-120} "$game"
