#!/usr/bin/env bash
# Mutation testing: puts one single-line fault at a time into the sources, rebuilds, runs the tests (without the
# level-finishing ones) and reports which tests caught each fault. Every file is restored exactly afterwards.
set -euo pipefail

usage() {
  cat <<'EOF'
Usage: scripts/mutate.sh [OPTIONS] FILE...                                   (a folder: all its sources)
       scripts/mutate.sh [OPTIONS] --sample N [--seed S] [DIR...]   (default seed 1, DIRs content game editor)
       scripts/mutate.sh [OPTIONS] --faults FILE        (the faults as --list prints them, e.g. a run's survivors)

  --build DIR         the configured build folder to rebuild and test (default build)
  --out FILE          also write one tab-separated line per fault to FILE
  --timeout SECONDS   time limit of each test (default 60); a fault whose tests run out of time counts as caught
  --stop-on-failure   stop the tests of a fault at its first failing test (quicker, but names fewer tests)
  --list              only print the faults that would be made
EOF
  exit 2
}

die() { echo "mutate: $*" >&2; exit 2; }

root="$(cd "$(dirname "$0")/.." && pwd)"
build=build out="" faults_file="" sample="" seed=1 test_timeout=60 stop_on_failure="" list_only="" child="" work="" locked=""
declare -a targets=()
declare -A hash_before=()

parse_args() {
  while [ $# -gt 0 ]; do
    case "$1" in
      --build) build="${2:?}"; shift ;;
      --out) out="${2:?}"; shift ;;
      --sample) sample="${2:?}"; shift ;;
      --faults) faults_file="$(realpath -m "${2:?}")"; shift ;;
      --seed) seed="${2:?}"; shift ;;
      --timeout) test_timeout="${2:?}"; shift ;;
      --stop-on-failure) stop_on_failure=--stop-on-failure ;;
      --list) list_only=1 ;;
      -h|--help) usage ;;
      -*) die "unknown option $1" ;;
      *) targets+=("$1") ;;
    esac
    shift
  done
  [ -n "$sample" ] || [ -n "$faults_file" ] || [ ${#targets[@]} -gt 0 ] || usage
  [ -z "$faults_file" ] || [ -f "$faults_file" ] || die "no such file: $faults_file"
  [ -z "$out" ] || out="$(realpath -m "$out")"
  build="$(realpath -m "$build")"
  local i
  for i in "${!targets[@]}"; do  # the helper and git take paths from the top of the tree
    [ -e "${targets[$i]}" ] || die "no such file or folder: ${targets[$i]}"
    targets[$i]="$(realpath --relative-to="$root" "${targets[$i]}")"
  done
}

# The one file under mutation and its original, kept in the build folder so that a run killed outright is
# undone by the next one.
pending_dir() { echo "$build/mutate-pending"; }

restore() {
  local dir; dir="$(pending_dir)"
  [ -f "$dir/path" ] || return 0
  local file; file="$(cat "$dir/path")"
  cat "$dir/original" > "$root/$file"  # a new time stamp, so the next build compiles the original again
  cmp -s "$dir/original" "$root/$file" || die "could not restore $file: its original is $dir/original"
  rm -rf "$dir"
}

apply_fault() {  # FILE LINE TEXT
  local dir; dir="$(pending_dir)"
  mkdir -p "$dir"
  cp "$root/$1" "$dir/original"
  echo "$1" > "$dir/path"
  { head -n "$(($2 - 1))" "$dir/original"; printf '%s\n' "$3"; tail -n "+$(($2 + 1))" "$dir/original"; } > "$root/$1"
}

# Runs a command under a time limit in the background, so that Ctrl-C reaches the traps at once.
run_limited() {  # SECONDS LOG COMMAND...
  timeout --kill-after=10 "$1" "${@:3}" > "$2" 2>&1 9>&- &
  child=$!
  local status=0
  wait "$child" || status=$?
  child=""
  return "$status"
}

on_signal() {
  [ -z "$child" ] || { kill "$child" 2>/dev/null; wait "$child"; } || true
  echo "mutate: interrupted; run cmake --build $build before testing by hand" >&2
  exit 130
}

on_exit() {
  local status=$?
  [ -z "$locked" ] || restore
  [ -z "$work" ] || rm -rf "$work"
  exit "$status"
}

build_tree() { cmake --build "$build" --parallel "$(nproc)" > "$work/build.log" 2>&1 9>&-; }

# Writes the tests that did not pass to $work/failed, one per line as NAME<tab>STATUS; returns ctest's status.
run_tests() {  # LIMIT
  local status=0
  run_limited "$1" "$work/test.log" ctest --test-dir "$build" -LE finishable --parallel "$(nproc)" \
    --timeout "$test_timeout" $stop_on_failure || status=$?
  # A test that did not pass is marked ***STATUS; a name is its first word (parameterised ones go on).
  sed -nE 's/^.*Test +#[0-9]+: ([^ ]+) .*\*\*\*([A-Za-z][^*]*[^ *]) +[0-9.]+ sec$/\1\t\2/p' "$work/test.log" \
    | { grep -Pv '\tSkipped$' || true; } > "$work/failed"
  return "$status"
}

list_faults() {
  if [ -n "$faults_file" ]; then
    cat "$faults_file"
  elif [ -n "$sample" ]; then
    [ ${#targets[@]} -gt 0 ] || targets=(content game editor)
    (cd "$root" && MUTANTS_BUILD="$build" python3 scripts/mutants.py sample "$sample" "$seed" "${targets[@]}")
  else
    (cd "$root" && MUTANTS_BUILD="$build" python3 scripts/mutants.py list "${targets[@]}")
  fi
}

preflight() {
  [ -f "$build/CMakeCache.txt" ] || die "$build is not a configured build folder (bash scripts/build.sh makes one)"
  build_tree || die "the build fails before any fault is made (see below)$(echo; tail -20 "$work/build.log")"
  local started=$SECONDS
  run_tests 3600 || die "the tests fail before any fault is made:"$'\n'"$(cat "$work/failed")"
  fault_limit=$((2 * (SECONDS - started) + test_timeout))
  echo "Clean tree: built, tests pass in $((SECONDS - started)) s; each fault's tests may take up to $fault_limit s."
}

# Makes one fault, rebuilds, tests, restores; sets result, caught_by and elapsed.
try_fault() {  # FILE LINE AFTER
  local started=$SECONDS status=0
  apply_fault "$@"
  caught_by=""
  if ! build_tree; then
    result="did not build"
  elif grep -q "ninja: no work to do" "$work/build.log"; then
    result="unused"  # the build does not compile this file
  else
    run_tests "$fault_limit" || status=$?
    caught_by="$(cut -f1 "$work/failed" | sort | paste -sd' ')"
    if [ "$status" -eq 124 ] || [ "$status" -eq 137 ] || grep -q $'\tTimeout' "$work/failed"; then
      result="timed out"
    elif [ -n "$caught_by" ] || [ "$status" -ne 0 ]; then
      result="caught"
    else
      result="survived"
    fi
  fi
  restore
  elapsed=$((SECONDS - started))
}

report_fault() {  # N TOTAL FILE LINE KIND BEFORE AFTER
  local names shown
  read -ra names <<<"$caught_by"
  shown="${names[*]:0:6}"
  [ ${#names[@]} -le 6 ] || shown+=" and $((${#names[@]} - 6)) more"
  case "$result" in
    caught) echo "[$1/$2] $3:$4 $5: caught by ${#names[@]}: $shown ($elapsed s)" ;;
    "timed out") echo "[$1/$2] $3:$4 $5: timed out; ${#names[@]} failed or ran out of time: $shown ($elapsed s)" ;;
    *) echo "[$1/$2] $3:$4 $5: $result ($elapsed s)" ;;
  esac
  echo "    - $6"
  if [ "$5" = delete ]; then echo "    + (deleted)"; else echo "    + $7"; fi
  [ -z "$out" ] ||
    printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$3" "$4" "$5" "$result" "$caught_by" "$elapsed" "$6" "$7" >> "$out"
}

summary() {
  local caught=$((${count[caught]} + ${count[timed out]}))
  local built=$((caught + ${count[survived]})) percent="-"
  [ "$built" -eq 0 ] || percent="$(awk -v c="$caught" -v b="$built" 'BEGIN { printf "%.1f", 100 * c / b }')"
  echo
  echo "$total faults: ${count[caught]} caught, ${count[survived]} survived, ${count[did not build]} did not build," \
       "${count[timed out]} timed out$([ "${count[unused]}" -eq 0 ] || echo ", ${count[unused]} in no built file")"
  echo "Caught $caught of the $built that built (a time-out counts as caught): $percent %"
}

# Every file the run touched is as it was before, by git's hash of its contents.
check_tree() {
  local file changed=0
  for file in "${!hash_before[@]}"; do
    [ "$(cd "$root" && git hash-object "$file")" = "${hash_before[$file]}" ] ||
      { echo "mutate: $file CHANGED" >&2; changed=1; }
  done
  [ "$changed" -eq 0 ] || die "some files differ from before the run (git diff shows them)"
  echo "git: every file the run mutated (${#hash_before[@]}) is as before."
}

main() {
  parse_args "$@"
  work="$(mktemp -d)"
  trap on_exit EXIT
  trap on_signal INT TERM HUP
  command -v python3 > /dev/null || die "python3 is missing (bash scripts/install-deps.sh installs it)"
  git -C "$root" rev-parse --is-inside-work-tree > /dev/null 2>&1 || die "$root is not a git work tree"
  list_faults > "$work/faults"
  if [ -n "$list_only" ]; then cat "$work/faults"; return; fi
  [ -s "$work/faults" ] || die "no faults to make in ${targets[*]}"
  mkdir -p "$build"
  exec 9> "$build/mutate.lock"
  flock -n 9 || die "another mutate run uses $build"
  locked=1
  [ ! -f "$(pending_dir)/path" ] || echo "Restoring $(cat "$(pending_dir)/path"), left mutated by a killed run."
  restore
  export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=offscreen
  local file line kind before after n=0
  while IFS=$'\t' read -r file line kind before after; do
    hash_before[$file]="$(cd "$root" && git hash-object "$file")"
  done < "$work/faults"
  total=$(wc -l < "$work/faults")
  preflight
  [ -z "$out" ] || printf 'file\tline\tkind\tresult\ttests\tseconds\tbefore\tafter\n' > "$out"
  declare -gA count=([caught]=0 [survived]=0 ["did not build"]=0 ["timed out"]=0 [unused]=0)
  while IFS=$'\t' read -r -u 3 file line kind before after; do
    n=$((n + 1))
    try_fault "$file" "$line" "$after"
    count[$result]=$((${count[$result]} + 1))
    report_fault "$n" "$total" "$file" "$line" "$kind" "$before" "$after"
  done 3< "$work/faults"
  build_tree || die "the restored tree does not build"
  summary
  check_tree
}

main "$@"; exit
