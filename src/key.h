// A key as the screen's game reads it: a typed character, or one of the
// named keys that every terminal has. Only the terminal unit (terminal.h)
// maps the terminal's own codes to these, so the game, its lists and its
// text fields run, and are tested, without a terminal.

#ifndef TUMBLENOOK_KEY_H_
#define TUMBLENOOK_KEY_H_

#include <string_view>

// How far PageUp and PageDown move in what scrolls by lines or entries:
// the log, the help, the book and the planner.
inline constexpr int kScrollPage = 10;

// What a key is.
enum class KeyKind {
  kCharacter,  // a typed character, in Key::character
  kEnter,
  kEscape,
  kBackspace,
  kUp,
  kDown,
  kLeft,
  kRight,
  kPageUp,
  kPageDown,
  kHome,
  kEnd,
  kRedraw,  // Ctrl-L: draw the whole screen again
  kResize,  // the window changed size
  kOther,   // a key the game has no use for
  kLeave,   // a leave signal arrived, or the terminal went away
};

struct Key {
  KeyKind kind = KeyKind::kLeave;
  wchar_t character = 0;  // for kCharacter

  // The typed character `typed`.
  static Key typed(wchar_t typed) { return {KeyKind::kCharacter, typed}; }
  // The named key `kind`.
  static Key named(KeyKind kind) { return {kind, 0}; }

  // True for the typed character `wanted`.
  bool is(wchar_t wanted) const {
    return kind == KeyKind::kCharacter && character == wanted;
  }
};

// The key a word names, for tests and scripts: "Enter", "Esc", "Up",
// "Down", "Left", "Right", "PageUp", "PageDown", "Home", "End",
// "Backspace", "Resize", "Redraw", or any other text as its first
// character, UTF-8 (so "h" is the key h and "鳥" that character). The empty
// word is kOther.
Key keyNamed(std::string_view word);

#endif  // TUMBLENOOK_KEY_H_
