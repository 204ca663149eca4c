#!/usr/bin/env bash
# Usage: contact_sheet.sh BUILD OUT.png SET.sfs...
# Shows each level of the sets (as `shardfall-content generate` writes them) as the game starts it, and tiles the
# pictures into one PNG, eight across at half size.
set -euo pipefail
build=$(realpath "$1"); out=$2; shift 2
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
for folder in Gfx Sfx Mus Tls Bgd; do ln -s "$build/$folder" "$work/$folder"; done
mkdir "$work/Lvl"
shots=()

# The picture of one level, four seconds into a game of it alone: the intro, faded in.
shoot() {
  local level=$1 shot
  shot="$work/$(printf '%03d' "${#shots[@]}").bmp"
  printf 'Sheet\r\n 1 \r\n%s\r\n' "$level" > "$work/Lvl/sheet.sfs"
  "$build/shardfall" --root "$work" --headless --seed 1 --play "$work/Lvl/sheet.sfs" --frames 260 \
    --screenshot "4000:$shot" > /dev/null
  shots+=("$shot")
}

for set_file in "$@"; do
  while IFS= read -r level; do
    level=${level%$'\r'}
    cp "$(dirname "$set_file")/$level" "$work/Lvl/$level"
    shoot "$level"
  done < <(tail -n +3 "$set_file")
done
python3 "$(dirname "$0")/contact_sheet.py" "$out" "${shots[@]}"
