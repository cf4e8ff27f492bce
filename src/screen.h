// The full-screen garden: the same garden and the same rules as the line
// game, played one key per action. The whole garden is in view, beside the
// selected creature's statistics; a line answers every key in words; the
// keys are always shown, and `?` explains them.
//
// Time passes as in the line game: each completed action (hatch, name,
// give, pet, breed) is one choice, after which the age tick runs, and
// leaving runs it once more. Looking, a cancelled dialog, a refusal, a
// release and an import cost no hour, and a refusal draws nothing from
// rand, so that the screen and the line game leave the same garden for the
// same choices.
//
// The screen's words are its own; the line game's exact texts stay in the
// console. Both carry out their actions through the same rules (actions.h).

#ifndef TUMBLENOOK_SCREEN_H_
#define TUMBLENOOK_SCREEN_H_

#include <string>
#include <vector>

#include "garden.h"

// Plays `garden` on the full screen until the player leaves with `q` or a
// leave signal arrives (which cancels any open dialog and leaves the same
// way). Returns the codes of the creatures released during the game, for
// the caller to keep when it saves the garden. False in `started` when the
// terminal could not be started; nothing changed then.
// REQUIRES: terminalUsable(); the garden is claimed and loaded.
std::vector<std::string> playOnScreen(Garden& garden, bool& started);

#endif  // TUMBLENOOK_SCREEN_H_
