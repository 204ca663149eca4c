#!/usr/bin/env bash
# Makes the software centre's screenshots with the game's own headless runner: the Main Menu, a designed level
# in play and a Daily Challenge level. Usage: bash scripts/screenshots.sh [BUILD_DIR] (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=packaging/screenshots
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A click every half second starts the level and releases the ball whenever it rests on the paddle.
for tick in $(seq 2000 500 16000); do
  printf '%s button left down\n%s button left up\n' "$tick" $((tick + 50))
done >"$work/clicks.txt"

game() { "$build/shardfall" --headless --seed "$1" --input "$work/clicks.txt" --frames 1100 "${@:2}"; }

mkdir -p "$out"
"$build/shardfall" --headless --frames 500 --screenshot "7000:$out/main-menu.png"
game 11 --play "$build/Lvl/4-FaultLines.sfs" --screenshot "15000:$out/play.png"
game 7 --play daily --date 2026-12-08 --screenshot "12000:$out/daily-challenge.png"
echo "screenshots in $out"
