// The command line: the options that look at the garden or change it
// without playing, each carried out as a short run of its own.
//
// --screen plays on the full screen, once it is sure that the terminal can
// hold it (otherwise one line on standard error, status 2, nothing touched);
// --list shows the garden; --export N prints the code of the creature in
// slot N (trade_code.h); --import CODE adds the creature of a code to the
// first empty slot; --release N prints the creature's code, then takes it
// out of the garden. No hour passes. --export, like --list, only looks and
// takes no lock; --import and --release act as a short game does: they take
// the garden's lock, load it with the same checks (and backup of a damaged
// garden), and save it atomically. A refusal gives one line on standard
// error, exit status 1, and leaves the garden file as it was.
//
// --list, --export and --release run in a folder without a garden add one
// line on standard error when the player's garden folder (the one
// tumblenook-play plays) holds one: where it is.
//
// Messages go to standard error; standard output carries only what an
// option was asked to print.

#ifndef TUMBLENOOK_COMMANDS_H_
#define TUMBLENOOK_COMMANDS_H_

#include <optional>

#include "garden.h"

// The way the game is played when no option ends it first.
enum class PlayOn { kLine, kScreen };

// Carries out the options of the command line on `garden`, an empty garden
// that the garden commands load. Empty when the game is to be
// played, on the line or (--screen) on the full screen, as `playOn` says;
// otherwise the exit status: 0, 1 when the garden could not be read or
// saved, the output written or an option was refused, 2 for a usage error
// or a terminal that cannot hold the screen.
std::optional<int> runOptions(int argc, char** argv, Garden& garden,
                              PlayOn& playOn);

#endif  // TUMBLENOOK_COMMANDS_H_
