#include "screen.h"

#include "screen_game.h"
#include "screen_view.h"
#include "terminal.h"

std::vector<std::string> playOnScreen(Garden& garden, bool& started) {
  Terminal terminal;
  started = terminal.started();
  ScreenGame game(garden);
  if (!started) return game.released();
  for (;;) {
    terminal.show(composeScreen(game, terminal.rows(), terminal.columns()));
    const Key key = terminal.nextKey();
    if (key.kind == KeyKind::kLeave) break;
    if (key.kind == KeyKind::kResize) continue;
    if (key.kind == KeyKind::kRedraw) {  // the terminal's, not the game's
      terminal.repaintAll();
      continue;
    }
    if (!fitsScreen(terminal.rows(), terminal.columns())) {
      if (key.is('q')) break;  // too small: only q acts
      continue;
    }
    game.setWindow(terminal.rows(), terminal.columns());
    if (game.onKey(key) == ScreenGame::Outcome::kLeave) break;
  }
  game.leave();
  return game.released();
}
