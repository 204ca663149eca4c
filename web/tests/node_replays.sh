#!/usr/bin/env bash
# One game, two builds: the node build of the game (the browser's code without a window) and the desktop build
# play the same scripted games to the same state dumps, recordings and screenshots, byte for byte, and each
# replays the other's recording to the same end.
# Usage: node_replays.sh NATIVE_BUILD WEB_BUILD   (the folders scripts/build.sh and scripts/web.sh build into)
set -euo pipefail
native=$(realpath "$1")/shardfall
node_game=$(realpath "$2")/wasm/shardfall-node.js
tree=$(realpath "$2")/host/install-tree
node_run() { node --no-experimental-fetch "$node_game" "$@"; }
failures=0
fail() { echo "FAILED $case_name: $*"; failures=$((failures + 1)); }

# The autopilot chord at `chord` ms and a click every 1.5 s (to start each level), as the desktop's tests play.
autopilot_script() {
  local chord=$1
  printf '%s key DIK_A down\n%s key DIK_I down\n%s key DIK_A up\n%s key DIK_I up\n' "$chord" "$chord" \
    $((chord + 1)) $((chord + 1))
  for ((tick = 1500; tick < 2000000; tick += 1500)); do
    printf '%s button left down\n%s button left up\n' "$tick" $((tick + 20))
  done
}

# name | level set ("daily DATE": that day's Daily Challenge) | seed | frames | autopilot from (ms) | screenshots at (ms)
cases=(
  "warm-up|1-WarmUp.sfs|8|60000|4000|3000 30000"
  "shardfall|2-Shardfall.sfs|3|16000|4000|9000 200000"
  "four-winds|3-FourWinds.sfs|5|16000|4000|60000 300000"
  "fault-lines|4-FaultLines.sfs|7|16000|4000|120000"
  # One level, the first ball lost before the autopilot takes over: capsules, fireworks and a lost ball.
  "capsules|One.sfs|2|40000|12000|14000 40000"
  # The levels made and proven from a day: the same in both builds (screenshots in play: the node build's intro
  # says that it makes each level between levels).
  "daily|daily 2026-12-08|4|16000|4000|10000"
)

for entry in "${cases[@]}"; do
  IFS='|' read -r case_name set seed frames chord ticks <<< "$entry"
  work=$(mktemp -d)
  autopilot_script "$chord" > "$work/script.txt"
  # Every run in a fresh copy of the tree at the same place: recordings and dumps name the files they read.
  fresh_root() {
    rm -rf "$work/root" && cp -r "$tree" "$work/root"
    printf 'One\r\n 1 \r\nwu1_glow.sfl\r\n' > "$work/root/Lvl/One.sfs"
    cd "$work/root"
  }
  if [[ $set == daily\ * ]]; then where=(--play daily --date "${set#daily }"); else where=(--play "Lvl/$set"); fi
  play=(--root . --headless "${where[@]}" --seed "$seed" --step 25 --frames "$frames" --until-game-ends --input ../script.txt)
  shots() { for tick in $ticks; do printf -- '--screenshot %s:../%s-%s.png ' "$tick" "$1" "$tick"; done; }
  # shellcheck disable=SC2046
  (fresh_root && "$native" "${play[@]}" --record ../n.sfr --dump-state ../n.json $(shots n)) \
    || fail "the desktop build's game"
  # shellcheck disable=SC2046
  (fresh_root && node_run "${play[@]}" --record ../w.sfr --dump-state ../w.json $(shots w)) \
    || fail "the node build's game"
  cmp -s "$work/n.json" "$work/w.json" || fail "the two builds' state dumps differ"
  cmp -s "$work/n.sfr" "$work/w.sfr" || fail "the two builds' recordings differ"
  for tick in $ticks; do
    [ -s "$work/n-$tick.png" ] && cmp -s "$work/n-$tick.png" "$work/w-$tick.png" || fail "the screenshots at $tick ms differ"
  done
  (fresh_root && node_run --root . --headless --replay ../n.sfr --dump-state ../nw.json) \
    && cmp -s "$work/n.json" "$work/nw.json" || fail "the node build replays the desktop's recording elsewhere"
  (fresh_root && "$native" --root . --headless --replay ../w.sfr --dump-state ../wn.json) \
    && cmp -s "$work/n.json" "$work/wn.json" || fail "the desktop replays the node build's recording elsewhere"
  if [ "$case_name" = capsules ]; then
    node -e '
      const dump = JSON.parse(require("fs").readFileSync(process.argv[1]));
      const heard = name => dump.soundLog.includes(name);
      const capsule = ["SuperBall.wav", "DynaBall.wav", "GotCatch.wav", "GotLaser.wav", "DoublePoints.wav",
        "Protect.wav", "DoubleSplitBalls.wav", "GrowPad.wav", "ShrinkPad.wav", "SplitBalls.wav", "Warp.wav",
        "FasterBall.wav", "SlowerBall.wav", "ExtraLife.wav"].some(heard);
      if (!heard("FireWork.wav") || !capsule || dump.GameWorld.spareBalls >= 2)
        throw new Error("no fireworks, no capsule or no lost ball: " + JSON.stringify(dump.soundLog));
    ' "$work/n.json" || fail "the game holds no capsule, fireworks or lost ball"
  fi
  echo "$case_name: $(node -e 'const w = JSON.parse(require("fs").readFileSync(process.argv[1])).GameWorld;
    console.log(`level ${w.currentLevel}, score ${w.score}`)' "$work/n.json")"
  rm -rf "$work"
done

[ "$failures" -eq 0 ] || { echo "$failures failures"; exit 1; }
echo "Both builds agree."
