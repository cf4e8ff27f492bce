// The console: the line game. Its main menu and actions with their exact
// texts, and reading what the player types at their prompts; what an answer
// does to the garden is decided by the rules of the actions (actions.h),
// which the full screen shares.
//
// Input that cannot be used never changes the garden: a slot or item number
// outside what was listed is answered with "invalid input", a word typed
// where a number belongs ends the action (the rest of its line is dropped),
// and the end of input leaves the game as if the player chose 0. A number
// too large for an int counts as INT_MAX or INT_MIN, a number outside every
// list, and the rest of its line is dropped too. When the game leaves, the
// rest of the line is read and dropped, so nothing typed reaches the shell.
// A typed name longer than kMaxNameBytes (actions.h), like one that is not
// safe to print (safe_text.h), is answered with "invalid input" and leaves
// the name as it was.
//
// The console works on the garden it is given (garden.h), in memory only;
// loading and saving it is the garden file's job (garden_file.h).

#ifndef TUMBLENOOK_CONSOLE_H_
#define TUMBLENOOK_CONSOLE_H_

#include "garden.h"

// The main menu on `garden`, until the player leaves (or input ends).
void userInterface(Garden& garden);

// Main-menu actions on `garden`.
void hatch(Garden& garden);
void breed(Garden& garden);
void nameMirl(Garden& garden);
void giveItem(Garden& garden);
void pet(Garden& garden);
void statistics(Garden& garden);

#endif  // TUMBLENOOK_CONSOLE_H_
