// The command line: the options that look at the garden or change it
// without playing (--list, --help, --version), each carried out as a short
// run of its own.
//
// Options and messages about them go to standard error; standard output
// carries only what an option was asked to print.

#ifndef TUMBLENOOK_COMMANDS_H_
#define TUMBLENOOK_COMMANDS_H_

#include <optional>

// Carries out the options of the command line. Empty when the game is to be
// played; otherwise the exit status: 0, 1 when the garden could not be read
// or the output written, 2 for a usage error.
std::optional<int> runOptions(int argc, char** argv);

#endif  // TUMBLENOOK_COMMANDS_H_
