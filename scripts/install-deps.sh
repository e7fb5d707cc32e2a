#!/usr/bin/env bash
# Installs the Debian packages the project needs. Does nothing when all are present.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libsdl2-image-dev libepoxy-dev libx11-dev
  libopenal-dev libopenal1 libsndfile1-dev
  libbox2d-dev
  libboost-dev libboost-stacktrace-dev
  libfreetype-dev libstb-dev libpng-dev fonts-dejavu-core libvorbis-dev libogg-dev
  xvfb xauth libgl1-mesa-dri libglx-mesa0
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
