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

// The character of `text` at `at`. Names are valid UTF-8 (they are made
// safe to print), but a stray byte still counts as one column.
Glyph glyphAt(std::string_view text, std::size_t at) {
  // Most of a screen is ASCII, printable and one column wide: no need to
  // ask the C library.
  if (static_cast<unsigned char>(text[at]) < 0x80)
    return {text.substr(at, 1), 1};
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

std::string fitWidth(std::string_view text, int columns) {
  if (displayWidth(text) <= columns) return std::string(text);
  if (columns <= 0) return "";
  std::string fitted;
  int width = 0;
  for (std::size_t at = 0; at < text.size();) {
    const Glyph glyph = glyphAt(text, at);
    if (width + glyph.width > columns - 1) break;
    fitted.append(glyph.bytes);
    width += glyph.width;
    at += glyph.bytes.size();
  }
  return fitted + kEllipsis;
}

Canvas::Canvas(int rows, int columns)
    : rows_(std::max(rows, 0)),
      columns_(std::max(columns, 0)),
      cells_(static_cast<std::size_t>(rows_) * columns_) {}

bool Canvas::inside(int row, int column) const {
  return row >= 0 && row < rows_ && column >= 0 && column < columns_;
}

const Cell& Canvas::at(int row, int column) const {
  return cells_[static_cast<std::size_t>(row) * columns_ + column];
}

int Canvas::put(int row, int column, std::string_view text, Style style,
                Colour colour, int room) {
  if (row < 0 || row >= rows_ || column >= columns_) return 0;
  int space = columns_ - std::max(column, 0);
  if (room >= 0) space = std::min(space, room - std::max(0, -column));
  const std::string fitted = fitWidth(text, space);
  int at = std::max(column, 0);
  const int first = at;
  for (std::size_t byte = 0; byte < fitted.size();) {
    const Glyph glyph = glyphAt(fitted, byte);
    byte += glyph.bytes.size();
    if (glyph.width == 0) {  // a combining mark joins the cell before it
      if (at > 0) cells_[row * columns_ + at - 1].glyph.append(glyph.bytes);
      continue;
    }
    Cell& cell = cells_[static_cast<std::size_t>(row) * columns_ + at];
    cell = Cell{std::string(glyph.bytes), style, colour};
    for (int rest = 1; rest < glyph.width; ++rest) {
      cells_[static_cast<std::size_t>(row) * columns_ + at + rest] =
          Cell{"", style, colour};
    }
    at += glyph.width;
  }
  mendWideCharacters(row, first, at);
  return at - first;
}

// A wide character cut in half by what was just put on columns `from` to
// `to` of `row` leaves a blank, never half a glyph.
void Canvas::mendWideCharacters(int row, int from, int to) {
  Cell* const cells = &cells_[static_cast<std::size_t>(row) * columns_];
  if (from > 0 && from < to && displayWidth(cells[from - 1].glyph) > 1) {
    cells[from - 1].glyph = " ";
  }
  for (int at = to; at < columns_ && cells[at].glyph.empty(); ++at) {
    cells[at].glyph = " ";
  }
}

void Canvas::paint(int row, int column, int width, Style style, Colour colour) {
  for (int at = column; at < column + width; ++at) {
    if (!inside(row, at)) continue;
    Cell& cell = cells_[static_cast<std::size_t>(row) * columns_ + at];
    cell.style = style;
    if (colour != Colour::kDefault) cell.colour = colour;
  }
}

void Canvas::frame(int row, int column, int height, int width,
                   std::string_view title) {
  if (height < 2 || width < 2) return;
  for (int r = row; r < row + height; ++r) {
    for (int c = column; c < column + width; ++c) {
      const bool top = r == row;
      const bool bottom = r == row + height - 1;
      const bool left = c == column;
      const bool right = c == column + width - 1;
      const char* glyph = " ";
      if ((top || bottom) && !left && !right) glyph = kHorizontal;
      if ((left || right) && !top && !bottom) glyph = kVertical;
      if (top && left) glyph = kTopLeft;
      if (top && right) glyph = kTopRight;
      if (bottom && left) glyph = kBottomLeft;
      if (bottom && right) glyph = kBottomRight;
      if (inside(r, c)) {
        cells_[static_cast<std::size_t>(r) * columns_ + c] = Cell{glyph};
      }
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
