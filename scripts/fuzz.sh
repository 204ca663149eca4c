#!/usr/bin/env bash
# Builds a libFuzzer target per content reader (clang, AddressSanitizer, UBSan) and runs each in turn.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET (default 60)] [TARGET ...]
# Targets: tileset level level_set options high_scores bitmap. Crashes land in build-fuzz/crashes/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(tileset level level_set options high_scores bitmap)

out=build-fuzz
mkdir -p "$out/crashes" "$out/objects"
flags=(-std=c++20 -g -O1 -fno-sanitize-recover=undefined -I.)

# The library is compiled once with coverage hooks; each target then links against it.
echo "== building the content library for fuzzing"
objects=()
for source in content/*.cpp; do
  object="$out/objects/$(basename "$source" .cpp).o"
  clang++ "${flags[@]}" -fsanitize=fuzzer-no-link,address,undefined -c "$source" -o "$object"
  objects+=("$object")
done

# Small valid files, so each fuzzer starts past the size and name checks.
pad() { printf '%-30s' "$1"; }
write_seeds() {
  local target="$1" corpus="$2"
  case "$target" in
    tileset) printf '\x01\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\0\0\0\0\0\0\0\0\0\0' >"$corpus/seed" ;;
    level) { printf '\xff\xff\0\0\0\0\0\0'; pad "a.sft"; pad "b.bmp"; head -c 2604 /dev/zero; } >"$corpus/seed" ;;
    level_set) printf 'Classic\r\n 2 \r\none.sfl\r\n"two.sfl"\r\n' >"$corpus/seed" ;;
    options) printf '\x03\0\0\0\0\0\xc8\x42\0\0\xaa\x42\x01\xcb\x10\xc7\x3d\xff\xff' >"$corpus/seed" ;;
    high_scores) { printf '\x01\0\0\0'; pad "Ada"; printf '\x10\x27\0\0'; } >"$corpus/seed" ;;
    bitmap) { printf 'BM\x3a\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x18\0'
              head -c 24 /dev/zero; printf '\x10\x20\x30\0'; } >"$corpus/seed" ;;
  esac
}

for target in "${targets[@]}"; do
  echo "== fuzz_$target: building"
  clang++ "${flags[@]}" -fsanitize=fuzzer,address,undefined "bench/fuzz/fuzz_$target.cpp" "${objects[@]}" -lz \
    -o "$out/fuzz_$target"
  corpus="$out/corpus/$target"
  mkdir -p "$corpus"
  write_seeds "$target" "$corpus"
  echo "== fuzz_$target: running for ${seconds}s"
  "$out/fuzz_$target" "$corpus" -max_total_time="$seconds" -max_len=70000 -rss_limit_mb=2048 \
    -artifact_prefix="$out/crashes/${target}-" -print_final_stats=1 2>&1 | tail -n 6
done
