#!/bin/bash
# Builds the fuzz preset and runs every fuzz target for a bounded time from its seed
# corpus (a copy: the seeds in the tree stay as they are).  Fails on any finding.
# Usage: scripts/fuzz-smoke.sh [SECONDS_PER_TARGET]   (default 60, or $FUZZ_SECONDS)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
seconds=${1:-${FUZZ_SECONDS:-60}}
build=build/fuzz

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"

work=$(mktemp -d "${TMPDIR:-/tmp}/vorel-fuzz-smoke.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$build/fuzz-artifacts"
export VOREL_FUZZ_TMP=$work  # the targets' scratch files, removed with it even after a crash
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

status=0
for exe in "$build"/bin/fuzz_*; do
  [ -x "$exe" ] || continue
  name=$(basename "$exe")
  corpus=$work/$name
  mkdir -p "$corpus"
  [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$corpus/"
  args=(-max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048
        -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$name-")
  dict=fuzz/dict/${name#fuzz_}.dict
  [ -f "$dict" ] && args+=(-dict="$dict")
  echo "=== fuzz: $name for ${seconds}s"
  if ! "$exe" "${args[@]}" "$corpus" 2>"$work/$name.log"; then
    echo "fuzz: $name FOUND A PROBLEM (input saved under $build/fuzz-artifacts/):"
    grep -v '^#' "$work/$name.log" | tail -n 40
    status=1
  else
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$work/$name.log" | sed "s/^/  /"
  fi
done
exit $status
