#!/usr/bin/env bash
# Generates and proves the level of every seed FIRST..LAST at each difficulty given (default: seeds 1-200 at
# difficulties 1, 5 and 10) with the content tool, and reports per difficulty how many passed at once, how many
# needed later seeds, and any that failed. Minutes of work: run it niced.
#   bash scripts/prove_generated.sh [--tool PATH] [--first N] [--last N] [DIFFICULTY...]
set -euo pipefail
cd "$(dirname "$0")/.."
tool=build/shardfall-content first=1 last=200
while [[ $# -gt 0 && $1 == --* ]]; do
  case $1 in
    --tool) tool=$2 ;; --first) first=$2 ;; --last) last=$2 ;;
    *) echo "prove_generated.sh: unknown option $1" >&2; exit 2 ;;
  esac
  shift 2
done
difficulties=("$@")
[[ ${#difficulties[@]} -gt 0 ]] || difficulties=(1 5 10)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
for difficulty in "${difficulties[@]}"; do
  atOnce=0 retried=0
  for ((seed = first; seed <= last; ++seed)); do
    if ! line=$("$tool" generate --seed "$seed" --count 1 --difficulty "$difficulty" "$work/d$difficulty-$seed" 2>&1); then
      echo "difficulty $difficulty, seed $seed: $line"
      failed=$((failed + 1))
      continue
    fi
    passed=$(sed -n 's/^[^:]*: seed \([0-9]*\),.*/\1/p' <<<"$line")
    if [[ $passed == "$seed" ]]; then atOnce=$((atOnce + 1)); else retried=$((retried + 1)); echo "difficulty $difficulty, seed $seed: passed at seed $passed"; fi
    rm -rf "${work:?}/d$difficulty-$seed"
  done
  echo "difficulty $difficulty: $atOnce passed at their own seed, $retried at a later one"
done
[[ $failed -eq 0 ]]
