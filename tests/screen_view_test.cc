// What the full screen draws, composed without a terminal: text cut by
// display width, every window size filled exactly and never overrun, and a
// long wide name kept inside its own box.

#include "screen_view.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "actions.h"
#include "garden.h"

namespace {

// Names are UTF-8 whatever the player's locale; the screen measures them so.
class ScreenView : public testing::Test {
 protected:
  void SetUp() override { std::setlocale(LC_CTYPE, "C.UTF-8"); }
  void TearDown() override { std::setlocale(LC_CTYPE, "C"); }
};

TEST_F(ScreenView, CutsTextByDisplayWidth) {
  const struct {
    const char* text;
    int columns;
    const char* fitted;
    int width;  // of the text as given
  } cases[] = {
      {"Pip", 5, "Pip", 3},
      {"Pipistrelle", 5, "Pipi\u2026", 11},
      {"\u5c0f\u9ce5\u5c0f\u9ce5", 5, "\u5c0f\u9ce5\u2026", 8},  // 小鳥小鳥
      {"\u5c0f\u9ce5", 3, "\u5c0f\u2026", 4},
      {"\U0001F426x", 2, "\u2026", 3},             // an emoji is two columns
      {"e\u0301t\u00e9", 3, "e\u0301t\u00e9", 3},  // a combining accent none
      {"abc", 0, "", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.fitted, fitWidth(c.text, c.columns));
    EXPECT_EQ(c.width, displayWidth(c.text));
  }
}

TEST_F(ScreenView, FillsEveryWindowExactlyAndKeepsNamesInTheirBoxes) {
  // 21 three-byte characters and one more byte: the longest name there is.
  std::string longName;
  for (int n = 0; n < 21; ++n) longName += "\u5c0f";
  longName += "x";
  ASSERT_EQ(kMaxNameBytes, longName.size());
  Mirl creature;
  creature.setName(longName);
  Garden garden;
  garden.addToGarden(creature);
  const ScreenGame game(garden);
  for (const auto& [rows, columns] :
       {std::pair{1, 1}, std::pair{5, 20}, std::pair{23, 80}, std::pair{24, 79},
        std::pair{24, 80}, std::pair{40, 132}}) {
    SCOPED_TRACE(std::to_string(columns) + "x" + std::to_string(rows));
    const Canvas canvas = composeScreen(game, rows, columns);
    for (int row = 0; row < rows; ++row) {
      EXPECT_EQ(columns, displayWidth(canvas.line(row))) << canvas.line(row);
    }
    const bool fits = fitsScreen(rows, columns);
    EXPECT_EQ(fits, canvas.line(rows - 1).find("q Leave") != std::string::npos);
    if (!fits) continue;
    // Slot 0's text ends at column 21; slot 1's box, empty, starts at 22.
    for (int column = 22; column < 32; ++column) {
      EXPECT_EQ(" ", canvas.at(1, column).glyph) << column;
    }
    EXPECT_NE(std::string::npos, canvas.line(1).find("\u2026"));
  }
}

}  // namespace
