#!/usr/bin/env bash
# Installs every Debian package Shardfall needs to build, play and test; quick when all are present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-mixer-dev libfluidsynth-dev
  qt6-base-dev libgl-dev
  nlohmann-json3-dev libfreetype-dev
  libgtest-dev libgmock-dev libbenchmark-dev clang
  zlib1g-dev
  file  # cpack -G DEB stops without it: it picks out the programs for dpkg-shlibdeps
  desktop-file-utils appstream  # the install tests validate the desktop entries and the AppStream file
  python3  # scripts/mutate.sh finds its faults with it; the build names the rendered songs with it
)

# Fonts and the SoundFont: the packages of the system files the build checks for.
here="$(dirname "$0")"
while read -r _ _ package _; do packages+=("$package"); done < <(grep '^[A-Z]' "$here/../cmake/system-files.txt")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
