#!/usr/bin/env bash
# Builds a libFuzzer target per content reader (clang, AddressSanitizer, UBSan) and runs each in turn.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET (default 60)] [TARGET ...]
# Targets: tileset level level_set options high_scores bitmap recording. Each starts from bench/fuzz/seeds/TARGET; crashes
# land in build-fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(tileset level level_set options high_scores bitmap recording)

out=build-fuzz
mkdir -p "$out/crashes" "$out/objects"
# The version, as CMake's project() gives it to the build.
version=$(sed -n 's/^project(Shardfall VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
flags=(-std=c++20 -g -O1 -fno-sanitize-recover=undefined -I. "-DSHARDFALL_VERSION=\"$version\"")

# The library is compiled once with coverage hooks; each target then links against it.
echo "== building the content library for fuzzing"
objects=()
for source in content/*.cpp; do
  object="$out/objects/$(basename "$source" .cpp).o"
  clang++ "${flags[@]}" -fsanitize=fuzzer-no-link,address,undefined -c "$source" -o "$object"
  objects+=("$object")
done

for target in "${targets[@]}"; do
  echo "== fuzz_$target: building"
  clang++ "${flags[@]}" -fsanitize=fuzzer,address,undefined "bench/fuzz/fuzz_$target.cpp" "${objects[@]}" -lz \
    -o "$out/fuzz_$target"
  corpus="$out/corpus/$target"
  mkdir -p "$corpus"
  echo "== fuzz_$target: running for ${seconds}s"
  # New inputs go to the first folder; the small valid seeds of bench/fuzz/seeds start each run past the size
  # and name checks.
  "$out/fuzz_$target" "$corpus" "bench/fuzz/seeds/$target" -max_total_time="$seconds" -max_len=70000 -rss_limit_mb=2048 \
    -artifact_prefix="$out/crashes/${target}-" -print_final_stats=1 2>&1 | tail -n 6
done
