// The canvas, composed without a terminal: whatever is drawn over a wide
// character's half (the edge of a frame, the end of a text, a highlight),
// the other half is blanked, and every line still measures the canvas's
// width, neither a column more nor one less. Text wraps into lines that
// fit, broken at blanks, and cut inside a word only when it must.

#include "canvas.h"

#include <gtest/gtest.h>

#include <clocale>
#include <functional>
#include <string>
#include <vector>

namespace {

// Text is UTF-8 whatever the player's locale; the canvas measures it so.
class CanvasTest : public testing::Test {
 protected:
  void SetUp() override { std::setlocale(LC_CTYPE, "C.UTF-8"); }
  void TearDown() override { std::setlocale(LC_CTYPE, "C"); }
};

constexpr int kRows = 3;
constexpr int kColumns = 12;
// Six birds on every row: a character starts on each even column, and its
// right half is on the odd one after it.
constexpr char kBirds[] = "鳥鳥鳥鳥鳥鳥";

Canvas birdCanvas() {
  Canvas canvas(kRows, kColumns);
  for (int row = 0; row < kRows; ++row) canvas.put(row, 0, kBirds);
  return canvas;
}

// Each line of `canvas` measures exactly its columns.
void expectWholeLines(const Canvas& canvas) {
  for (int row = 0; row < canvas.rows(); ++row) {
    EXPECT_EQ(canvas.columns(), displayWidth(canvas.line(row)))
        << "row " << row << ": " << canvas.line(row);
  }
}

TEST_F(CanvasTest, BlanksTheOtherHalfOfACutWideCharacter) {
  const struct {
    const char* drawn;
    std::function<void(Canvas&)> draw;
    int row;            // the line looked at
    const char* shown;  // that line as a terminal shows it
  } cases[] = {
      {"frame: left edge on a right half",
       [](Canvas& c) { c.frame(0, 3, 3, 5); }, 1, "鳥 │   │鳥鳥"},
      {"frame: right edge on a left half",
       [](Canvas& c) { c.frame(0, 2, 3, 7); }, 1, "鳥│     │ 鳥"},
      {"frame corners: both edges cut", [](Canvas& c) { c.frame(0, 3, 3, 6); },
       0, "鳥 ┌────┐ 鳥"},
      {"frame: left edge on a left half, right edge on a right half",
       [](Canvas& c) { c.frame(0, 2, 3, 6); }, 1, "鳥│    │鳥鳥"},
      {"frame: its title ends on a left half",
       [](Canvas& c) { c.frame(0, 0, 3, 12, "ab"); }, 0, "┌─ ab ─────┐"},
      {"frame partly left of the canvas",
       [](Canvas& c) { c.frame(0, -2, 3, 7); }, 1, "    │ 鳥鳥鳥"},
      {"put starting on a right half", [](Canvas& c) { c.put(1, 3, "a"); }, 1,
       "鳥 a鳥鳥鳥鳥"},
      {"put ending on a left half", [](Canvas& c) { c.put(1, 4, "a"); }, 1,
       "鳥鳥a 鳥鳥鳥"},
      {"put a wide one across two others", [](Canvas& c) { c.put(1, 1, "鳥"); },
       1, " 鳥 鳥鳥鳥鳥"},
      {"put cut by its room on a left half",
       [](Canvas& c) { c.put(1, 0, "abcdef", Style::kPlain, {}, 3); }, 1,
       "ab… 鳥鳥鳥鳥"},
      {"put at the last column: a wide one cut to the mark",
       [](Canvas& c) { c.put(1, 11, "鳥"); }, 1, "鳥鳥鳥鳥鳥 …"},
      {"put from left of the canvas: its part there dropped",
       [](Canvas& c) { c.put(1, -1, "鳥ab"); }, 1, " ab 鳥鳥鳥鳥"},
      {"put: a mark with nothing of its own to join is dropped",
       [](Canvas& c) { c.put(1, 4, "\u0301a"); }, 1, "鳥鳥a 鳥鳥鳥"},
      {"paint on a right half and a left half",
       [](Canvas& c) { c.paint(1, 3, 2, Style::kReverse); }, 1, "鳥    鳥鳥鳥"},
      {"paint on whole characters", [](Canvas& c) { c.paint(1, 2, 2, {}); }, 1,
       kBirds},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.drawn);
    Canvas canvas = birdCanvas();
    c.draw(canvas);
    EXPECT_EQ(c.shown, canvas.line(c.row));
    EXPECT_EQ(kColumns, displayWidth(c.shown));
    expectWholeLines(canvas);
  }
}

TEST_F(CanvasTest, ABlankedHalfKeepsItsStyleAndAPaintedOneTakesTheNew) {
  Canvas canvas = birdCanvas();
  canvas.paint(0, 3, 2, Style::kReverse, Colour::kRed);
  const Style styles[] = {Style::kPlain, Style::kReverse, Style::kReverse,
                          Style::kPlain};
  for (int column = 2; column < 6; ++column) {
    EXPECT_EQ(styles[column - 2], canvas.at(0, column).style) << column;
  }
  EXPECT_EQ(Colour::kRed, canvas.at(0, 3).colour);
  EXPECT_EQ(Colour::kDefault, canvas.at(0, 2).colour);
}

using Lines = std::vector<std::string>;

TEST_F(CanvasTest, KeepsTheLastColumnsOfATextWholeCharactersOnly) {
  const struct {
    const char* text;
    int columns;
    const char* end;
  } cases[] = {
      {"abc", 5, "abc"},
      {"abcdef", 3, "def"},
      {"", 3, ""},
      {"abc", 0, ""},
      {"鳥鳥鳥", 4, "鳥鳥"},
      {"鳥鳥鳥", 3, "鳥"},
      {"a鳥", 1, ""},
      {"e\u0301x", 1, "x"},
      {"e\u0301x", 2, "e\u0301x"},
      {"x\u0301", 1, "x\u0301"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.end, lastColumns(c.text, c.columns))
        << c.text << " in " << c.columns;
  }
}

TEST_F(CanvasTest, WrapsTextAtBlanksAndCutsOnlyWordsLongerThanALine) {
  const struct {
    const char* text;
    int columns;
    Lines lines;
  } cases[] = {
      {"", 10, {}},
      {"a b c", 0, {}},
      {"a b c", -1, {}},
      {"the quick brown fox", 10, {"the quick", "brown fox"}},
      {"the quick", 9, {"the quick"}},  // an exact fit
      {"abc def", 3, {"abc", "def"}},   // the blank at the break swallowed
      {"abc   def", 5, {"abc", "def"}},
      {"  ab cd", 5, {"  ab", "cd"}},  // the first line's indent kept
      {"   abcd", 5, {"abcd"}},        // unless the word would not fit
      {"ab cdef", 4, {"ab", "cdef"}},  // not cut: it fits a line of its own
      {"see aVeryLongWord", 6, {"see aV", "eryLon", "gWord"}},
      {"abcdef", 3, {"abc", "def"}},
      {"ab c", 1, {"a", "b", "c"}},
      {"小鳥 小鳥", 4, {"小鳥", "小鳥"}},
      {"小鳥小鳥", 3, {"小", "鳥", "小", "鳥"}},  // never half a character
      {"a小鳥", 4, {"a小", "鳥"}},
      {"a鳥b", 1, {"a", "…", "b"}},  // too wide for any line: marked
      {"e\u0301e\u0301", 1, {"e\u0301", "e\u0301"}},  // accents stay on
      {"ab\ncd", 10, {"ab", "cd"}},
      {"ab\n\ncd", 10, {"ab", "", "cd"}},
      {"ab\n", 10, {"ab"}},
      {"ab   ", 2, {"ab"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " in " + std::to_string(c.columns));
    const Lines lines = wrapText(c.text, c.columns);
    EXPECT_EQ(c.lines, lines);
    for (const std::string& line : lines) {
      EXPECT_LE(displayWidth(line), c.columns) << line;
    }
  }
}

TEST_F(CanvasTest, PutsWrappedTextMarkingWhatDidNotFit) {
  const struct {
    const char* text;
    int rows;
    int columns;
    int used;
    Lines shown;  // the canvas's lines, blanks at their ends left off
  } cases[] = {
      {"the quick brown fox", 3, 10, 2, {"the quick", "brown fox", ""}},
      {"the quick brown fox jumps", 2, 10, 2, {"the quick", "brown fox…", ""}},
      {"the quick brown fox jumps", 2, 9, 2, {"the quick", "brown fo…", ""}},
      {"小鳥小鳥小鳥", 2, 4, 2, {"小鳥", "小…", ""}},
      {"a b c d", 1, 1, 1, {"…", "", ""}},
      {"the quick", 0, 10, 0, {"", "", ""}},
      {"", 3, 10, 0, {"", "", ""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Canvas canvas(kRows, kColumns);
    EXPECT_EQ(c.used, canvas.putWrapped(0, 0, c.text, c.rows, c.columns));
    Lines shown;
    for (int row = 0; row < kRows; ++row) {
      const std::string line = canvas.line(row);
      shown.push_back(line.substr(0, line.find_last_not_of(' ') + 1));
    }
    EXPECT_EQ(c.shown, shown);
    expectWholeLines(canvas);
  }
}

}  // namespace
