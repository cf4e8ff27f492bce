#!/bin/sh
# Measures Tumblenook's speed and footprint on this machine:
#  1. start-up and leave with a full garden of 8 (load, one choice, save):
#     wall time, CPU time (user + sys) and peak resident memory over RUNS runs;
#     the same for `tumblenook --list`, `--export`, `--import` and
#     `--release` on that garden;
#  2. a scripted session of CHOICES main-menu choices mixing every action:
#     time per choice, system calls per choice (strace) and user-space
#     instructions per choice (callgrind, on a PROFILED-choice session);
#  3. the full screen (`--screen`, 80 x 24, in a pseudo-terminal under
#     `script`, and in tmux): instructions of start-up and leave (callgrind)
#     beside the line game's, bytes written to the terminal per key that
#     only moves the selection (over SCREEN_KEYS keys) and per Down key in
#     the three give lists, peak resident memory of that session, and CPU
#     time while it waits for a key for IDLE s;
#  4. the egg planner (e) on the full garden of 8 grown creatures: the
#     instructions of its frame against a frame of the garden's view
#     (callgrind), its CPU time in the terminal and in process;
#  5. the same start-up and leave, instructions, CPU and the system calls of
#     the save, of each older commit named in BASES, built in a scratch
#     folder, beside today's.
#
# Usage: bench/run.sh [BUILD_DIR]   (default: the `default` preset's build)
# Environment: RUNS (200), CHOICES (100000), PROFILED (5000),
# SCREEN_KEYS (60), IDLE (5), BASES ("a226186 1b5ff28": the screen before
# it was split into parts, and the garden object before the book; empty for
# none).
# Needs cmake, g++, make, strace, valgrind, script (util-linux), tmux and
# GNU time (/usr/bin/time).
set -eu
source_dir=$(cd "$(dirname "$0")/.." && pwd)
runs=${RUNS:-200}
choices=${CHOICES:-100000}
profiled=${PROFILED:-5000}
screen_keys=${SCREEN_KEYS:-60}
idle=${IDLE:-5}
bases=${BASES-a226186 1b5ff28}

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
tmux_socket=$scratch/tmux
tm() { tmux -S "$tmux_socket" -f /dev/null "$@"; }
cleanup() {
  tm kill-server 2>/dev/null || true
  for worktree in "$scratch"/base-*/src; do
    [ -d "$worktree" ] && git -C "$source_dir" worktree remove --force "$worktree"
  done
  rm -rf "$scratch"
}
trap cleanup EXIT
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
cp "$garden/book.txt" "$scratch/full.book"
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
# timed RUNS FOLDER TEMPLATE INPUT PROGRAM [ARGUMENT...]: spawn, with the
# full garden's book restored before each run too.
timed() { "$spawn" -b "$scratch/full.book" "$@"; }
fresh() {
  cp "$scratch/full.dat" "$garden/mirl.dat"
  cp "$scratch/full.book" "$garden/book.txt"
}

echo "Machine: $(nproc) CPUs, $(sed -n 's/^model name\t*: //p' /proc/cpuinfo |
  head -1), Linux $(uname -r), scratch on $(stat -f -c %T "$scratch")"
echo
echo "== Start-up and leave, full garden of 8 ($runs runs)"
timed "$runs" "$garden" "$scratch/full.dat" "$scratch/leave.in" "$game"
printf -- '--list of the same garden: '
timed "$runs" "$garden" "$scratch/full.dat" "$scratch/leave.in" "$game" --list
code=$(cd "$garden" && cp "$scratch/full.dat" mirl.dat && "$game" --export 7)
head -n 126 "$scratch/full.dat" >"$scratch/seven.dat"  # 18 lines a record
printf -- '--export 7 of the same garden: '
timed "$runs" "$garden" "$scratch/full.dat" "$scratch/leave.in" "$game" --export 7
printf -- '--import of that code into the garden without it: '
timed "$runs" "$garden" "$scratch/seven.dat" "$scratch/leave.in" "$game" --import "$code"
printf -- '--release 7 of the full garden: '
timed "$runs" "$garden" "$scratch/full.dat" "$scratch/leave.in" "$game" \
  --release 7 2>/dev/null
printf 'floor of the measurement (/bin/true): '
timed "$runs" "$garden" "$scratch/full.dat" "$scratch/leave.in" /bin/true
fresh
(cd "$garden" && strace -f -qq -c -o "$scratch/start.strace" "$game" \
  <"$scratch/leave.in" >/dev/null)
echo "system calls of one start-up and leave:"
awk '$NF != "syscall" && $NF != "total" && $4 ~ /^[0-9]+$/ {
  printf "  %s %d", $NF, $4 } END { print "" }' "$scratch/start.strace"
# save_calls GAME: the system calls of the save (those after the goodbye
# on standard output) of one start-up and leave of GAME, by name.
save_calls() {
  fresh
  (cd "$garden" && strace -f -qq -o "$scratch/save.strace" "$1" \
    <"$scratch/leave.in" >/dev/null)
  awk '/write\(1, "Goodbye/ { saving = 1; next }
    saving { name = $2; sub(/\(.*/, "", name); count[name]++ }
    END { printf "write %d, fsync %d, rename %d, openat %d\n", count["write"],
      count["fsync"], count["rename"], count["openat"] }' "$scratch/save.strace"
}
echo "system calls of the save: $(save_calls "$game")"

echo
echo "== Session of $choices main-menu choices"
timed 3 "$garden" "$scratch/full.dat" "$scratch/session.in" "$game" |
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
  cp "$scratch/full.book" "$garden/book.txt"
  (cd "$garden" && valgrind --tool=callgrind --callgrind-out-file="$scratch/cg" \
    "$game" "$@" <"$input" >/dev/null 2>"$scratch/cg.log")
  sed -n 's/^summary: //p; s/^totals: //p' "$scratch/cg" | head -1
}
base=$(instructions "$scratch/leave.in")
cp "$scratch/cg" "$scratch/cg-line"
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

echo
echo "== The screen (--screen, 80 x 24)"
# The garden after one leave of the line game: every screen session below
# must leave it byte for byte the same (q passes the hour of choice 0).
fresh
(cd "$garden" && "$game" <"$scratch/leave.in" >/dev/null)
cp "$garden/mirl.dat" "$scratch/left.dat"
# The same terminal for every run, whatever the caller's environment.
screen_env="env -u LINES -u COLUMNS -u NO_COLOR TERM=xterm-256color LC_ALL=C.UTF-8"
fail() { echo "bench: $*" >&2 && exit 1; }
left_as_choice_0() {
  cmp -s "$garden/mirl.dat" "$scratch/left.dat" ||
    fail "$1 did not leave the garden as choice 0 does"
}

# typed OUTPUT N: waits (up to 30 s) until the screen in OUTPUT shows its key
# line, since keys typed before it starts would be echoed, then types N keys
# that each move the selection to another slot (right, down, left, up, 7, 0:
# slots 1, 3, 2, 0, 7, 0), 50 ms apart so that each is drawn before the
# next comes, and then q.
typed() {
  waited=0
  until grep -qa 'Leave' "$1" || [ "$waited" -ge 300 ]; do
    sleep 0.1 && waited=$((waited + 1))
  done
  key=0
  while [ "$key" -lt "$2" ]; do
    case $((key % 6)) in
      0) printf '\033OC' ;; 1) printf '\033OB' ;; 2) printf '\033OD' ;;
      3) printf '\033OA' ;; 4) printf 7 ;; 5) printf 0 ;;
    esac
    sleep 0.05 && key=$((key + 1))
  done
  printf q
}

# typed_keys OUTPUT KEY...: waits as typed does, then types each KEY (a
# printf format) 50 ms apart, and then q.
typed_keys() {
  output=$1 && shift
  waited=0
  until grep -qa 'Leave' "$output" || [ "$waited" -ge 300 ]; do
    sleep 0.1 && waited=$((waited + 1))
  done
  for key in "$@"; do
    # shellcheck disable=SC2059
    printf "$key" && sleep 0.05
  done
  sleep 0.05 && printf q
}

# on_screen_keys OUTPUT COMMAND KEY...: as on_screen, with the keys given.
on_screen_keys() {
  output=$1 command=$2 && shift 2
  fresh
  : >"$output"
  # shellcheck disable=SC2094
  typed_keys "$output" "$@" | timeout 120 script -qfec \
    "stty rows 24 cols 80 && cd '$garden' && exec $screen_env $command" \
    /dev/null >"$output" ||
    fail "the screen session ($command) failed or took over two minutes"
  left_as_choice_0 "the screen session ($command)"
}

# on_screen N OUTPUT COMMAND: runs COMMAND (a shell command line ending with
# the game and --screen) on the full garden in a pseudo-terminal of 80 x 24,
# types N selection keys and q, and keeps all it wrote to the terminal in
# OUTPUT. At most two minutes.
on_screen() {
  fresh
  : >"$2"
  # typed reads OUTPUT while script writes it: it waits for the screen there.
  # shellcheck disable=SC2094
  typed "$2" "$1" | timeout 120 script -qfec \
    "stty rows 24 cols 80 && cd '$garden' && exec $screen_env $3" /dev/null \
    >"$2" || fail "the screen session ($3) failed or took over two minutes"
  left_as_choice_0 "the screen session ($3)"
}

on_screen 0 "$scratch/cg-screen.out" "valgrind --tool=callgrind \
--callgrind-out-file='$scratch/cg-screen' --log-file='$scratch/cg-screen.log' \
'$game' --screen"
screen_base=$(sed -n 's/^summary: //p; s/^totals: //p' "$scratch/cg-screen" | head -1)
echo "start-up and leave (q at once): $screen_base instructions, $(awk \
  -v s="$screen_base" -v b="$base" 'BEGIN { printf "%.2f", s / b }') times \
the line game's $base"
# by_object FILE: the instructions of a callgrind profile by the library (or
# program) that ran them, a call's cost counted only in its callee.
by_object() {
  awk '/^c?ob=/ { id = $1; sub(/^c?ob=/, "", id); name = $0
      sub(/^c?ob=\([0-9]+\) ?/, "", name); sub(/.*\//, "", name)
      if (name != "") names[id] = name
      if ($0 ~ /^ob=/) ob = names[id]
      next }
    /^calls=/ { call = 1; next }
    /^[0-9+*-]/ { if (!call) own[ob] += $2; call = 0 }
    END { for (o in own) if (own[o] >= 1000) printf "%s %d\n", o, own[o] }' "$1"
}
echo "by library, thousands of instructions (line game / screen):"
{ by_object "$scratch/cg-line" | sed 's/^/line /'
  by_object "$scratch/cg-screen" | sed 's/^/screen /'; } |
  awk '{ if ($1 == "line") line[$2] = $3; else screen[$2] = $3; seen[$2] = 1 }
    END { for (o in seen) printf "  %-28s %6.0f / %6.0f\n", o, line[o] / 1000,
      screen[o] / 1000 }' | sort -k4 -rn
echo "the screen's own parts, with what they call (thousands of instructions):"
callgrind_annotate --inclusive=yes "$scratch/cg-screen" 2>/dev/null | awk '
  { gsub(/,/, "", $1) }
  /:Terminal::Terminal\(\)/ { start = $1 }
  /:composeScreen\(/ { compose = $1 }
  /:Terminal::show\(/ { show = $1 }
  END { printf "  starting the terminal %.0f, composing the first screen %.0f, " \
    "drawing it %.0f\n", start / 1000, compose / 1000, show / 1000 }'

on_screen 0 "$scratch/none.out" "'$game' --screen"
# Three keyed sessions, for a busy machine may run the keys of one together.
for _ in 1 2 3; do
  on_screen "$screen_keys" "$scratch/keys.out" \
    "/usr/bin/time -f %M -o '$scratch/keys.rss' '$game' --screen"
  ! grep -qa -e 'does nothing' -e 'is empty' "$scratch/keys.out" ||
    fail "a selection key was refused"
  wc -c <"$scratch/keys.out"
done >"$scratch/keyed"
none=$(wc -c <"$scratch/none.out")
keyed=$(sort -n "$scratch/keyed" | sed -n 2p)
fresh
line=$(cd "$garden" && "$game" <"$scratch/leave.in" | wc -c)
echo "bytes to the terminal: $none for start-up and leave (the line game: \
$line); with $screen_keys selection keys $(tr '\n' ' ' <"$scratch/keyed")\
(median $keyed): $(awk -v a="$none" -v b="$keyed" -v n="$screen_keys" \
  'BEGIN { printf "%.1f", (b - a) / n }') per key"
echo "peak rss of that session: $(awk '{ printf "%.2f", $1 / 1024 }' \
  "$scratch/keys.rss") MiB"

# The give lists: each opened (g, its number, Enter) and closed (Esc), with
# Down to its last entry between, against the same without the Downs.
give_keys() { # DOWNS: the keys of the three lists, DOWNS to each at most
  for kind in 1 2 3; do
    entries=$(case $kind in
      1) echo $(($(wc -l <data/fruits.dat) - 1)) ;; 2) echo 8 ;;
      3) echo $(($(wc -l <data/animals.dat) - 1)) ;; esac)
    printf 'g %s \\r ' "$kind"
    down=1
    while [ "$down" -lt "$entries" ] && [ "$down" -le "$1" ]; do
      printf '\\033OB ' && down=$((down + 1))
    done
    printf '\\033 '
  done
}
downs=$(give_keys 99 | grep -o 'OB' | wc -l)
# shellcheck disable=SC2046
on_screen_keys "$scratch/give0.out" "'$game' --screen" $(give_keys 0)
for _ in 1 2 3; do
  # shellcheck disable=SC2046
  on_screen_keys "$scratch/give.out" "'$game' --screen" $(give_keys 99)
  grep -qa 'Which fruit' "$scratch/give.out" || fail "no fruit list opened"
  wc -c <"$scratch/give.out"
done >"$scratch/given"
give0=$(wc -c <"$scratch/give0.out")
given=$(sort -n "$scratch/given" | sed -n 2p)
echo "give lists (food, drives, animals) opened and closed: $give0 bytes; \
with $downs Down keys $(tr '\n' ' ' <"$scratch/given")(median $given): \
$(awk -v a="$give0" -v b="$given" -v n="$downs" \
  'BEGIN { printf "%.1f", (b - a) / n }') per Down"

echo
echo "== The egg planner (e), full garden of 8 grown creatures"
# frames OUTPUT KEY...: the instructions of each frame of a session (the
# start-up to the first screen, then one a key; callgrind dumps its counts
# after each drawing) and of the leave after the last.
frames() {
  name=$1 && shift
  rm -f "$scratch/cg-$name".*
  on_screen_keys "$scratch/$name.out" "valgrind --tool=callgrind \
--dump-after='*Terminal::show*' --callgrind-out-file='$scratch/cg-$name' \
--log-file='$scratch/cg-$name.log' '$game' --screen" "$@"
  # The parts are numbered from 1 in the order of the dumps; fewer than 10.
  for part in "$scratch/cg-$name".*; do
    sed -n 's/^summary: //p' "$part"
  done | tr '\n' ' '
  sed -n 's/^summary: //p' "$scratch/cg-$name"
}
planner=$(frames planner e '\033')
selection=$(frames selection '\033OC' '\033OD')
echo "instructions by frame, start-up / key / key / leave:"
echo "  e, Esc:             $planner"
echo "  right, left:        $selection"
echo "$planner $selection" | awk '{ printf "the planner'"'"'s frame: %d, %d more \
than a frame of the garden'"'"'s view (a selection key); back to the garden: \
%d\n", $2, $2 - $6, $3 }'
g++ -std=c++17 -O2 -Wall -Wextra -Isrc -o "$scratch/planner" bench/planner.cc \
  "$build/libtumblenook_core.a" -lncursesw -ltinfo
fresh
"$scratch/planner" "$garden" 2000

# CPU time while the screen waits at the top level: from the scheduler's
# count of the time it ran (ns) and the kernel's user and system ticks.
cpu_of() {
  printf '%s %s %s\n' "$(cut -d' ' -f1 "/proc/$1/schedstat")" \
    "$(sed 's/.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }')" \
    "$(awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$1/status")"
}
fresh
tm new-session -d -x 80 -y 24 "cd '$garden' && exec $screen_env '$game' --screen"
pid=$(tm display-message -p '#{pane_pid}')
waited=0
until tm capture-pane -p | grep -q 'Leave'; do
  [ "$waited" -lt 300 ] || fail "the screen did not start in tmux"
  sleep 0.1 && waited=$((waited + 1))
done
[ "$(readlink "/proc/$pid/exe")" = "$(readlink -f "$game")" ] ||
  fail "tmux's pane is not the game"
before=$(cpu_of "$pid")
sleep "$idle"
after=$(cpu_of "$pid")
held=$(awk '/^VmHWM/ { printf "%.2f", $2 / 1024 }' "/proc/$pid/status")
# The planner opened on the waiting screen: its CPU time, ncurses's drawing
# included, from the scheduler's count before the key and once it shows.
tm send-keys e
waited=0
until tm capture-pane -p | grep -q 'Breeding planner'; do
  [ "$waited" -lt 300 ] || fail "the planner did not open in tmux"
  sleep 0.1 && waited=$((waited + 1))
done
sleep 0.2
planned=$(cpu_of "$pid")
tm send-keys Escape
sleep 0.2
tm send-keys q
waited=0
while tm has-session 2>/dev/null; do
  [ "$waited" -lt 300 ] || fail "the screen in tmux did not leave on q"
  sleep 0.1 && waited=$((waited + 1))
done
left_as_choice_0 "the screen in tmux"
echo "$before $after" | awk -v s="$idle" -v hz="$(getconf CLK_TCK)" '{
  printf "CPU while waiting %d s: %.3f ms (scheduler), %d ms (ticks), " \
    "%d wake-ups\n", s, ($4 - $1) / 1e6, ($5 - $2) * 1000 / hz, $6 - $3 }'
echo "$before" | awk '{ printf "CPU from start to the first screen: %.2f ms " \
  "(scheduler)\n", $1 / 1e6 }'
echo "peak rss of the screen at the top level before q: $held MiB"
echo "$after $planned" | awk '{ printf "CPU of opening the planner (e), \
drawing included: %.3f ms (scheduler)\n", ($4 - $1) / 1e6 }'

[ -n "$bases" ] || exit 0
echo
echo "== Against older commits (BASES): start-up and leave, full garden of 8"
# Each older commit is built in a scratch worktree with the same build type.
programs="today:$game"
for rev in $bases; do
  dir=$scratch/base-$rev
  git worktree add --detach "$dir/src" "$rev" >/dev/null 2>&1 ||
    fail "no commit $rev"
  cmake -S "$dir/src" -B "$dir/build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_COMPILER=g++ -DBUILD_TESTING=OFF >/dev/null
  cmake --build "$dir/build" --target tumblenook -j2 >/dev/null
  programs="$programs $rev:$dir/build/bin/tumblenook"
done
today_game=$game
for entry in $programs; do
  name=${entry%%:*} game=${entry#*:}
  line_count=$(instructions "$scratch/leave.in")
  on_screen 0 "$scratch/cg-old.out" "valgrind --tool=callgrind \
--callgrind-out-file='$scratch/cg-old' --log-file='$scratch/cg-old.log' \
'$game' --screen"
  screen_count=$(sed -n 's/^summary: //p; s/^totals: //p' "$scratch/cg-old" |
    head -1)
  echo "$name: line game $line_count instructions ($(awk -v a="$line_count" \
    -v b="$base" 'BEGIN { printf "%+.2f%%", (a - b) * 100 / b }') against \
today), screen $screen_count ($(awk -v s="$screen_count" -v b="$line_count" \
    'BEGIN { printf "%.2f", s / b }') times its line game); save: \
$(save_calls "$game")"
done
# CPU in turns, for the machine's load drifts: RUNS start-ups of each, three
# times over, and the median of each one's three medians.
for _ in 1 2 3; do
  for entry in $programs; do
    printf '%s ' "${entry%%:*}"
    timed "$runs" "$garden" "$scratch/full.dat" "$scratch/leave.in" \
      "${entry#*:}"
  done
done | awk '{ for (i = 1; i <= NF; i++) if ($i == "cpu") print $1, $(i + 2) }' |
  sort -k1,1 -k2n | awk '{ all[$1] = all[$1] " " $2; n[$1]++
      if (n[$1] == 2) mid[$1] = $2 }
    END { for (p in all) printf "CPU median of %s: %s ms (of%s)\n", p, mid[p],
      all[p] }'
game=$today_game
