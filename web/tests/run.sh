#!/usr/bin/env bash
# The browser build's tests, after the desktop build's (they compare the two): builds the page with
# scripts/web.sh --build-only, then checks its size, the loudness of its songs against the desktop's music, the
# node build against the desktop build, and the page in headless Chromium.
# Usage: bash web/tests/run.sh   (after bash scripts/test.sh, which builds the desktop build into build/)
set -euo pipefail
cd "$(dirname "$0")/../.."
bash scripts/web.sh --build-only
cmake --build build --parallel "$(nproc)" --target shardfall shardfall_song_level > /dev/null
bash web/tests/driver.sh
failed=()

echo "== the page's size"
total=0
while read -r file; do total=$((total + $(gzip -9c "$file" | wc -c))); done < <(find build-web/site -type f)
echo "game, data and music: $((total / 1000)) kB compressed"
[ "$total" -le 10000000 ] || failed+=("the page is larger than 10 MB compressed")

echo "== the songs' loudness"
gain=$(sed -n 's/^SHARDFALL_SONG_RENDER_GAIN:INTERNAL=//p' build-web/wasm/CMakeCache.txt)
decoded=$(mktemp -d)
for song in build-web/host/install-tree/Mus/*.mid; do
  name=$(basename "$song" .mid)
  opusdec --float --quiet "build-web/site/music/$name.opus" "$decoded/$name.wav"
  build/shardfall_song_level "$song" "$decoded/$name.wav" "$gain" || failed+=("$name is not as loud as on the desktop")
done
rm -rf "$decoded"

echo "== the node build against the desktop build"
bash web/tests/node_replays.sh build build-web || failed+=("the node build")

echo "== the page in Chromium"
NODE_PATH=$PWD/build-web/test-driver/node_modules node web/tests/page_test.js build build-web || failed+=("the page")

if [ ${#failed[@]} -gt 0 ]; then
  printf 'FAILED: %s\n' "${failed[@]}"
  exit 1
fi
echo "The browser build passes."
