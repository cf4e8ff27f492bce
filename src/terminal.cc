#include "terminal.h"

#include <langinfo.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/select.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <optional>
#include <vector>

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
  // Only the character type matters to the screen; the rest of the locale
  // would cost its start for nothing.
  if (std::setlocale(LC_CTYPE, "") != nullptr &&
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
constexpr wchar_t kRedrawCharacter = 12;  // Ctrl-L

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
    case kRedrawCharacter:
      return Key::named(KeyKind::kRedraw);
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

// Set when the window may have changed size (SIGWINCH). The terminal unit
// handles the signal itself rather than leaving it to ncurses, whose
// resize is only reported once the keys typed after it are read: a key
// would then be judged by the window's old size.
volatile std::sig_atomic_t windowChanged = 0;

extern "C" void onWindowChange(int /*signal*/) { windowChanged = 1; }

// The signals that end a wait for a key: the leave signals and a resize.
sigset_t wakingSignals() {
  sigset_t set = leaveSignalSet();
  sigaddset(&set, SIGWINCH);
  return set;
}

// Blocks `signals` for its lifetime; `previous()` is the mask before, for a
// wait to unblock them atomically.
class SignalsBlocked {
 public:
  explicit SignalsBlocked(const sigset_t& signals) {
    ::sigprocmask(SIG_BLOCK, &signals, &previous_);
  }
  ~SignalsBlocked() { ::sigprocmask(SIG_SETMASK, &previous_, nullptr); }
  SignalsBlocked(const SignalsBlocked&) = delete;
  SignalsBlocked& operator=(const SignalsBlocked&) = delete;

  const sigset_t* previous() const { return &previous_; }

 private:
  sigset_t previous_{};
};

// The window's size as the terminal has it now; false when it cannot say.
bool windowSize(int& rows, int& columns) {
  winsize size{};
  if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_row == 0 ||
      size.ws_col == 0) {
    return false;
  }
  rows = size.ws_row;
  columns = size.ws_col;
  return true;
}

// True when standard input, which a wait found ready, holds no byte: it
// has ended, the terminal gone. Ready input that gives no key is not
// enough: it may be the first part of a character, the rest still to come.
bool inputEnded() {
  int waiting = 0;
  return ::ioctl(STDIN_FILENO, FIONREAD, &waiting) != 0 || waiting == 0;
}

// Adds `byte` to the bytes of the character being typed, `pending`: the key
// once they make a whole character, nothing while more are to come. Bytes
// that are no UTF-8 are dropped, and a lone one is kOther. Characters are
// read byte by byte here, not by ncurses, which drops the start of a
// character whose rest has not come yet.
std::optional<Key> addByte(std::string& pending, int byte) {
  pending += static_cast<char>(byte);
  for (;;) {
    std::mbstate_t state{};
    wchar_t typed = 0;
    const std::size_t used =
        std::mbrtowc(&typed, pending.data(), pending.size(), &state);
    if (used == static_cast<std::size_t>(-2)) return std::nullopt;
    if (used != static_cast<std::size_t>(-1)) {
      pending.clear();
      return typedKey(typed);
    }
    if (pending.size() == 1) {
      pending.clear();
      return Key::named(KeyKind::kOther);
    }
    pending.erase(0, pending.size() - 1);  // the last byte may start one
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
  // Installed first, so that ncurses leaves the signal to it.
  struct sigaction onResize {};
  onResize.sa_handler = onWindowChange;
  sigemptyset(&onResize.sa_mask);
  ::sigaction(SIGWINCH, &onResize, &previousResize_);
  windowChanged = 0;
  screen_ = newterm(nullptr, stdout, stdin);
  if (screen_ == nullptr) {
    ::sigaction(SIGWINCH, &previousResize_, nullptr);
    return;
  }
  started_ = true;
  cbreak();  // Ctrl-C and Ctrl-Z stay signals
  noecho();
  nonl();
  keypad(stdscr, TRUE);
  meta(stdscr, TRUE);     // all eight bits of each byte: names are UTF-8
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
  ::sigaction(SIGWINCH, &previousResize_, nullptr);
}

int Terminal::rows() const { return LINES; }
int Terminal::columns() const { return COLS; }

// Like the line game's input: the signals that wake the wait stay blocked
// from the tests of their flags until the wait, which unblocks them
// atomically, so that a signal just before the wait ends it instead of
// being missed. A resize is looked for before any key, so that a key typed
// after it is judged by the window it was typed in.
Key Terminal::nextKey() {
  const SignalsBlocked blocked(wakingSignals());
  for (;;) {
    if (leaveSignalArrived()) return Key{};
    if (followWindow()) return Key::named(KeyKind::kResize);
    const int got = wgetch(stdscr);
    if (got >= KEY_MIN) {
      pending_.clear();  // a character cut off by a function key is lost
      return functionKey(got);
    }
    if (got != ERR) {
      if (const std::optional<Key> key = addByte(pending_, got)) return *key;
      continue;  // the rest of the character may have come already
    }
    fd_set input;
    FD_ZERO(&input);
    FD_SET(STDIN_FILENO, &input);
    const int ready = ::pselect(STDIN_FILENO + 1, &input, nullptr, nullptr,
                                nullptr, blocked.previous());
    if (ready < 0 && errno != EINTR) return Key{};
    if (ready > 0 && inputEnded()) return Key{};
  }
}

// A window resized while the game was suspended signals the shell, not the
// game: ncurses finds that one itself as it brings the screen back, and
// reports it as KEY_RESIZE.
bool Terminal::followWindow() {
  // A signal that came while blocked has not been caught yet: take it.
  sigset_t resize;
  sigemptyset(&resize);
  sigaddset(&resize, SIGWINCH);
  constexpr timespec kNoWait{};
  const bool pending = ::sigtimedwait(&resize, nullptr, &kNoWait) == SIGWINCH;
  if (windowChanged == 0 && !pending) return false;
  windowChanged = 0;
  int rows = LINES;
  int columns = COLS;
  windowSize(rows, columns);
  resize_term(rows, columns);
  // A terminal may move or drop what it showed when it resizes.
  clearok(curscr, TRUE);
  return true;
}

void Terminal::repaintAll() { clearok(curscr, TRUE); }

namespace {

// The first byte that is not ASCII.
constexpr unsigned char kFirstNonAscii = 0x80;

// The cell `cell` as ncurses's cell, with `attributes`; false for the
// right half of a wide character, which its left half covers, and for a
// glyph that is not one character with its combining marks.
bool cursesCell(const Cell& cell, attr_t attributes, cchar_t& out) {
  std::array<wchar_t, CCHARW_MAX + 1> characters{};
  const short pair = static_cast<short>(PAIR_NUMBER(attributes));
  // Most cells are one ASCII character: no conversion for them.
  if (cell.glyph.size() == 1 &&
      static_cast<unsigned char>(cell.glyph[0]) < kFirstNonAscii) {
    characters[0] = static_cast<wchar_t>(cell.glyph[0]);
    return setcchar(&out, characters.data(), attributes & ~A_COLOR, pair,
                    nullptr) == OK;
  }
  std::mbstate_t state{};
  const char* at = cell.glyph.data();
  const char* const end = at + cell.glyph.size();
  std::size_t count = 0;
  while (at < end && count < CCHARW_MAX) {
    const std::size_t length = std::mbrtowc(
        &characters[count], at, static_cast<std::size_t>(end - at), &state);
    if (length == 0 || length > static_cast<std::size_t>(end - at)) break;
    at += length;
    ++count;
  }
  if (count == 0) return false;
  return setcchar(&out, characters.data(), attributes & ~A_COLOR, pair,
                  nullptr) == OK;
}

// Whether `cell` is one printable ASCII character.
bool isPrintableAscii(const Cell& cell) {
  constexpr unsigned char kFirstPrintable = 0x20;
  constexpr unsigned char kDelete = 0x7f;
  if (cell.glyph.size() != 1) return false;
  const auto byte = static_cast<unsigned char>(cell.glyph[0]);
  return byte >= kFirstPrintable && byte < kDelete;
}

// The room for one run of cells, kept from run to run.
struct RunRoom {
  std::vector<chtype> ascii;
  std::vector<cchar_t> wide;
};

// Writes the cells from `column` to `end` of `row` of `canvas`, all of one
// style and colour, in one call. A run of printable ASCII goes as ncurses's
// plain cells, which it copies as they are; any other as ready-made wide
// cells, which it measures.
void writeRun(const Canvas& canvas, int row, int column, int end,
              attr_t attributes, RunRoom& room) {
  room.ascii.clear();
  for (int at = column; at < end; ++at) {
    const Cell& cell = canvas.at(row, at);
    if (!isPrintableAscii(cell)) break;
    room.ascii.push_back(static_cast<unsigned char>(cell.glyph[0]) |
                         attributes);
  }
  if (room.ascii.size() == static_cast<std::size_t>(end - column)) {
    mvaddchnstr(row, column, room.ascii.data(),
                static_cast<int>(room.ascii.size()));
    return;
  }
  room.wide.clear();
  for (int at = column; at < end; ++at) {
    cchar_t made{};
    if (cursesCell(canvas.at(row, at), attributes, made)) {
      room.wide.push_back(made);
    }
  }
  if (!room.wide.empty()) {
    mvadd_wchnstr(row, column, room.wide.data(),
                  static_cast<int>(room.wide.size()));
  }
}

// Whether `cell` is a plain blank, as the blanked window already is.
bool isPlainBlank(const Cell& cell) {
  // Compared byte by byte: std::string's compare is a call per cell.
  return cell.glyph.size() == 1 && cell.glyph[0] == ' ' &&
         cell.style == Style::kPlain && cell.colour == Colour::kDefault;
}

}  // namespace

// The window is blanked, then only what is not a plain blank is written,
// in runs of one style and colour, a call a run: most of a screen is blank,
// and cells need no conversion of text by ncurses. ncurses then sends only
// the cells that changed since the last screen.
void Terminal::show(const Canvas& canvas) {
  const int rows = std::min(canvas.rows(), LINES);
  const int columns = std::min(canvas.columns(), COLS);
  erase();
  RunRoom room;
  room.ascii.reserve(static_cast<std::size_t>(columns));
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns;) {
      const Cell& first = canvas.at(row, column);
      if (isPlainBlank(first)) {
        ++column;
        continue;
      }
      int end = column + 1;
      for (; end < columns; ++end) {
        const Cell& cell = canvas.at(row, end);
        if (cell.style != first.style || cell.colour != first.colour ||
            isPlainBlank(cell)) {
          break;
        }
      }
      writeRun(canvas, row, column, end, attributesOf(first, colour_), room);
      column = end;
    }
  }
  attrset(A_NORMAL);
  refresh();
}
