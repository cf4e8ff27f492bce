#!/usr/bin/env bash
# Plays scripted sessions of the game under valgrind: one that hatches every
# kind of egg, names, gives each kind of item, pets, views every statistics
# page, waits for the creatures to grow, breeds and leaves; then one that
# loads that garden back, and one that loads a damaged garden. Exits
# non-zero on any memory error or leak, or when a session ends badly.
#
# Usage: tools/valgrind-session.sh [path to the game binary]
# Without a path it builds the game (debug, no sanitizers) in
# ${VALGRIND_BUILD_DIR:-build/valgrind}. The binary must not be built with
# sanitizers, which do not run under valgrind.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

if [ $# -ge 1 ]; then
  game=$(realpath "$1")
else
  build="${VALGRIND_BUILD_DIR:-build/valgrind}"
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=OFF >/dev/null
  cmake --build "$build" --target tumblenook -j 2
  game="$root/$build/bin/tumblenook"
fi
command -v valgrind >/dev/null || { echo "valgrind is not installed" >&2; exit 1; }

garden=$(mktemp -d "${TMPDIR:-/tmp}/tumblenook-valgrind.XXXXXX")
trap 'rm -rf "$garden"' EXIT
cp "$root/data/fruits.dat" "$root/data/animals.dat" "$garden/"
cd "$garden"

# Runs the game on the given input; fails on a valgrind error or a bad exit.
play() {
  local name=$1 input=$2
  echo "== $name"
  if ! printf '%b' "$input" | valgrind -q --error-exitcode=1 \
      --leak-check=full --errors-for-leak-kinds=definite,indirect \
      "$game" >"$name.out" 2>"$name.err"; then
    cat "$name.err" >&2
    echo "valgrind-session.sh: session '$name' failed" >&2
    exit 1
  fi
}

check() {
  "$@" || { echo "valgrind-session.sh: check failed: $*" >&2; exit 1; }
}

records() { grep -c '^Name: ' mirl.dat || true; }

expect_records() {
  local want=$1 got
  got=$(records)
  if [ "$got" != "$want" ]; then
    echo "valgrind-session.sh: expected $want creatures, found $got" >&2
    exit 1
  fi
}

hatch='1\n1\n1\n2\n5\n1\n3\n14\n1\n4\n3\n'
name='2\n0\nPip\n'
items='3\n0\n1\n1\n3\n1\n2\n6\n3\n2\n3\n0\n3\n3\n7\n3\n0\n1\n99\n'
pet='4\n0\n-1\n4\n1\n1\n4\n8\n4\nx\n'
views='5\n1\n0\n2\n1\n3\n2\n4\n3\n5\n0\n6\n1\n9\n0\n'
breed_early='6\n0\n1\n6\n0\n0\n'
idle=$(printf '9\\n%.0s' $(seq 20))
breed_grown='6\n0\n1\n6\n2\n3\n5\n3\n4\n0\n'
# A name of two words leaves the game: the second word is read as the menu
# choice, and a word that is not a number counts as 0.
leave_named='2\n1\nTwo words\n'
play first-game "$hatch$breed_early$name$items$pet$views$idle$breed_grown$leave_named"
expect_records 6
check grep -q 'Child mirl cannot be bred.' first-game.out
check grep -q 'A mirl cannot be bred with itself.' first-game.out

play second-game '5\n1\n4\n2\n4\n0\n0\n'
expect_records 6

# A cut record: the records before it are kept, the file is kept as .bak.
head -n 30 mirl.dat >cut && cp cut mirl.dat
play damaged-garden '0\n'
expect_records 1
check cmp -s cut mirl.dat.bak
echo "valgrind-session.sh: no memory errors or leaks"
