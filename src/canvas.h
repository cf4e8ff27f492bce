// A canvas: the full screen as a grid of character cells, each with a style
// and a colour, that the screen composes and the terminal shows. Text put on
// it is measured by display width (a wide character or an emoji takes two
// columns) and cut where its room ends, or wrapped onto the lines of its
// box, so that nothing is ever drawn past a box, nor outside the window,
// whatever its size, 1x1 included. A wide character is never left in half.
//
// The canvas knows nothing of terminals: the screen can be composed and
// looked at as plain text, which the tests do.

#ifndef TUMBLENOOK_CANVAS_H_
#define TUMBLENOOK_CANVAS_H_

#include <string>
#include <string_view>
#include <vector>

// How a cell is drawn. Without colour, the screen stays readable by these
// alone.
enum class Style : unsigned char { kPlain, kBold, kReverse, kDim, kUnderline };

// The colours a cell may ask for; kDefault is the terminal's own.
enum class Colour : unsigned char {
  kDefault,
  kRed,
  kGreen,
  kYellow,
  kBlue,
  kMagenta,
  kCyan,
  kWhite
};

struct Cell {
  std::string glyph = " ";  // one character; empty where a wide one goes on
  Style style = Style::kPlain;
  Colour colour = Colour::kDefault;
};

// The display width of `text`, UTF-8: two columns for a wide character,
// none for a combining one, one for anything that cannot be measured.
int displayWidth(std::string_view text);

// `text` cut to at most `columns` display columns, with "…" in its last
// column when anything was cut. Never splits a character.
std::string fitWidth(std::string_view text, int columns);

// The longest end of `text` that takes at most `columns` display columns,
// from the first byte of a character: what a field shows of a long text,
// its end, where the typing is.
std::string_view lastColumns(std::string_view text, int columns);

// `text`, UTF-8, broken into lines of at most `columns` display columns, as
// for news and notes in a box. Lines break at blanks (spaces and tabs),
// which the break swallows: a line after a break starts with no blank,
// while the indent of the first one is kept. A word longer than a line is
// cut, filling the line it starts on, between characters: never inside
// one, nor between a character and its combining marks. A character wider
// than a whole line (a wide one when `columns` is 1) can never be shown and
// stands as "…". Each "\n" ends a line (a last one adds none); an empty
// text gives no lines, and so does no room (`columns` <= 0).
std::vector<std::string> wrapText(std::string_view text, int columns);

class Canvas {
 public:
  // A blank canvas of `rows` by `columns`; negative sizes count as 0.
  Canvas(int rows, int columns);

  int rows() const { return rows_; }
  int columns() const { return columns_; }

  // Puts `text` at `row`, `column`, cut to `room` columns (and to the
  // canvas's edge). Returns the columns it takes from `column`, where the
  // next text may go on (0 when the row is outside). What falls outside the
  // canvas is dropped, a column left of it included; a wide character cut in
  // half by the text's ends gives way to a blank.
  int put(int row, int column, std::string_view text,
          Style style = Style::kPlain, Colour colour = Colour::kDefault,
          int room = -1);

  // Puts `text` wrapped to `columns` (see wrapText) on at most `rows` lines
  // from `row`, `column`. When it takes more, its last line shown ends in
  // "…". Returns the rows used.
  int putWrapped(int row, int column, std::string_view text, int rows,
                 int columns, Style style = Style::kPlain,
                 Colour colour = Colour::kDefault);

  // The same for `lines`, already wrapped to `columns` by wrapText: for a
  // caller that needs their count first.
  int putLines(int row, int column, const std::vector<std::string>& lines,
               int rows, int columns, Style style = Style::kPlain,
               Colour colour = Colour::kDefault);

  // Gives the `width` cells from `row`, `column` the style (and colour),
  // as for a highlighted line. A wide character only half inside them is
  // blanked: the halves of a character are never drawn in two styles.
  void paint(int row, int column, int width, Style style,
             Colour colour = Colour::kDefault);

  // Draws a frame around the box of `height` by `width` at `row`, `column`,
  // blanking its inside, with `title` on its top edge. A wide character
  // that an edge cuts in half is blanked outside the frame too.
  void frame(int row, int column, int height, int width,
             std::string_view title = "");

  // The cell at `row`, `column`. REQUIRES: inside the canvas.
  const Cell& at(int row, int column) const {
    return cells_[static_cast<std::size_t>(row) * columns_ + column];
  }

  // Row `row` as text, as a terminal shows it.
  std::string line(int row) const;

 private:
  bool inside(int row, int column) const;
  // The cells of row `row`. REQUIRES: 0 <= row < rows().
  Cell* rowOf(int row);
  // Blanks a wide character across the border before `column`, so that
  // drawing on one side of that border never leaves half of it.
  // REQUIRES: 0 <= row < rows().
  void cutWideCharacterAt(int row, int column);

  int rows_;
  int columns_;
  std::vector<Cell> cells_;
};

#endif  // TUMBLENOOK_CANVAS_H_
