#include "terminal.h"

#include <langinfo.h>
#include <signal.h>
#include <sys/select.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>

#include "signal_input.h"

#define NCURSES_WIDECHAR 1
#include <curses.h>
#include <term.h>
// term.h names every capability as a macro; these two clash with the
// terminal's getters.
#undef columns
#undef lines

namespace {

// How long a lone Escape waits for the rest of a key's sequence, in ms:
// short, so that Esc answers at once, and long enough for any terminal.
constexpr int kEscapeDelay = 25;

// The wide-character locale that ncursesw draws names with: the player's,
// when it is UTF-8, else C.UTF-8, since names are UTF-8 whatever the locale.
void useUtf8Locale() {
  if (std::setlocale(LC_ALL, "") != nullptr &&
      std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0) {
    return;
  }
  std::setlocale(LC_CTYPE, "C.UTF-8");
}

// Pairs 1 to 7 are the canvas's colours on the default background.
void startColours() {
  start_color();
  use_default_colors();
  constexpr short kColours[] = {COLOR_RED,  COLOR_GREEN,   COLOR_YELLOW,
                                COLOR_BLUE, COLOR_MAGENTA, COLOR_CYAN,
                                COLOR_WHITE};
  short pair = 1;
  for (const short colour : kColours) init_pair(pair++, colour, -1);
}

// The ncurses attributes of a cell: its style, and its colour when the
// terminal may show colour.
attr_t attributesOf(const Cell& cell, bool colour) {
  attr_t attributes = A_NORMAL;
  switch (cell.style) {
    case Style::kBold:
      attributes = A_BOLD;
      break;
    case Style::kReverse:
      attributes = A_REVERSE;
      break;
    case Style::kDim:
      attributes = A_DIM;
      break;
    case Style::kUnderline:
      attributes = A_UNDERLINE;
      break;
    case Style::kPlain:
      break;
  }
  if (colour && cell.colour != Colour::kDefault) {
    attributes |= COLOR_PAIR(static_cast<int>(cell.colour));
  }
  return attributes;
}

// The characters that are keys of their own.
constexpr wchar_t kEscapeCharacter = 27;
constexpr wchar_t kDeleteCharacter = 127;
constexpr wchar_t kBackspaceCharacter = 8;

// The key that a typed character is.
Key typedKey(wchar_t typed) {
  switch (typed) {
    case '\r':
    case '\n':
      return Key::named(KeyKind::kEnter);
    case kEscapeCharacter:
      return Key::named(KeyKind::kEscape);
    case kDeleteCharacter:
    case kBackspaceCharacter:
      return Key::named(KeyKind::kBackspace);
    default:
      return Key::typed(typed);
  }
}

// The key that an ncurses function key code is.
Key functionKey(int code) {
  switch (code) {
    case KEY_ENTER:
      return Key::named(KeyKind::kEnter);
    case KEY_BACKSPACE:
      return Key::named(KeyKind::kBackspace);
    case KEY_UP:
      return Key::named(KeyKind::kUp);
    case KEY_DOWN:
      return Key::named(KeyKind::kDown);
    case KEY_LEFT:
      return Key::named(KeyKind::kLeft);
    case KEY_RIGHT:
      return Key::named(KeyKind::kRight);
    case KEY_PPAGE:
      return Key::named(KeyKind::kPageUp);
    case KEY_NPAGE:
      return Key::named(KeyKind::kPageDown);
    case KEY_HOME:
      return Key::named(KeyKind::kHome);
    case KEY_END:
      return Key::named(KeyKind::kEnd);
    case KEY_RESIZE:
      return Key::named(KeyKind::kResize);
    default:
      return Key::named(KeyKind::kOther);
  }
}

}  // namespace

bool terminalUsable(std::string& why) {
  if (::isatty(STDIN_FILENO) != 1 || ::isatty(STDOUT_FILENO) != 1) {
    why = "the screen needs a terminal for its input and output";
    return false;
  }
  const char* term = std::getenv("TERM");
  if (term == nullptr || *term == '\0') {
    why = "the screen needs TERM to name the terminal";
    return false;
  }
  int error = 0;
  // With a place for the error, setupterm prints nothing of its own.
  if (setupterm(term, STDOUT_FILENO, &error) != OK) {
    why = std::string("the screen does not know the terminal TERM=") + term;
    return false;
  }
  // tigetstr answers (char*)-1 for a name that is no string capability;
  // "cup" is one, so only a missing one (null) can come back.
  const bool placesCursor = tigetstr("cup") != nullptr;
  del_curterm(cur_term);  // the screen loads its own when it starts
  cur_term = nullptr;
  if (!placesCursor) {
    why = std::string("the terminal TERM=") + term + " cannot place the cursor";
    return false;
  }
  return true;
}

Terminal::Terminal() {
  useUtf8Locale();
  set_escdelay(kEscapeDelay);
  screen_ = newterm(nullptr, stdout, stdin);
  if (screen_ == nullptr) return;
  started_ = true;
  cbreak();  // Ctrl-C and Ctrl-Z stay signals
  noecho();
  nonl();
  keypad(stdscr, TRUE);
  nodelay(stdscr, TRUE);  // keys are waited for in nextKey, not here
  curs_set(0);
  const char* noColor = std::getenv("NO_COLOR");
  colour_ = has_colors() && (noColor == nullptr || *noColor == '\0');
  if (colour_) startColours();
}

Terminal::~Terminal() {
  if (!started_) return;
  endwin();
  delscreen(screen_);  // what ncurses holds goes with the screen
}

int Terminal::rows() const { return LINES; }
int Terminal::columns() const { return COLS; }

// Like the line game's input: the leave signals stay blocked from the test
// of the flag until the wait, which unblocks them atomically, so that a
// signal just before the wait ends it instead of being missed.
Key Terminal::nextKey() {
  bool readyWithoutKey = false;
  for (;;) {
    sigset_t leave;
    sigemptyset(&leave);
    for (const int signal : {SIGINT, SIGHUP, SIGTERM})
      sigaddset(&leave, signal);
    sigset_t previous;
    ::sigprocmask(SIG_BLOCK, &leave, &previous);
    if (leaveSignalArrived()) {
      ::sigprocmask(SIG_SETMASK, &previous, nullptr);
      return Key{};
    }
    wint_t typed = 0;
    const int got = wget_wch(stdscr, &typed);
    if (got != ERR) {
      ::sigprocmask(SIG_SETMASK, &previous, nullptr);
      if (got == KEY_CODE_YES) return functionKey(static_cast<int>(typed));
      return typedKey(static_cast<wchar_t>(typed));
    }
    // Input that is ready twice without giving a key is the end of it: the
    // terminal went away without a hang-up.
    if (readyWithoutKey) {
      ::sigprocmask(SIG_SETMASK, &previous, nullptr);
      return Key{};
    }
    fd_set input;
    FD_ZERO(&input);
    FD_SET(STDIN_FILENO, &input);
    const int ready = ::pselect(STDIN_FILENO + 1, &input, nullptr, nullptr,
                                nullptr, &previous);
    ::sigprocmask(SIG_SETMASK, &previous, nullptr);
    if (ready < 0 && errno != EINTR) return Key{};
    readyWithoutKey = ready > 0;
  }
}

// The window is blanked, then only what is not plain blank is written, in
// runs of one style and colour, a call a run: most of a screen is blank.
// ncurses then sends only the cells that changed since the last screen.
void Terminal::show(const Canvas& canvas) {
  const int rows = std::min(canvas.rows(), LINES);
  const int columns = std::min(canvas.columns(), COLS);
  erase();
  std::string run;
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns;) {
      const Cell& first = canvas.at(row, column);
      int end = column;
      run.clear();
      for (; end < columns; ++end) {
        const Cell& cell = canvas.at(row, end);
        if (cell.style != first.style || cell.colour != first.colour) break;
        run += cell.glyph;  // the right half of a wide one adds nothing
      }
      const bool blank = first.style == Style::kPlain &&
                         first.colour == Colour::kDefault &&
                         run.find_first_not_of(' ') == std::string::npos;
      if (!blank) {
        attrset(attributesOf(first, colour_));
        mvaddstr(row, column, run.c_str());
      }
      column = end;
    }
  }
  attrset(A_NORMAL);
  refresh();
}
