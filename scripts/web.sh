#!/usr/bin/env bash
# Builds Shardfall for a browser into build-web/ and serves the page on this machine. Installs what is missing
# from Debian first: the project's own packages (with FluidSynth and Opus tools, which render the songs), Emscripten,
# Chromium with its driver and npm (the page's tests).
# Usage: bash scripts/web.sh [--build-only] [--port PORT]
#   --build-only  build and stop; the page is then in build-web/site/, ready for any static web server
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build-web
build_only=false
port=8000
while [ $# -gt 0 ]; do
  case $1 in
    --build-only) build_only=true ;;
    --port) port=$2; shift ;;
    *) echo "web.sh: unknown option $1 (--build-only, --port PORT)" >&2; exit 2 ;;
  esac
  shift
done

# ---- packages ----
bash scripts/install-deps.sh
packages=(emscripten chromium chromium-driver python3)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
# A Node.js from elsewhere may bring its own npm.
command -v npm > /dev/null || missing+=(npm)
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Emscripten's optimiser needs Debian's acorn, which a Node.js from elsewhere does not look for by itself.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

# ---- zlib for the game (PNG screenshots, recording checksums), from Debian's source of the installed version ----
# Emscripten's own zlib would be downloaded, and the same version as the desktop's writes the same PNG bytes.
zlib_version=$(dpkg-query -W -f='${source:Version}' zlib1g)
zlib=$out/zlib/${zlib_version//:/_}
if [ ! -s "$zlib/libz.a" ]; then
  rm -rf "$out/zlib" && mkdir -p "$zlib/apt/lists/partial" "$zlib/apt/cache/archives/partial" "$zlib/apt/parts"
  # A private list of the machine's own sources, with their sources: the system's lists stay as they are.
  for list in /etc/apt/sources.list.d/*.sources; do
    if [ -e "$list" ]; then sed 's/^Types:.*/Types: deb-src/' "$list" > "$zlib/apt/parts/$(basename "$list")"; fi
  done
  : > "$zlib/apt/sources.list"
  for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    if [ -e "$list" ]; then sed -n 's/^deb /deb-src /p' "$list" >> "$zlib/apt/sources.list"; fi
  done
  apt_private=(-o "Dir::Etc::SourceList=$zlib/apt/sources.list" -o "Dir::Etc::SourceParts=$zlib/apt/parts"
               -o "Dir::State::Lists=$zlib/apt/lists" -o "Dir::Cache=$zlib/apt/cache" -o "APT::Sandbox::User=root")
  apt-get "${apt_private[@]}" update -qq
  (cd "$zlib" && apt-get "${apt_private[@]}" source -qq "zlib=$zlib_version" > /dev/null)
  source=$(find "$zlib" -maxdepth 1 -type d -name 'zlib-*' | head -n 1)
  objects=()
  for unit in adler32 compress crc32 deflate inffast inflate inftrees trees uncompr zutil; do
    emcc -O2 -c "$source/$unit.c" -o "$zlib/$unit.o"
    objects+=("$zlib/$unit.o")
  done
  mkdir -p "$zlib/include" && cp "$source/zlib.h" "$source/zconf.h" "$zlib/include/"
  emar rcs "$zlib/libz.a" "${objects[@]}"
fi

# ---- the default data tree with its rendered songs, and the icon, made by the native build ----
cmake -S . -B "$out/host" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSHARDFALL_BUILD_EDITOR=OFF \
  -DSHARDFALL_BUILD_TESTS=OFF -DSHARDFALL_BUILD_BENCH=OFF -DSHARDFALL_SONG_CACHE="$out/song-cache" > /dev/null
cmake --build "$out/host" --parallel "$(nproc)" --target default_content_tree desktop_icons

# ---- the game, the page and the songs ----
emcmake cmake -S . -B "$out/wasm" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DSHARDFALL_DATA_TREE="$out/host/install-tree" -DSHARDFALL_SITE="$out/site" \
  -DSHARDFALL_ICON="$out/host/icons/48x48/apps/org.shardfall.Shardfall.png" \
  -DZLIB_INCLUDE_DIR="$zlib/include" -DZLIB_LIBRARY="$zlib/libz.a" > /dev/null
cmake --build "$out/wasm" --parallel "$(nproc)"

if $build_only; then
  echo "The page is in $out/site/"
  exit 0
fi
echo "Shardfall: http://127.0.0.1:$port/ (Ctrl+C stops the server)"
cd "$out/site"
exec python3 -m http.server --bind 127.0.0.1 "$port"
