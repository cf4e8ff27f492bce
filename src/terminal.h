// The terminal of the full-screen game: the one unit that owns it. It tells
// whether the terminal can hold the screen at all, starts it (keys, colours,
// the wide-character locale), waits for keys without polling, and restores
// the terminal on every way out: leaving, a leave signal, an error, and
// Ctrl-Z, after which `fg` redraws.
//
// Only the screen's units use it, and only this unit calls ncurses. While
// the screen is up, standard output belongs to it: nothing else of the game
// writes there, since the model prints only to the streams it is given.

#ifndef TUMBLENOOK_TERMINAL_H_
#define TUMBLENOOK_TERMINAL_H_

#include <signal.h>

#include <string>

#include "canvas.h"
#include "key.h"

struct screen;  // ncurses's SCREEN, which only the terminal unit knows

// True when standard input and output are terminals and TERM names one that
// can place the cursor; otherwise false, with the reason in words in `why`.
// Prints nothing.
bool terminalUsable(std::string& why);

// The terminal while the screen is up: started by the constructor, restored
// by the destructor, whatever way the screen is left.
class Terminal {
 public:
  // Starts the full screen. REQUIRES: terminalUsable() was true.
  Terminal();
  ~Terminal();
  Terminal(const Terminal&) = delete;
  Terminal& operator=(const Terminal&) = delete;

  // False when the screen could not start (the terminal went away).
  bool started() const { return started_; }

  // The window's size.
  int rows() const;
  int columns() const;

  // Sleeps until the next key, a resize or a leave signal: no timer, no
  // polling. A leave signal that arrived before the call is seen at once,
  // and a resize before any key typed after it, the new size already in
  // rows() and columns(). The terminal's keys come as named keys (key.h):
  // Enter, Esc, Backspace, the arrows, paging, Home, End, and Ctrl-L as
  // kRedraw. kLeave when the terminal went away.
  Key nextKey();

  // Shows `canvas` as the whole screen; only the cells that changed are
  // sent to the terminal.
  void show(const Canvas& canvas);

  // Makes the next show() paint every cell, whatever the terminal shows
  // now: for Ctrl-L, after something else wrote over the screen.
  void repaintAll();

 private:
  // Takes the window's new size after a resize signal: true when the
  // window is to be drawn anew.
  bool followWindow();

  screen* screen_ = nullptr;  // ncurses's SCREEN
  bool started_ = false;
  // The terminal has colours and NO_COLOR is unset or empty.
  bool colour_ = false;
  struct sigaction previousResize_ {};  // SIGWINCH's, before the screen
  std::string pending_;  // the bytes so far of a character being typed
};

#endif  // TUMBLENOOK_TERMINAL_H_
