#!/bin/sh
# A player's terminal: a game ended by a signal while a line is half typed
# leaves nothing of that line to the shell that started it. Runs a real
# shell in tmux, types a command at the game's prompt without Enter, ends
# the game, then presses Enter. Usage: terminal_test.sh GAME
set -eu
game=$1
command -v tmux >/dev/null || { echo "terminal: skipped, no tmux"; exit 77; }
scratch=$(mktemp -d)
socket="$scratch/tmux"
trap 'tmux -S "$socket" kill-server 2>/dev/null; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; tmux -S "$socket" capture-pane -p >&2; exit 1; }
screen() { tmux -S "$socket" capture-pane -p; }
waitFor() {
  for _ in $(seq 100); do screen | grep -q -- "$1" && return 0; sleep 0.05; done
  fail "no '$1' on the screen"
}

tmux -S "$socket" new-session -d -x 100 -y 30 \
  "cd '$scratch' && PS1='$ ' sh -i"
tmux -S "$socket" send-keys "'$game'; echo status=\$?" Enter
waitFor 'Enter an option:'
tmux -S "$socket" send-keys "touch LEAKED"
waitFor 'Enter an option: touch LEAKED'
pkill -TERM -x "$(basename "$game")" -P "$(tmux -S "$socket" list-panes -F '#{pane_pid}')"
waitFor 'status=143'
tmux -S "$socket" send-keys Enter
sleep 0.3
[ ! -e "$scratch/LEAKED" ] || fail "the half-typed line reached the shell"
[ -e "$scratch/mirl.dat" ] || fail "the garden was not saved"
echo "terminal: all checks passed"
