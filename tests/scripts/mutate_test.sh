#!/usr/bin/env bash
# scripts/mutate.sh on a tiny project of its own: the fault its test sees is caught and named with that test, the
# one no test can see survives, the one that cannot compile is counted apart, the finishable test is left out,
# and the source is as before.
set -euo pipefail
command -v git > /dev/null || exit 77  # skipped: the script works on a git checkout
here="$(cd "$(dirname "$0")" && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/scripts"
cp "$here/../../scripts/mutate.sh" "$here/../../scripts/mutants.py" "$tmp/scripts/"
cp "$here/mutate_fixture/"* "$tmp/"
cd "$tmp"
git init -q && git add . && git -c user.name=test -c user.email=test@localhost commit -qm fixture
cmake -S . -B build -G Ninja > /dev/null
bash scripts/mutate.sh --out faults.tsv twice.cpp > report.txt || { cat report.txt; exit 1; }

actual="$(tail -n +2 faults.tsv | awk -F'\t' '{ print $1 ":" $2, $3, "|", $4, "|", $5, "|", $8 }')"
expected="twice.cpp:2 constant | did not build |  | unsigned char Spare{256};
twice.cpp:2 constant | survived |  | unsigned char Spare{254};
twice.cpp:3 arithmetic | caught | Twice.Doubles | int Twice(int x) { return x - x; }"
[ "$actual" = "$expected" ] || { echo "$actual"; cat report.txt; exit 1; }
grep -q "Caught 1 of the 2 that built" report.txt || { cat report.txt; exit 1; }
git diff --exit-code
