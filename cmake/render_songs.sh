#!/usr/bin/env bash
# Renders every song of a data tree (TREE/Mus/*.mid) into TREE/Mus/Rendered/NAME.CRC.opus, CRC being the song
# file's CRC-32 in 8 lowercase hex digits: the game plays a rendering only for the exact bytes it was made from
# (RenderedSongPath in the game's music). Renderings come from CACHE when the same song was rendered before.
# Usage: render_songs.sh TREE SOUNDFONT GAIN CACHE
set -euo pipefail
tree=$1 soundfont=$2 gain=$3 cache=$4
here="$(dirname "$0")"
rm -rf "$tree/Mus/Rendered"
for song in "$tree"/Mus/*.mid; do
  [ -e "$song" ] || continue
  crc=$(python3 -c 'import sys, zlib; print("%08x" % zlib.crc32(open(sys.argv[1], "rb").read()))' "$song")
  name=$(basename "$song" .mid)
  bash "$here/render_song.sh" "$song" "$tree/Mus/Rendered/$name.$crc.opus" "$soundfont" "$gain" "$cache"
done
