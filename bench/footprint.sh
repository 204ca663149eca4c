#!/usr/bin/env bash
# The game's footprint as a player runs it: a window under Xvfb, no sound card, in the Main Menu and in play.
# Prints per case: CPU cores over 10 s, peak and private resident memory, new frames per second (shown, or skipped
# as identical to the frame on the screen) and the time from start to the first shown frame; then, over the same
# 10 s, the frame intervals in ms (5th, 50th, 95th and 99th percentiles), the frames held for two refreshes or
# more (an interval of 1.5 refreshes or longer) and the frames skipped as identical.
# Xvfb has no refresh rate of its own; SHARDFALL_REFRESH_HZ (default 60) sets the one the game paces itself to.
# Needs: Xvfb (Debian package xvfb) and a built game. Usage: bench/footprint.sh [BUILD_FOLDER] (default build)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
game="$build/shardfall"
[ -x "$game" ] || { echo "footprint: no game at $game (bash scripts/build.sh builds it)" >&2; exit 1; }
command -v Xvfb >/dev/null || { echo "footprint: needs Xvfb (apt-get install xvfb)" >&2; exit 1; }

span=10    # seconds measured
refresh=${SHARDFALL_REFRESH_HZ:-60}
export SHARDFALL_REFRESH_HZ=$refresh
ticks=$(getconf CLK_TCK)
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

# Play: the first level of the default set. The game start (loading picture in, loading, picture out) ends after
# about 3.8 s, then the level's intro waits for a click. The autopilot (A + I) goes on in the intro, at 5 s; from
# 6 s a click every 250 ms starts the level and starts it again after a lost ball or a cleared level (in play a
# click does nothing). The chord toggles the autopilot on every frame that reads it held, so it is held for less
# than a frame (16.7 ms at 60 Hz): most runs read it once, and a run whose state dump does not show play with the
# autopilot is repeated.
printf '5000 key DIK_A down\n5000 key DIK_I down\n5015 key DIK_A up\n5015 key DIK_I up\n' >"$work/play.txt"
for tick in $(seq 6000 250 60000); do
  printf '%s button left down\n%s button left up\n' $tick $((tick + 40))
done >>"$work/play.txt"

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
status_kib() { awk -v k="$2:" '$1 == k {print $2}' "/proc/$1/status"; }

# True when the state dump shows a level in play with the autopilot on.
in_play_with_autopilot() {
  grep -q '"playing": true' "$1" && grep -q '"autopilot": true' "$1"
}

run_case() {  # NAME SCREEN WARMUP ARGS...: one run; sets the globals the report reads
  local name=$1 screen=$2 warmup=$3
  shift 3
  local display=":$((90 + RANDOM % 100))"
  Xvfb "$display" -screen 0 "${screen}x24" -nolisten tcp >/dev/null 2>&1 &
  local xvfb=$!
  sleep 1
  local root="$work/$name"
  mkdir -p "$root" && cp -r "$build"/{Gfx,Sfx,Mus,Tls,Lvl,Bgd} "$root"/ && cp "$game" "$root/"
  started=$(date +%s%N)
  DISPLAY=$display SDL_AUDIODRIVER=dummy SHARDFALL_FRAME_STATS="$work/$name.stats" \
    "$root/shardfall" --windowed "$@" >/dev/null 2>&1 &
  local pid=$!
  sleep "$warmup"
  before=$(cpu_ticks $pid) from_ns=$(date +%s%N)
  sleep "$span"
  after=$(cpu_ticks $pid) to_ns=$(date +%s%N)
  peak=$(status_kib $pid VmHWM) private=$(status_kib $pid RssAnon)
  kill -TERM $pid; wait $pid 2>/dev/null || true
  kill $xvfb; wait $xvfb 2>/dev/null || true
}

measure() {  # NAME SCREEN WARMUP [play] ARGS...
  local name=$1 screen=$2 warmup=$3 play=""
  shift 3
  if [ "${1:-}" = play ]; then play=yes; shift; fi
  local attempt note=""
  for attempt in 1 2 3; do
    rm -f "$work/$name.stats" "$work/$name.json"
    run_case "$name" "$screen" "$warmup" "$@" ${play:+--dump-state "$work/$name.json"}
    [ -z "$play" ] && break
    if [ -s "$work/$name.json" ] && in_play_with_autopilot "$work/$name.json"; then
      note=""
      [ "$attempt" -gt 1 ] && note="  (in play with the autopilot at run $attempt)"
      break
    fi
    note="  (not in play with the autopilot after $attempt runs)"
  done
  local fps="n/a" first="n/a" histogram="no frames counted"
  if [ -s "$work/$name.stats" ]; then
    first=$(awk -v s="$started" '$2 == 1 {printf "%.3f s", ($1 - s) / 1e9; exit}' "$work/$name.stats")
    fps=$(awk -v a="$from_ns" -v b="$to_ns" '$1 >= a && $1 <= b {n++} END {printf "%.1f", n / ((b - a) / 1e9)}' \
      "$work/$name.stats")
    histogram=$(frame_histogram "$work/$name.stats")
  fi
  printf '%-22s cpu %5.3f cores  peak %6.1f MiB  private %6.1f MiB  %6s frames/s  first frame %s%s\n' "$name" \
    "$(awk -v d=$((after - before)) -v t="$ticks" -v s="$span" 'BEGIN {print d / t / s}')" \
    "$(awk -v k="$peak" 'BEGIN {print k / 1024}')" "$(awk -v k="$private" 'BEGIN {print k / 1024}')" "$fps" "$first" \
    "$note"
  printf '%-22s %s\n' "" "$histogram"
}

# The intervals between frames ending in the measured span, from a frame-stats file ("NS SHOWN" lines).
frame_histogram() {
  local skipped
  skipped=$(awk -v a="$from_ns" -v b="$to_ns" '$1 >= a && $1 <= b && $2 == 0' "$1" | wc -l)
  awk -v a="$from_ns" -v b="$to_ns" '$1 >= a && $1 <= b {if (n++) printf "%.3f\n", ($1 - last) / 1e6; last = $1}' "$1" |
    sort -n | awk -v hz="$refresh" -v skipped="$skipped" '
    {gap[++n] = $1; if ($1 >= 1.5 * 1000 / hz) doubled++}
    function pct(p) { return gap[int((n - 1) * p / 100) + 1] }
    END {
      if (n == 0) { print "no intervals"; exit }
      printf "intervals ms: p5 %.1f  p50 %.1f  p95 %.1f  p99 %.1f  max %.1f   doubled %d   skipped as identical %d\n",
        pct(5), pct(50), pct(95), pct(99), gap[n], doubled, skipped
    }'
}

echo "refresh $refresh Hz"
# The menu has faded in after about 2.6 s; play runs from about 6 s. Play has a fixed seed, so every run and
# every build plays the same song on the first level: with 7, the one that keeps the most voices sounding.
measure "menu 640x480" 800x600 3
measure "play 640x480" 800x600 7 play --play Lvl/2-Shardfall.sfs --seed 7 --input "$work/play.txt"
measure "menu 1280x960" 1600x1200 3
measure "play 1280x960" 1600x1200 7 play --play Lvl/2-Shardfall.sfs --seed 7 --input "$work/play.txt"
