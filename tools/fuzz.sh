#!/usr/bin/env bash
# Builds the fuzz preset and runs every libFuzzer target for a bounded time
# on a scratch copy of its seed corpus (the corpus in the repository never
# grows). Exits non-zero on any crash, hang, leak or sanitizer report; the
# input that caused it is kept in build/fuzz/artifacts/.
#
# Usage: tools/fuzz.sh [seconds per target, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
targets=(load_garden_fuzz catalogue_fuzz console_fuzz trade_code_fuzz)
root="$PWD"
artifacts="$root/build/fuzz/artifacts"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

# Scratch space in memory where there is some: the targets save gardens,
# and every save syncs to disk.
memory=/dev/shm
[ -d "$memory" ] && [ -w "$memory" ] || memory="${TMPDIR:-/tmp}"
scratch=$(mktemp -d "$memory/tumblenook-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export TMPDIR="$scratch/tmp"
mkdir -p "$TMPDIR"
mkdir -p "$artifacts"

# Leaks and undefined behaviour must stop the run like a crash does.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:${ASAN_OPTIONS:-}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:${UBSAN_OPTIONS:-}"

for target in "${targets[@]}"; do
  corpus="$scratch/$target"
  cp -r "$root/fuzz/corpus/$target" "$corpus"
  echo "== $target: ${seconds}s"
  # Paths are absolute: the console target works in a folder of its own.
  if ! "$root/build/fuzz/bin/$target" -max_total_time="$seconds" \
      -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$artifacts/$target-" "$corpus" \
      >"$scratch/$target.log" 2>&1; then
    tail -n 60 "$scratch/$target.log"
    echo "fuzz.sh: $target failed; inputs kept in $artifacts" >&2
    exit 1
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^Done' \
    "$scratch/$target.log" || true
done
echo "fuzz.sh: no faults in ${#targets[@]} targets, ${seconds}s each"
