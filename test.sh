#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# runs every test under a virtual X server, then the fuzz targets for a fixed number of
# inputs.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZE=ON >/dev/null
cmake --build build/test
# The tests start the game from the repository root, as run.sh does, where it reads the
# generated content (the cursors) beside the committed content.
cmake --build build/test --target content >/dev/null

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_init_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
# Tests must never write into the player's own data folder.
export XDG_DATA_HOME="$PWD/build/test/userdata"
export ALSOFT_DRIVERS=null

# A failed test runs once more: LeakSanitizer's exit check can itself crash while it
# stops the threads of the software GL driver on a loaded machine. A real failure
# fails both runs.
xvfb-run -a -s "-screen 0 1920x1080x24" \
  ctest --test-dir build/test --output-on-failure -j "$(nproc)" --timeout 300 --repeat until-pass:2

# Every parser of hand-edited files under libFuzzer, briefly (needs clang).
if command -v clang++ >/dev/null; then
  ./fuzz/run.sh
fi
