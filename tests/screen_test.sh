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
fail() { echo "FAIL: ${row:+$row: }$*" >&2; screen | sed '/^ *$/d' >&2; exit 1; }
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
# With "jobs" first among the settings, the shell has job control, as a
# player's has: Ctrl-Z gives it the terminal back, and Enter then brings the
# game back with fg. The pane's shell outlives the pane, to keep the status.
cat >"$scratch/pane.sh" <<'EOF'
cd "$1" && shift
[ "$1" != jobs ] || { set -m; shift; }
trap : HUP
sh -c 'echo $$ > pid; exec env "$@" 2>err' sh "$@"
code=$?
while jobs >jobs && [ -s jobs ]; do  # suspended
  stty -a >stty.suspended
  read -r _
  fg >/dev/null
  code=$?
done
stty -a >stty
echo "status=$code" >status  # last: the test waits for it
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
sig() { waitFile "$dir/pid" && kill -"$1" "$(cat "$dir/pid")"; }
tty() { tm display -p '#{pane_tty}'; }
size() { tm resize-window -x "$1" -y "$2"; }
# Waits until the terminal itself is ROWS COLUMNS: tmux may size a pane
# resized in quick steps a moment after the command.
ttySize() {
  for _ in $(seq 200); do [ "$(stty -F "$(tty)" size)" = "$*" ] && return 0; sleep 0.05; done
  fail "the terminal is not $*"
}
# The first line is TEXT, blanks aside: nothing scrolled the screen.
top() {
  for _ in $(seq 200); do [ "$(screen | head -1 | sed 's/^ *//')" = "$*" ] && return 0; sleep 0.05; done
  fail "the first line is not '$*'"
}
gone() {
  for _ in $(seq 200); do screen | grep -qF -- "$1" || return 0; sleep 0.05; done
  fail "'$1' stays on the screen"
}
colours() { screen -e >"$dir/colours"; }
# Suspended: the shell has the terminal back, as it was.
suspended() { waitFile "$dir/stty.suspended" && (cd "$dir" && restored stty.suspended); }
# Sends the bytes in hex as the terminal's input, then leaves the game the
# time to read them: a character may come in parts over a slow link.
bytes() { tm send-keys -H "$@" && sleep 0.2; }
# Writes over the screen behind the game's back.
junk() { printf '\033[5;5HJUNK' >"$(tty)"; }
# The screen as ncurses left it is the screen drawn anew from nothing: not a
# cell stale. Ctrl-L draws it all again; the key x then changes only the
# answer line, which is left out of the comparison.
answers="Cancelled; no hour passed|That key does nothing"
whole() {
  screen | grep -vE "$answers" >"$dir/before"
  tm send-keys C-l x
  waitFor 'That key does nothing'
  screen | grep -vE "$answers" >"$dir/after"
  cmp -s "$dir/before" "$dir/after" || fail "stale cells: $(diff "$dir/before" "$dir/after")"
}
# Asleep between keys: nothing wakes the game while no key comes, once it
# has gone to sleep after drawing.
idle() {
  proc=/proc/$(cat "$dir/pid")/status
  [ -r "$proc" ] || return 0
  sleep 0.5 && before=$(grep ctxt_switches "$proc" | tr '\n' ' ')
  sleep 1 && after=$(grep ctxt_switches "$proc" | tr '\n' ' ')
  [ "$after" = "$before" ] || fail "woken while idle: $before, then $after"
}

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
ages() { [ "$(sed -n 's/^Age: //p' mirl.dat | tr '\n' ' ')" = "$* " ] || fail "ages $(grep Age: mirl.dat)"; }
names() { [ "$(sed -n 's/^Name: //p' mirl.dat | tr '\n' ' ')" = "$* " ] || fail "names"; }
status() { [ "$(cat status)" = "status=$1" ] || fail "$(cat status) $(cat err)"; }
quiet() { [ ! -s err ] || fail "said $(cat err)"; }
oneLine() { [ "$(wc -l <err)" -eq 1 ] || fail "not one line: $(cat err)"; }
cooked() { grep -qE '(^|[ ;])icanon' "${1:-stty}" && grep -qE '(^|[ ;])echo( |;|$)' "${1:-stty}" || fail "$(cat "${1:-stty}")"; }
# The terminal as it was, by the shell's settings in FILE (stty): cooked,
# the shell's own screen, the cursor shown, the keypad in its normal mode.
restored() {
  cooked "${1:-stty}"
  [ "$(tm display -p '#{alternate_on} #{cursor_flag} #{keypad_cursor_flag}')" = "0 1 0" ] ||
    fail "the screen, cursor or keypad not restored"
}
unsaved() { cmp -s mirl.dat "$base/mirl.dat" || fail "saved the garden"; }
untouched() { cmp -s mirl.dat "$base/mirl.dat" && [ ! -e mirl.dat.lock ] || fail "touched the garden"; }
# Styles arrive with or without colour: the title bar in reverse video and
# the name of a creature not selected in bold.
styled() {
  esc=$(printf '\033')
  head -1 colours | grep -qF "$esc[7m Tumblenook:" || fail "the title bar not in reverse video"
  grep -qF "$esc[1m1 Bo" colours || fail "Bo's name not in bold"
}
coloured() {
  if grep -qE "$(printf '\033')\\[(3[0-8]|4[0-8]|9[0-7])[;m]" colours; then has=yes; else has=no; fi
  [ "$has" = "$1" ] || fail "colour sequences: $has"
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
sigint||h=Which egg?;!sig INT|status 130; quiet; ages 25 31 9; restored
sigterm||h=Which egg?;!sig TERM|status 143; quiet; ages 25 31 9; restored
sighup||h=Which egg?;!sig HUP|status 129; quiet; ages 25 31 9; restored
hang-up||h=Which egg?;!sig HUP;!tm kill-pane|status 129; quiet; ages 25 31 9
terminal gone||h=Which egg?;!tm kill-pane|status 0; quiet; ages 25 31 9
leave||q|status 0; quiet; ages 25 31 9; restored
ctrl-z|jobs|h=Which egg?;C-z;!suspended;Enter=Which egg?;Escape=no hour passed;q|status 0; quiet; ages 25 31 9; restored
resized while suspended|jobs|=in the garden;C-z;!suspended;!size 79 24;!ttySize 24 79;Enter=this one is 79x24.;!size 80 24=in the garden;q|status 0; ages 25 31 9; restored
save refused||!mkdir "$dir/released-codes.txt";1 r=Let Bo go?;y=left the garden;q|status 1; restored; unsaved
resize||!size 79 24=this one is 79x24.;!size 80 23=is 80x23.;!size 80 24=in the garden;q|status 0; ages 25 31 9
tiny||!size 1 1;!ttySize 1 1;!size 20 3=this one is 20x3.;!top Tumblenook needs a …;!size 80 24;!top Tumblenook: 3 of 8 mirl in the garden;q|status 0; ages 25 31 9
resize then a key||h=Which egg?;!size 70 20=is 70x20.;!sig STOP;!size 80 24;!ttySize 24 80;Escape;!sig CONT=no hour passed;q|status 0; ages 25 31 9
key then a resize||h=Which egg?;!sig STOP;!size 70 20;!ttySize 20 70;Escape;!sig CONT=is 70x20.;!size 80 24=Which egg?;Escape=no hour passed;q|status 0; ages 25 31 9
redraw||1 r=Let Bo go?;!junk=JUNK;C-l;!gone JUNK;y=left the garden;q|status 0; names Ada Cy
wide name||2 n=One word;-l 鳥鳥鳥鳥鳥鳥鳥鳥鳥鳥;Enter=now called 鳥鳥鳥鳥鳥鳥鳥鳥鳥鳥;g=Give;1 Enter=Which fruit?;Escape=2 鳥鳥鳥鳥…           3 empty;!whole;q|status 0; names Ada Bo 鳥鳥鳥鳥鳥鳥鳥鳥鳥鳥
split character||2 n=One word;!bytes e9;!bytes b3 a5;Enter=now called 鳥;q|status 0; quiet; names Ada Bo 鳥
idle||=in the garden;!idle;q|status 0
colour||=q Leave;!colours;q|status 0; coloured yes; styled
no colour|NO_COLOR=1|=q Leave;!colours;q|status 0; coloured no; styled
unknown term|TERM=nosuchterminal||status 2; oneLine; untouched
dumb term|TERM=dumb||status 2; oneLine; untouched
EOF

# Not a terminal: refused at once, in one line, touching nothing.
mkdir "$scratch/notty" && cd "$scratch/notty"
code=0 && "$game" --screen </dev/null >"$scratch/out" 2>"$scratch/err" || code=$?
[ "$code" -eq 2 ] && [ "$(wc -l <"$scratch/err")" -eq 1 ] && [ -z "$(ls -A)" ] ||
  fail "not a terminal: status $code, $(cat "$scratch/err"), $(ls -A)"
echo "screen: all checks passed"
