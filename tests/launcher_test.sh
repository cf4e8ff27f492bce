#!/bin/sh
# Installs the game into a scratch prefix and plays it through the installed
# launcher, as a player would: the launcher makes the garden folder and gives
# it the shipped catalogue without overwriting the player's own files, and the
# game finds that catalogue and keeps its garden between games; uninstalling
# leaves the garden alone. Then plays the source tree's play command, as
# README_MD gives it: its garden is the player's, not one in the build folder.
# Usage: launcher_test.sh BUILD_DIR README_MD
set -eu
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
has() { grep -qF -- "$1" "$scratch/out" || fail "no '$1' in the output"; }

prefix=$scratch/usr
shipped=$prefix/share/tumblenook
cmake --install "$1" --prefix "$prefix" >/dev/null
for file in bin/tumblenook bin/tumblenook-play share/man/man6/tumblenook.6 \
  share/man/man6/tumblenook-play.6; do
  [ -f "$prefix/$file" ] || fail "$file is not installed"
done

# play INPUT VAR=VALUE...: one game through the launcher, started elsewhere,
# with the launcher's arguments in $args.
args=
play() {
  input=$1 && shift
  (cd / && printf "$input" | env -i PATH="$PATH" HOME="$scratch/home" "$@" \
    "$prefix/bin/tumblenook-play" $args >"$scratch/out")
}

# A first game makes the folder, copies the catalogue and lists its fruits:
# played from a pipe, it is the line game.
garden=$scratch/xdg/tumblenook
play '1\n1\n2\n0\nPip\n3\n0\n1\n0\n0\n' XDG_DATA_HOME="$scratch/xdg"
cmp "$shipped/fruits.dat" "$garden/fruits.dat"
cmp "$shipped/animals.dat" "$garden/animals.dat"
awk 'NR > 1 { print NR - 2 ") " $1 }' "$shipped/fruits.dat" >"$scratch/fruits"
[ -s "$scratch/fruits" ] || fail "no shipped fruits"
while read -r line; do has "$line"; done <"$scratch/fruits"

# An edited catalogue and the saved garden are the player's: both stay.
printf 'Name Swim Fly Run Power Stamina A B\nTestberry 1 1 1 1 1 0 0\n' |
  tee "$scratch/edited" >"$garden/fruits.dat"
play '3\n0\n1\n' XDG_DATA_HOME="$scratch/xdg"
has '0: Pip'
has '0) Testberry'
cmp "$scratch/edited" "$garden/fruits.dat"

# Without XDG_DATA_HOME the garden is under HOME; TUMBLENOOK_GARDEN wins over
# both, and a garden already there is played, not replaced.
# A game started with "--" is a game too: it plays in the garden folder.
args=-- play '1\n1\n0\n'
[ -f "$scratch/home/.local/share/tumblenook/fruits.dat" ] || fail "no HOME garden"
[ -f "$scratch/home/.local/share/tumblenook/mirl.dat" ] || fail "-- saved no garden"
args=--line play '0\n'
has '0) Leave the Garden'
# In a terminal that cannot show the screen the game plays line by line too:
# TERM unset, unknown or dumb, standard input a pipe, or --line.
if command -v script >/dev/null; then
  while IFS='|' read -r term command; do
    printf '0\n' | env -i PATH="$PATH" HOME="$scratch/home" ${term:+TERM=$term} \
      launcher="$prefix/bin/tumblenook-play" script -qec "$command" /dev/null >"$scratch/out" || :
    grep -q 'Leave the Garden' "$scratch/out" || fail "TERM=$term $command: no line game"
  done <<'ROWS'
|"$launcher"
nosuch|"$launcher"
dumb|"$launcher"
xterm|printf '0\n' | "$launcher"
xterm|"$launcher" --lin
ROWS
fi
mkdir "$scratch/own" && cp "$garden/mirl.dat" "$scratch/own/"
play '2\n' TUMBLENOOK_GARDEN="$scratch/own" XDG_DATA_HOME="$scratch/xdg"
has '0: Pip'
cmp "$shipped/animals.dat" "$scratch/own/animals.dat"

# Options only look: the launcher passes them on and makes and copies
# nothing. Its help names the garden folder; --list shows the garden as it is,
# or an empty one where there is no garden folder yet.
# look VAR=VALUE... OPTION...: the launcher with options, started elsewhere.
look() {
  (cd / && env -i PATH="$PATH" HOME="$scratch/new" "$@" </dev/null >"$scratch/out")
}
look "$prefix/bin/tumblenook-play" --help
has "$scratch/new/.local/share/tumblenook"
has "--list"
has "--line"
look "$prefix/bin/tumblenook-play" --version
has "tumblenook "
look "$prefix/bin/tumblenook-play" -l
has "The garden is empty."
look "$prefix/bin/tumblenook-play" --li --line
has "The garden is empty."
# Arguments the game refuses get its status and no word of the launcher's;
# so does a value given to the launcher's --line.
for refused in --bogus '--help --bogus' '-- --help' '-- --line' --lin=1; do
  status=0
  look "$prefix/bin/tumblenook-play" $refused 2>/dev/null || status=$?
  [ "$status" = 2 ] || fail "$refused: exit status $status, not the game's 2"
  [ ! -s "$scratch/out" ] || fail "$refused: the launcher printed its help"
done
"$prefix/bin/tumblenook-play" --line=1 2>&1 >/dev/null | tail -1 |
  grep -qx "Try 'tumblenook-play --help' for more information." || fail "--line=1 said no usage"
# Help wins over a command that would change the garden: it only looks.
look "$prefix/bin/tumblenook-play" --import CODE --help 2>/dev/null || true
[ ! -e "$scratch/new" ] || fail "an option made a garden folder"
# A refused import or release makes no folder either; an import that the game
# takes, its option shortened, makes one for its garden and copies nothing.
for refused in '--import bogus' '--release 0' '--rel=0'; do
  look "$prefix/bin/tumblenook-play" $refused 2>/dev/null && fail "$refused was taken"
  [ ! -e "$scratch/new" ] || fail "$refused made a garden folder"
done
code=$(cd / && XDG_DATA_HOME="$scratch/xdg" "$prefix/bin/tumblenook-play" --exp 0)
look "$prefix/bin/tumblenook-play" --imp "$code"
has 'Pip joined the garden in slot 0.'
[ "$(ls "$scratch/new/.local/share/tumblenook" | tr '\n' ' ')" = 'book.txt mirl.dat mirl.dat.lock ' ] ||
  fail "an import copied the catalogue"
# --book, shortened, prints the player's own book, which the import began.
look "$prefix/bin/tumblenook-play" --bo
has "Tumblenook gardener's book, version 1"
has 'imported 1'

rm -r "$scratch/new"
# --screen is a game too, in the garden folder; outside a terminal it is refused.
look "$prefix/bin/tumblenook-play" --scr 2>/dev/null && fail "--scr played without a terminal"
[ -f "$scratch/new/.local/share/tumblenook/fruits.dat" ] || fail "--scr played outside the garden"
rm -r "$scratch/new"
ls "$garden" >"$scratch/before" && cp "$garden/mirl.dat" "$scratch/mirl"
look XDG_DATA_HOME="$scratch/xdg" "$prefix/bin/tumblenook-play" --list
has '0: Pip'
cmp "$scratch/mirl" "$garden/mirl.dat"
ls "$garden" | cmp -s "$scratch/before" - || fail "--list changed the folder"

# A file named to --import is the one in the folder the player started in,
# as a relative or a whole name: the game refuses it as a code and tells how
# to import the code it keeps. A name of a garden's file is no file of the
# player's; "-" reads the code from standard input, even beside a file of
# that name, and a code imports.
here=$scratch/here trade=$scratch/trade
mkdir "$here" "$trade" && cp "$shipped/fruits.dat" "$trade/" && : >"$here/-"
printf 'Pip\n' >"$here/pip.code" && printf '%s\n' "$code" >"$here/real.code"
hint="tumblenook: this is not a creature code; to import the code kept in \
$here/pip.code, use --import - < $here/pip.code"
while IFS='|' read -r from args input status out err; do
  got=0
  (cd "$from" && env -i PATH="$PATH" HOME="$scratch/home" TUMBLENOOK_GARDEN="$trade" \
    "$prefix/bin/tumblenook-play" $args <"${input:-/dev/null}" >"$scratch/out" \
    2>"$scratch/err") || got=$?
  [ "$got" = "$status" ] || fail "$args: exit status $got, not $status"
  [ "$(cat "$scratch/out")" = "$out" ] || fail "$args: printed '$(cat "$scratch/out")'"
  [ "$(cat "$scratch/err")" = "$err" ] || fail "$args: said '$(cat "$scratch/err")'"
done <<ROWS
$here|--import pip.code||1||$hint
$here|--imp=pip.code||1||$hint
$here|--import $here/pip.code||1||$hint
/|--import $here/pip.code||1||$hint
/|--import ${here#/}/pip.code||1||$hint
$here|--import fruits.dat||1||tumblenook: this is not a creature code
$here|--import -|$here/real.code|0|Pip joined the garden in slot 0.|
$here|--import $code||0|Pip joined the garden in slot 1.|
ROWS

# Uninstalling removes every installed file and the catalogue's folder; the
# garden stays.
cmake --build "$1" --target uninstall >/dev/null
left=$(find "$prefix" ! -type d)
[ -z "$left" ] || fail "uninstall left $left"
[ ! -e "$shipped" ] || fail "uninstall left $shipped"
grep -q '^Name: Pip$' "$garden/mirl.dat" || fail "uninstall touched the garden"

# The README's play command builds, then starts the built launcher itself, so
# that no build tool stands between the terminal and the game (on Ctrl-C it
# would complain of the interrupt). Run from the source tree on this build,
# it keeps the garden where the installed game does, and writes none into the
# build folders (build/<preset>/ and their parent).
command=$(sed -n '/^Play/,/^    /s/^    //p' "$2")
launcher=${command##*&& build/release/}
[ "$launcher" = bin/tumblenook-play ] || fail "the play command is '$command'"
touch "$scratch/before-play"
(cd "$(dirname "$2")" && printf '1\n1\n2\n0\nTumble\n0\n' |
  env -i PATH="$PATH" HOME="$scratch/player" "$1/$launcher") \
  >"$scratch/out" 2>&1 || fail "the play command failed"
grep -q '^Name: Tumble$' "$scratch/player/.local/share/tumblenook/mirl.dat" ||
  fail "the play command kept no garden in the player's folder"
stray=$(find "$1/.." -name 'mirl.dat*' -newer "$scratch/before-play")
[ -z "$stray" ] || fail "the play command saved a garden in the build folder: $stray"
echo "launcher: all checks passed"
