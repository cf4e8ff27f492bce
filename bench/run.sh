#!/bin/sh
# Measures Tumblenook's speed and footprint on this machine:
#  1. start-up and leave with a full garden of 8 (load, one choice, save):
#     wall time, CPU time (user + sys) and peak resident memory over RUNS runs;
#     the same for `tumblenook --list`, `--export`, `--import` and
#     `--release` on that garden;
#  2. a scripted session of CHOICES main-menu choices mixing every action:
#     time per choice, system calls per choice (strace) and user-space
#     instructions per choice (callgrind, on a PROFILED-choice session).
#
# Usage: bench/run.sh [BUILD_DIR]   (default: the `default` preset's build)
# Environment: RUNS (200), CHOICES (100000), PROFILED (5000).
# Needs cmake, g++, make, strace, valgrind.
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
runs=${RUNS:-200}
choices=${CHOICES:-100000}
profiled=${PROFILED:-5000}

cd "$source_dir"
if [ $# -gt 0 ]; then
  build=$(mkdir -p "$1" && cd "$1" && pwd)
  cmake --preset default -B "$build" >/dev/null
  cmake --build "$build" --target tumblenook -j2 >/dev/null
else
  build=$source_dir/build/default
  cmake --preset default >/dev/null
  cmake --build --preset default --target tumblenook >/dev/null
fi
game=$build/bin/tumblenook
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
spawn=$scratch/spawn
g++ -std=c++17 -O2 -Wall -Wextra -o "$spawn" bench/spawn.cc
garden=$scratch/garden
mkdir "$garden"
cp data/fruits.dat data/animals.dat "$garden/"

# A full garden: eight eggs of all four kinds, named, aged into adults.
{
  for egg in '1' '2\n4' '3\n9' '4\n1' '1' '2\n8' '3\n12' '4\n5'; do
    printf "1\n$egg\n"
  done
  for slot in 0 1 2 3 4 5 6 7; do printf '2\n%s\nMirl%s\n' "$slot" "$slot"; done
  printf '9\n%.0s' 1 2 3 4 5 6 7 8 9 10  # the last egg turns 20 on the 0
  printf '0\n'
} | (cd "$garden" && "$game" >/dev/null)
cp "$garden/mirl.dat" "$scratch/full.dat"
[ "$(grep -c '^Name:' "$scratch/full.dat")" -eq 8 ] || exit 1

# session N: N main-menu choices cycling through every action (statistics
# views, petting, each kind of item, naming, refused hatches and breedings,
# wrong numbers), ending with 0. The garden stays full and every slot valid.
session() {
  awk -v n="$1" 'BEGIN {
    k = split("5|1|0|0;5|2|1|3|2|4|3|5|4|0;4|2|-1;3|3|1|4;3|4|2|6;" \
              "3|5|3|7;2|6|Pip;1;6|0 1;6|2 2;9;3|7|9;3|0|1|99;5|7|0;2|12",
              actions, ";")
    for (i = 0; i < n - 1; i++) {
      s = actions[i % k + 1]; gsub(/\|/, "\n", s); print s
    }
    print 0
  }'
}
printf '0\n' >"$scratch/leave.in"
session "$choices" >"$scratch/session.in"
session "$profiled" >"$scratch/profiled.in"
fresh() { cp "$scratch/full.dat" "$garden/mirl.dat"; }

echo "Machine: $(nproc) CPUs, $(sed -n 's/^model name\t*: //p' /proc/cpuinfo |
  head -1), Linux $(uname -r), scratch on $(stat -f -c %T "$scratch")"
echo
echo "== Start-up and leave, full garden of 8 ($runs runs)"
"$spawn" "$runs" "$garden" "$scratch/full.dat" "$scratch/leave.in" "$game"
printf -- '--list of the same garden: '
"$spawn" "$runs" "$garden" "$scratch/full.dat" "$scratch/leave.in" "$game" --list
code=$(cd "$garden" && cp "$scratch/full.dat" mirl.dat && "$game" --export 7)
head -n 126 "$scratch/full.dat" >"$scratch/seven.dat"  # 18 lines a record
printf -- '--export 7 of the same garden: '
"$spawn" "$runs" "$garden" "$scratch/full.dat" "$scratch/leave.in" "$game" --export 7
printf -- '--import of that code into the garden without it: '
"$spawn" "$runs" "$garden" "$scratch/seven.dat" "$scratch/leave.in" "$game" --import "$code"
printf -- '--release 7 of the full garden: '
"$spawn" "$runs" "$garden" "$scratch/full.dat" "$scratch/leave.in" "$game" \
  --release 7 2>/dev/null
printf 'floor of the measurement (/bin/true): '
"$spawn" "$runs" "$garden" "$scratch/full.dat" "$scratch/leave.in" /bin/true
fresh
(cd "$garden" && strace -f -qq -c -o "$scratch/start.strace" "$game" \
  <"$scratch/leave.in" >/dev/null)
echo "system calls of one start-up and leave:"
awk '$NF != "syscall" && $NF != "total" && $4 ~ /^[0-9]+$/ {
  printf "  %s %d", $NF, $4 } END { print "" }' "$scratch/start.strace"

echo
echo "== Session of $choices main-menu choices"
"$spawn" 3 "$garden" "$scratch/full.dat" "$scratch/session.in" "$game" |
  tee "$scratch/session.time"
awk -v n="$choices" '{ for (i = 1; i <= NF; i++) {
    if ($i == "wall") wall = $(i + 2); if ($i == "cpu") cpu = $(i + 2) }
  printf "time per choice: %.2f us wall, %.2f us cpu\n",
    wall * 1000 / n, cpu * 1000 / n }' "$scratch/session.time"

fresh
(cd "$garden" && "$game" <"$scratch/session.in" >"$scratch/session.out")
lines=$(wc -l <"$scratch/session.out")
prompts=$(grep -oF -f - "$scratch/session.out" <<'EOF' | wc -l
Enter an option:
Enter choice:
Enter number of chosen color:
Enter number of chosen Jewel Coat:
Which mirl should be bred?
Which Mirl would you like to name?
What would you like to name it?
Pet which mirl:
Which Alignment?(-1: Hero, 0: Neutral, 1: Dark)
Which Mirl should get the item?
enter choice:
Which fruit should be given?
Which Orvan Drive should be given?
Which animal should be given?
Enter option:
Which mirl's statistics should be printed?
EOF
)
fresh
(cd "$garden" && strace -f -qq -c -o "$scratch/session.strace" "$game" \
  <"$scratch/session.in" >/dev/null)
echo "output: $lines lines and $prompts prompts ($(awk -v l="$lines" \
  -v p="$prompts" -v n="$choices" 'BEGIN { printf "%.2f", (l + p) / n }') per choice)"
echo "system calls per choice (whole run, start-up and leave included):"
awk -v n="$choices" '$NF != "syscall" && $NF != "total" && $4 ~ /^[0-9]+$/ {
  printf "  %-12s %9d calls  %8.4f per choice\n", $NF, $4, $4 / n
  if ($NF == "write") writes = $4 }
  END { printf "  writes per line or prompt: %.4f\n", writes / ('"$lines + $prompts"') }' \
  "$scratch/session.strace"

echo
echo "== User-space instructions (callgrind)"
# instructions INPUT [TEMPLATE [ARGUMENT...]]
instructions() {
  input=$1 && shift
  cp "${1:-$scratch/full.dat}" "$garden/mirl.dat" && shift $(($# > 0))
  (cd "$garden" && valgrind --tool=callgrind --callgrind-out-file="$scratch/cg" \
    "$game" "$@" <"$input" >/dev/null 2>"$scratch/cg.log")
  sed -n 's/^summary: //p; s/^totals: //p' "$scratch/cg" | head -1
}
base=$(instructions "$scratch/leave.in")
total=$(instructions "$scratch/profiled.in")
echo "start-up and leave: $base instructions"
echo "--export 7: $(instructions "$scratch/leave.in" "$scratch/full.dat" \
  --export 7) instructions"
echo "--import into the garden of 7: $(instructions "$scratch/leave.in" \
  "$scratch/seven.dat" --import "$code") instructions"
echo "session of $profiled choices: $total instructions, $(awk -v b="$base" \
  -v t="$total" -v n="$profiled" 'BEGIN { printf "%.0f", (t - b) / (n - 1) }') per choice"
echo "peak rss of the $choices-choice session: $(awk '{ for (i = 1; i <= NF; i++)
  if ($i == "rss") print $(i + 2) " MiB" }' "$scratch/session.time")"
