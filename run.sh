#!/usr/bin/env bash
# Installs what is missing, builds the game and its content, and starts it.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target quorvane
if cmake --build build/release --target help | grep -q '^content:'; then
  cmake --build build/release --target content
fi

# The game reads Content/ relative to the working folder.
exec ./build/release/quorvane "$@"
