#!/bin/sh
# The full-screen game in a real terminal (tmux): what needs one. A session
# played by keys leaves the same garden, byte for byte, as the line game
# given the same choices and the same random seed; then the terminal's
# cases, one row each: signals, suspending, resizing, colours, the terminal
# restored on every way out, and the terminals the screen refuses. What the
# keys do in the game is tested in process, without a terminal.
# Usage: screen_test.sh GAME SRAND_SHIM DATA_FOLDER
set -euf  # no globs: keys and inputs are split into words on purpose
game=$1 shim=$2 data=$3
command -v tmux >/dev/null || { echo "screen: skipped, no tmux"; exit 77; }
scratch=$(mktemp -d)
socket="$scratch/tmux"
trap 'tmux -S "$socket" kill-server 2>/dev/null; rm -rf "$scratch"' EXIT
tm() { tmux -S "$socket" "$@"; }
screen() { tm capture-pane -p "$@" 2>/dev/null || true; }
fail() { echo "FAIL: $*" >&2; screen | sed '/^ *$/d' >&2; exit 1; }
# Bounded polls: about ten seconds each, enough for a loaded machine.
waitFor() {
  for _ in $(seq 200); do screen | grep -qF -- "$1" && return 0; sleep 0.05; done
  fail "no '$1' on the screen"
}
waitFile() {
  for _ in $(seq 200); do [ -s "$1" ] && return 0; sleep 0.05; done
  fail "no $1"
}

# One creature's save record: NAME AGE FORM COLOUR.
record() {
  printf 'Name: %s\nAge: %s\nReincarnation: 0\n' "$1" "$2"
  for skill in Swim Run Power Fly Stamina; do printf '%s: 12 2 30\n3 1 4\n' $skill; done
  printf 'Evolution: %s 0 0 0\nColor: %s 3\nCoat: 1 2\nShine: 0 1\nTwo-tone: 1 1\n' "$3" "$4"
}
# Two grown creatures and a child, Cy, the only one who can be petted.
base="$scratch/base"
mkdir "$base"
{ record Ada 24 5 4; record Bo 30 6 7; record Cy 8 2 2; } >"$base/mirl.dat"
# A sanitized game takes the shim preloaded before its runtime.
sanitized="ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
fresh() { rm -rf "$1"; mkdir "$1"; cp "$data/fruits.dat" "$data/animals.dat" "$base/mirl.dat" "$1/"; }

# The pane: runs the game in DIR with the given NAME=VALUE settings, then
# keeps its exit status and the terminal's settings as the shell sees them.
cat >"$scratch/pane.sh" <<'EOF'
cd "$1" && shift
sh -c 'echo $$ > pid; exec env "$@"' sh "$@" 2>err
echo "status=$?" >status
stty -a >stty
exec sleep 600  # the pane stays until the next session; tmux ends it
EOF
start() {
  dir=$1 && shift
  tm kill-server 2>/dev/null || true
  socket="$dir.tmux"  # a new server: the last one may not be gone yet
  tm new-session -d -x 80 -y 24 sh "$scratch/pane.sh" "$dir" "$@" $sanitized "$game" --screen
}
# Steps "KEYS=TEXT;KEYS=TEXT...": sends the tmux keys, then waits for the
# text they bring. A key word !WORD runs the function WORD instead.
steps() {
  while IFS='=' read -r keys text; do
    case $keys in
      !*) eval "${keys#!}" ;;
      ?*) tm send-keys $keys ;;
    esac
    [ -z "$text" ] || waitFor "$text"
  done <<STEPS
$(printf '%s\n' "$1" | tr ';' '\n')
STEPS
}
int() { waitFile "$dir/pid" && kill -INT "$(cat "$dir/pid")"; }
size() { tm resize-window -x "$1" -y "$2"; }
colours() { screen -e >"$dir/colours"; }

# Equivalence: same SEED, with rows "screen keys|text they bring|the line
# game's input for the same choice" on standard input. Both leave at the end.
same() {
  seed=$1 line="$scratch/line$1"
  fresh "$scratch/screen$1"
  fresh "$line"
  start "$scratch/screen$1" TUMBLENOOK_TEST_SEED="$seed" LD_PRELOAD="$shim"
  while IFS='|' read -r keys text typed; do
    steps "$keys=$text"
    [ -z "$typed" ] || printf '%s\n' $typed >>"$line/input"
  done
  steps q
  waitFile "$dir/status"
  echo 0 >>"$line/input"
  (cd "$line" && env TUMBLENOOK_TEST_SEED="$seed" LD_PRELOAD="$shim" $sanitized "$game" <input >/dev/null) ||
    fail "seed $seed: the line game failed"
  [ "$(cat "$dir/status")" = status=0 ] && [ ! -s "$dir/err" ] || fail "seed $seed: $(cat "$dir/err")"
  cmp "$dir/mirl.dat" "$line/mirl.dat" || fail "seed $seed: the gardens differ"
}

same 5 <<'EOF'
h|Which egg?|
1 Enter|A Normal egg hatched in slot 3|1 1
h|Which egg?|
2 Enter|Colour of the egg|
5 Enter|A Monotone egg hatched in slot 4|1 2 5
h|Which egg?|
Down Down Enter|Colour of the egg|
Down Enter|A Shiny Monotone egg hatched in slot 5|1 3 1
h|Which egg?|
4 Enter|Jewel coat of the egg|
1 2 Enter|A Jewel egg hatched in slot 6|1 4 12
0 b|Breed Ada with|
1 Enter|Ada and Bo had an egg in slot 7|6 0 1
EOF

# The saved checks of a row, run in its folder after the game ended.
ages() { [ "$(sed -n 's/^Age: //p' mirl.dat | tr '\n' ' ')" = "$* " ] || fail "$row: ages $(grep Age: mirl.dat)"; }
names() { [ "$(sed -n 's/^Name: //p' mirl.dat | tr '\n' ' ')" = "$* " ] || fail "$row: names"; }
status() { [ "$(cat status)" = "status=$1" ] || fail "$row: $(cat status) $(cat err)"; }
quiet() { [ ! -s err ] || fail "$row: said $(cat err)"; }
oneLine() { [ "$(wc -l <err)" -eq 1 ] || fail "$row: not one line: $(cat err)"; }
cooked() { grep -qE '(^|[ ;])icanon' stty && grep -qE '(^|[ ;])echo( |;|$)' stty || fail "$row: $(cat stty)"; }
untouched() { cmp -s mirl.dat "$base/mirl.dat" && [ ! -e mirl.dat.lock ] || fail "$row: touched the garden"; }
coloured() {
  if grep -qE "$(printf '\033')\\[(3[0-8]|4[0-8]|9[0-7])[;m]" colours; then has=yes; else has=no; fi
  [ "$has" = "$1" ] || fail "$row: colour sequences: $has"
}

# Rows: case|NAME=VALUE settings|steps|checks. Every hour is one of leaving.
while IFS='|' read -r row settings keys checks; do
  case $row in '#'*) continue ;; esac  # a row left out, with its reason
  fresh "$scratch/$row"
  start "$scratch/$row" $settings
  steps "$keys"
  waitFile "$dir/status"
  (cd "$dir" && eval "$checks") || exit 1
done <<'EOF'
sigint||h=Which egg?;!int|status 130; quiet; ages 25 31 9; cooked
leave||q|status 0; quiet; ages 25 31 9; cooked
resize||!size 79 24=this one is 79x24.;!size 80 23=is 80x23.;!size 80 24=mirl in the garden;q|status 0; ages 25 31 9
colour||=q Leave;!colours;q|status 0; coloured yes
no colour|NO_COLOR=1|=q Leave;!colours;q|status 0; coloured no
unknown term|TERM=nosuchterminal||status 2; oneLine; untouched
EOF

# Not a terminal: refused at once, in one line, touching nothing.
mkdir "$scratch/notty" && cd "$scratch/notty"
code=0 && "$game" --screen </dev/null >"$scratch/out" 2>"$scratch/err" || code=$?
[ "$code" -eq 2 ] && [ "$(wc -l <"$scratch/err")" -eq 1 ] && [ -z "$(ls -A)" ] ||
  fail "not a terminal: status $code, $(cat "$scratch/err"), $(ls -A)"
echo "screen: all checks passed"
