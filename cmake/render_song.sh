#!/usr/bin/env bash
# Renders a MIDI song as the desktop game plays it (FluidSynth with the same SoundFont and synthesizer settings, at
# the given gain) and compresses it as Opus into OUT. A rendering is kept in CACHE under a name made from every
# input, so the same song, SoundFont, programs and settings are rendered once.
# Usage: render_song.sh SONG.mid OUT.opus SOUNDFONT GAIN CACHE
set -euo pipefail
midi=$1 out=$2 soundfont=$3 gain=$4 cache=$5
settings=(-r 48000 -g "$gain" -o synth.polyphony=128 -o player.reset-synth=0)
key=$({
  sha256sum < "$midi"
  stat -L -c '%s %Y' "$soundfont"
  fluidsynth --version | head -n 1
  opusenc --version | head -n 1
  echo "${settings[*]}"
  sha256sum < "$0"
} | sha256sum | cut -c 1-32)
kept="$cache/$key.opus"
if [ ! -s "$kept" ]; then
  mkdir -p "$cache"
  wave=$(mktemp --suffix .wav)
  trap 'rm -f "$wave" "$kept.part"' EXIT
  # Float samples: the render is not clipped, whatever the gain.
  fluidsynth -n -i -q "${settings[@]}" -O float -T wav -F "$wave" "$soundfont" "$midi" > /dev/null
  # opusenc names the chunks of a float wave file it passes over.
  opusenc --quiet --bitrate 80 "$wave" "$kept.part" 2> >(grep -v "^Skipping chunk" >&2)
  mv "$kept.part" "$kept"
fi
mkdir -p "$(dirname "$out")"
cp "$kept" "$out"
