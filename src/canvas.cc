#include "canvas.h"

#include <algorithm>
#include <cwchar>

namespace {

constexpr char kEllipsis[] = "\u2026";
constexpr char kHorizontal[] = "\u2500";
constexpr char kVertical[] = "\u2502";
constexpr char kTopLeft[] = "\u250c";
constexpr char kTopRight[] = "\u2510";
constexpr char kBottomLeft[] = "\u2514";
constexpr char kBottomRight[] = "\u2518";

// One character of UTF-8 text: its bytes and its display width.
struct Glyph {
  std::string_view bytes;
  int width;
};

std::size_t lengthOf(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;  // a stray byte counts as one character
}

// The character of `text` at `at`, which does not start with an ASCII
// byte: see glyphAt.
Glyph wideGlyphAt(std::string_view text, std::size_t at) {
  const std::size_t length = std::min(
      lengthOf(static_cast<unsigned char>(text[at])), text.size() - at);
  std::mbstate_t state{};
  wchar_t wide = 0;
  const std::size_t used =
      std::mbrtowc(&wide, text.data() + at, length, &state);
  int width = 1;
  if (used == length) {
    const int measured = ::wcwidth(wide);
    width = measured < 0 ? 1 : measured;
  }
  return {text.substr(at, length), width};
}

// The character of `text` at `at`. REQUIRES: at < text.size(). Names are
// valid UTF-8 (they are made safe to print), but a stray byte still counts
// as one column.
inline Glyph glyphAt(std::string_view text, std::size_t at) {
  // Most of a screen is ASCII, printable and one column wide: no need to
  // ask the C library, nor to make a call.
  if (static_cast<unsigned char>(text[at]) < 0x80) {
    return {std::string_view(text.data() + at, 1), 1};
  }
  return wideGlyphAt(text, at);
}

}  // namespace

int displayWidth(std::string_view text) {
  int width = 0;
  for (std::size_t at = 0; at < text.size();) {
    const Glyph glyph = glyphAt(text, at);
    width += glyph.width;
    at += glyph.bytes.size();
  }
  return width;
}

namespace {

// The longest start of `text` that takes at most `columns` columns, with
// the combining marks of its last character.
std::string_view cutTo(std::string_view text, int columns) {
  int width = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    const Glyph glyph = glyphAt(text, at);
    if (width + glyph.width > columns) break;
    width += glyph.width;
    at += glyph.bytes.size();
  }
  return text.substr(0, at);
}

// Makes `cell` show `glyph` in `style` and `colour`, in place: the cell
// keeps the room it has for its bytes.
void set(Cell& cell, std::string_view glyph, Style style = Style::kPlain,
         Colour colour = Colour::kDefault) {
  // Most cells change a byte for a byte: that needs no call.
  if (cell.glyph.size() == glyph.size()) {
    std::copy(glyph.begin(), glyph.end(), cell.glyph.begin());
  } else {
    cell.glyph.assign(glyph.data(), glyph.size());
  }
  cell.style = style;
  cell.colour = colour;
}

bool isBlank(char byte) { return byte == ' ' || byte == '\t'; }

// Breaks one paragraph, text without a line end, into lines of at most
// `columns` columns, greedily: a word goes on the line while it fits, on
// the next one when it does not, and only a word longer than a line is cut,
// filling the line it starts on.
class LineBreaker {
 public:
  LineBreaker(int columns, std::vector<std::string>& lines)
      : columns_(columns), lines_(lines) {}

  void wrap(std::string_view paragraph) {
    for (std::size_t at = 0; at < paragraph.size();) {
      const bool blank = isBlank(paragraph[at]);
      std::size_t end = at;
      while (end < paragraph.size() && isBlank(paragraph[end]) == blank) ++end;
      const std::string_view run = paragraph.substr(at, end - at);
      if (blank) {
        gap_ = run;  // dropped when the line breaks here, or ends
      } else {
        addWord(run);
      }
      at = end;
    }
    endLine();
  }

 private:
  void addWord(std::string_view word) {
    const int width = displayWidth(word);
    if (fits(width)) {
      append(word);
      return;
    }
    if (width <= columns_) {  // whole on the next line
      breakLine();
      append(word);
      return;
    }
    for (std::size_t at = 0; at < word.size();) {
      const Glyph glyph = glyphAt(word, at);
      if (fits(glyph.width)) {
        append(glyph.bytes);
        at += glyph.bytes.size();
      } else if (!line_.empty() || !gap_.empty()) {
        breakLine();
      } else {
        // Wider than a whole line: it can never be shown, only marked.
        append(kEllipsis);
        at += glyph.bytes.size();
      }
    }
  }

  bool fits(int width) const {
    return width_ + static_cast<int>(gap_.size()) + width <= columns_;
  }

  void append(std::string_view text) {
    line_.append(gap_).append(text);
    width_ += static_cast<int>(gap_.size()) + displayWidth(text);
    gap_ = {};
  }

  // A break before what comes next: the line so far ends, if anything is
  // on it, and the blanks before the break go with it.
  void breakLine() {
    if (!line_.empty()) endLine();
    gap_ = {};
  }

  void endLine() {
    lines_.push_back(line_);
    line_.clear();
    width_ = 0;
    gap_ = {};
  }

  const int columns_;
  std::vector<std::string>& lines_;
  std::string line_;
  int width_ = 0;
  // Blanks seen since the line's last word: they go on the line only with
  // a word after them, so a line neither starts (after a break) nor ends
  // with blanks; before the first word, they are the text's indent.
  std::string_view gap_;
};

}  // namespace

std::string fitWidth(std::string_view text, int columns) {
  if (displayWidth(text) <= columns) return std::string(text);
  if (columns <= 0) return "";
  return std::string(cutTo(text, columns - 1)) + kEllipsis;
}

std::string_view lastColumns(std::string_view text, int columns) {
  constexpr unsigned char kContinuationMask = 0xC0;
  constexpr unsigned char kContinuation = 0x80;
  int width = 0;
  std::size_t kept = text.size();
  for (std::size_t at = text.size(); at > 0;) {
    std::size_t lead = at - 1;
    while (lead > 0 && (static_cast<unsigned char>(text[lead]) &
                        kContinuationMask) == kContinuation) {
      --lead;
    }
    const int more = displayWidth(text.substr(lead, at - lead));
    at = lead;
    if (more == 0) continue;  // a combining mark goes with what it marks
    if (width + more > columns) break;
    width += more;
    kept = lead;
  }
  return text.substr(kept);
}

std::vector<std::string> wrapText(std::string_view text, int columns) {
  std::vector<std::string> lines;
  if (columns <= 0) return lines;
  LineBreaker breaker(columns, lines);
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    breaker.wrap(text.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

Canvas::Canvas(int rows, int columns)
    : rows_(std::max(rows, 0)),
      columns_(std::max(columns, 0)),
      cells_(static_cast<std::size_t>(rows_) * columns_) {}

bool Canvas::inside(int row, int column) const {
  return row >= 0 && row < rows_ && column >= 0 && column < columns_;
}

Cell* Canvas::rowOf(int row) {
  return &cells_[static_cast<std::size_t>(row) * columns_];
}

int Canvas::put(int row, int column, std::string_view text, Style style,
                Colour colour, int room) {
  if (row < 0 || row >= rows_ || column >= columns_) return 0;
  int space = columns_ - column;
  if (room >= 0) space = std::min(space, room);
  // Most text fits: it is drawn from where it is, measured once.
  const int textWidth = displayWidth(text);
  std::string cut;
  if (textWidth > space) cut = fitWidth(text, space);
  const std::string_view fitted = textWidth > space ? cut : text;
  const int width = textWidth > space ? displayWidth(fitted) : textWidth;
  const int from = std::max(column, 0);
  const int to = std::min(column + width, columns_);
  if (from >= to) return width;
  cutWideCharacterAt(row, from);
  cutWideCharacterAt(row, to);
  Cell* const cells = rowOf(row);
  int at = column;
  int last = -1;  // the cell of the last character drawn whole, if any
  for (std::size_t byte = 0; byte < fitted.size();) {
    const Glyph glyph = glyphAt(fitted, byte);
    byte += glyph.bytes.size();
    if (glyph.width == 0) {
      // A combining mark joins the character before it, when that one was
      // drawn here: never a cell of something else, nor a half.
      if (last >= 0) cells[last].glyph.append(glyph.bytes);
      continue;
    }
    if (at >= 0) {
      set(cells[at], glyph.bytes, style, colour);
      for (int rest = 1; rest < glyph.width; ++rest) {
        set(cells[at + rest], "", style, colour);
      }
      last = at;
    } else {
      // Left of the canvas: only the part of it that shows, as blanks.
      for (int cell = 0; cell < at + glyph.width; ++cell) {
        set(cells[cell], " ", style, colour);
      }
      last = -1;
    }
    at += glyph.width;
  }
  return width;
}

int Canvas::putWrapped(int row, int column, std::string_view text, int rows,
                       int columns, Style style, Colour colour) {
  return putLines(row, column, wrapText(text, columns), rows, columns, style,
                  colour);
}

int Canvas::putLines(int row, int column, const std::vector<std::string>& lines,
                     int rows, int columns, Style style, Colour colour) {
  const int shown = std::min(static_cast<int>(lines.size()), std::max(rows, 0));
  for (int line = 0; line < shown; ++line) {
    const bool cut =
        line == shown - 1 && shown < static_cast<int>(lines.size());
    put(row + line, column,
        cut ? std::string(cutTo(lines[line], columns - 1)) + kEllipsis
            : lines[line],
        style, colour, columns);
  }
  return shown;
}

// A wide character across the border between `column` - 1 and `column` of
// `row` would be left in half by whatever is drawn on one side of it alone:
// it makes way for blanks, in both its cells, before.
void Canvas::cutWideCharacterAt(int row, int column) {
  if (column <= 0 || column >= columns_) return;
  Cell* const cells = rowOf(row);
  if (!cells[column].glyph.empty()) return;  // a character starts here
  int lead = column;
  while (lead > 0 && cells[lead].glyph.empty()) --lead;
  int end = column;
  while (end < columns_ && cells[end].glyph.empty()) ++end;
  for (int at = lead; at < end; ++at) cells[at].glyph = " ";
}

void Canvas::paint(int row, int column, int width, Style style, Colour colour) {
  if (row < 0 || row >= rows_) return;
  const int from = std::max(column, 0);
  const int to = std::min(column + std::max(width, 0), columns_);
  if (from >= to) return;
  // Both halves of a character are drawn in one style, or it is gone.
  cutWideCharacterAt(row, from);
  cutWideCharacterAt(row, to);
  Cell* const cells = rowOf(row);
  for (int at = from; at < to; ++at) {
    cells[at].style = style;
    if (colour != Colour::kDefault) cells[at].colour = colour;
  }
}

void Canvas::frame(int row, int column, int height, int width,
                   std::string_view title) {
  if (height < 2 || width < 2) return;
  const int from = std::max(column, 0);
  const int to = std::min(column + width, columns_);
  for (int r = std::max(row, 0); r < std::min(row + height, rows_); ++r) {
    if (from >= to) break;
    cutWideCharacterAt(r, from);
    cutWideCharacterAt(r, to);
    for (int c = column; c < column + width; ++c) {
      const bool top = r == row;
      const bool bottom = r == row + height - 1;
      const bool left = c == column;
      const bool right = c == column + width - 1;
      std::string_view glyph = " ";
      if ((top || bottom) && !left && !right) glyph = kHorizontal;
      if ((left || right) && !top && !bottom) glyph = kVertical;
      if (top && left) glyph = kTopLeft;
      if (top && right) glyph = kTopRight;
      if (bottom && left) glyph = kBottomLeft;
      if (bottom && right) glyph = kBottomRight;
      if (inside(r, c)) set(rowOf(r)[c], glyph);
    }
  }
  if (!title.empty()) {
    put(row, column + 2, " " + std::string(title) + " ", Style::kBold,
        Colour::kDefault, width - 4);
  }
}

std::string Canvas::line(int row) const {
  std::string text;
  for (int column = 0; column < columns_; ++column) {
    text += at(row, column).glyph;
  }
  return text;
}
