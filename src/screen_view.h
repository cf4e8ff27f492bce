// What the full screen shows, composed on a canvas from the screen's game
// (screen_game.h): the garden's boxes, the selected creature's statistics,
// the news (the answer to the last key, wrapped whole), the key bar, and the
// open dialog over them: a list with what lies beside it (the breeding
// forecast, an item's effect), a field, the help or the log. Composing only
// reads; the keys and what they do are the game's.
//
// The layout needs 80 columns by 24 rows; a smaller window shows a notice
// instead, cut to whatever room there is. A larger one keeps the garden at
// its top left and gives its room to the log, kept in view beside or below
// the garden, and to longer lists.

#ifndef TUMBLENOOK_SCREEN_VIEW_H_
#define TUMBLENOOK_SCREEN_VIEW_H_

#include "canvas.h"
#include "screen_game.h"

// The rows the key bar takes at the window's bottom for `game`, in a window
// `columns` wide: 1, or 2 when its keys do not fit on one row.
int keyBarRows(const ScreenGame& game, int columns);

// True when a window of `rows` by `columns` holds the whole screen.
bool fitsScreen(int rows, int columns);

// Composes the whole screen for `game` on a canvas of `rows` by `columns`.
Canvas composeScreen(const ScreenGame& game, int rows, int columns);

#endif  // TUMBLENOOK_SCREEN_VIEW_H_
