// The full-screen garden: the same garden and the same rules as the line
// game, played one key per action, on the terminal (terminal.h). The game
// itself (screen_game.h) and what it shows (screen_view.h) need no
// terminal; this unit joins them to it: it shows each screen, waits for the
// next key, and hands it on.

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
