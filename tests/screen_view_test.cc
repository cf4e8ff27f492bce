// What the full screen draws, composed without a terminal: text cut by
// display width, every window size filled exactly and never overrun, and a
// long wide name kept inside its own box.

#include "screen_view.h"

#include <gtest/gtest.h>

#include <clocale>
#include <sstream>
#include <string>
#include <vector>

#include "actions.h"
#include "garden.h"
#include "safe_text.h"
#include "screen_util.h"
#include "screen_words.h"

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

// The whole screen as text, a line a row.
std::string textOf(const Canvas& canvas) {
  std::string text;
  for (int row = 0; row < canvas.rows(); ++row) text += canvas.line(row) + "\n";
  return text;
}

// Parents whose egg has sixteen looks, each one in sixteen: more than the
// breed dialog's box has rows for.
Garden sixteenLooksGarden() {
  const Looks first{{1, 2}, {0, 0}, {0, 1}, {0, 1}};
  const Looks second{{3, 5}, {0, 0}, {1, 0}, {1, 0}};
  return gardenOf({creatureOf(recordOf("Ada", 24, kNormalForms, first)),
                   creatureOf(recordOf("Bo", 30, kNormalForms, second))});
}

// Ben carries a Red beside his Sky Blue: half of their eggs are purebred.
Garden halfPureGarden() {
  const Looks carrier{{4, 9}, {0, 0}, {0, 0}, {1, 1}};
  return gardenOf({creature("Ann", 24, kNormalForms),
                   creatureOf(recordOf("Ben", 30, kNormalForms, carrier))});
}

// Bo has lived once before.
Garden rebornGarden() {
  std::string record = recordOf("Bo", 30, kNormalForms);
  record.replace(record.find("Reincarnation: 0"), 16, "Reincarnation: 1");
  return gardenOf({creatureOf(record)});
}

Garden noGarden() { return Garden(); }

// What a screen of 80x24 shows after keys: each of `shown` somewhere, none
// of `hidden` anywhere.
struct Shows {
  Garden (*start)();
  std::vector<std::string> keys;
  std::vector<std::string> shown;
  std::vector<std::string> hidden = {};
};

TEST_F(ScreenView, ShowsTheGardenEachDialogAndItsKeys) {
  TempDir dir;
  writeCatalogues();
  const std::string bo = *codeOfCreature(threeGarden().mirl[1]);
  const std::string listKeys =
      "0-9 type a number  \u2191\u2193 choose  Enter pick  Esc cancel";
  const std::vector<std::string> help = {
      "Tumblenook: every key and what it does",
      "0-7       select the mirl in that slot; arrow keys move the selection",
      "h         hatch an egg: Normal, Monotone, Shiny Monotone or Jewel",
      "n         name the selected mirl (one word, at most 64 bytes)",
      "g         give it a fruit, an Orvan Drive or a small animal",
      "p         pet it (only a Child's alignment moves)",
      "b         breed it with another grown mirl; the forecast shows the egg",
      "r         release it: its code is shown, y lets it go",
      "i         import a creature from its code into the first empty slot",
      "q         leave: one last hour passes and the garden is saved",
      "Esc cancels any dialog."};
  // clang-format off
  const Shows cases[] = {
      {threeGarden, {}, {" Tumblenook: 3 of 8 mirl in the garden", "0 Ada", "1 Bo", "2 Cy", "3 empty",
                         "7 empty", "Normal/Neutral", "age 24", "reborn 26h", "evolves 12h",
                         "h Hatch  n Name  g Give  p Pet  b Breed  r Release  i Import  ? Help  q Leave",
                         "age 24h, 0 reincarnations", "Normal/Neutral, reborn in 26h",
                         "Swim    B 2  +++======= 12", "Stamina B 2  +++======= 12",
                         "Hero  <=====O=====> Dark  0", "Run   <=====O=====> Power 0",
                         "Two-Tone Sky Blue", "purebred", "colour Sky Blue / Sky Blue",
                         "coat None / None", "shine 0 0, two-tone 1 1"}},
      {rebornGarden, {}, {"age 30h, 1 reincarnation "}},
      {noGarden, {}, {"0 empty", "The garden is empty.", "Press h to hatch an egg."}},
      {threeGarden, {"2"}, {"Child, evolves in 12h", "\u2500 Cy \u2500"}, {"\u2500 Ada \u2500"}},
      {threeGarden, {"z"}, {" That key does nothing here; ? shows the keys"}},
      {threeGarden, {"h"}, {"Which egg?", "1) Normal", "3) Shiny Monotone", "4) Jewel", listKeys}},
      {threeGarden, {"h", "1", "2"}, {"number: 12"}},
      {threeGarden, {"h", "9", "Enter"}, {"9 is not on the list"}},
      {threeGarden, {"h", "4", "Enter"}, {"Jewel coat of the egg", "0) None", "14) Metal"}, {"15) Glass"}},
      {threeGarden, {"h", "4", "Enter", "End"}, {"17) Rare", "3) Ruby"}, {"0) None", "2) Silver"}},
      {threeGarden, {"n", "Z", "e"}, {"Name Ada", "One word, at most 64 bytes, no blanks:", "Ze ",
                                      "type the name  Backspace erase  Enter name it  Esc cancel"}},
      // The end of a long name stays in view, its first character whole or gone.
      {threeGarden, concat({{"n", "\u5c0f"}, keysTyping(std::string(59, 'a'))}),
       {std::string(59, 'a')}, {"\u5c0f"}},
      {threeGarden, {"n", " "}, {"A name is one word, without blanks or control characters"}},
      {threeGarden, {"i"}, {"Import a creature", "Paste its code (blanks are ignored):",
                            "paste the code  Backspace erase  Enter import  Esc cancel"}},
      {threeGarden, {"1", "r"}, {"Let Bo go?", "Its code brings it back with i (or --import):",
                                 bo.substr(0, 72), bo.substr(72, 72),
                                 "y lets it go now; the code is kept in released-codes.txt",
                                 "y let it go  Esc keep it"}},
      {threeGarden, {"?"}, help, {"?         "}},
      {threeGarden, {"?"}, {"any key back to the garden"}},
      {threeGarden, {"g"}, {"Give Ada", "1) Food", "2) Orvan Drives", "3) Small Animals"}},
      {threeGarden, {"g", "1", "Enter"}, {"Which fruit?", "0) Kelpberry", "1) Sourbramble"}},
      {threeGarden, {"g", "2", "Enter"}, {"Which Orvan Drive?", "0) none", "7) Black"}},
      {threeGarden, {"g", "3", "Enter"}, {"Which animal?", "1) Firefly"}},
      {threeGarden, {"2", "p"}, {"Pet Cy", "-1) Hero", "0) Neutral", "1) Dark"}},
      {threeGarden, {"b"}, {"Breed Ada with", "0) Ada, Normal/Neutral", "2) Cy, Child",
                            "Their egg would look:", "100.0% Two-Tone Sky Blue", "purebred: 100.0%"}},
      {halfPureGarden, {"b"}, {"75.0%  Two-Tone Sky Blue", "25.0%  Two-Tone Red", "purebred: 50.0%"}},
      {threeGarden, {"b", "Home"}, {"(pick another mirl)"}, {"purebred:"}},
      {sixteenLooksGarden, {"b"}, {"6.3%   Shiny Two-Tone Brown", "18.8%  3 other looks",
                                   "purebred: 0.0%"}},
  };
  // clang-format on
  for (const Shows& c : cases) {
    std::string pressed;
    for (const std::string& key : c.keys) pressed += key + " ";
    Garden garden = c.start();
    SCOPED_TRACE(namesIn(garden) + ": " + pressed);
    ScreenGame game(garden);
    press(game, c.keys);
    const std::string text =
        textOf(composeScreen(game, kScreenRows, kScreenColumns));
    for (const std::string& part : c.shown) {
      EXPECT_NE(std::string::npos, text.find(part)) << part << "\n" << text;
    }
    for (const std::string& part : c.hidden) {
      EXPECT_EQ(std::string::npos, text.find(part)) << part << "\n" << text;
    }
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      EXPECT_TRUE(isSafeText(line)) << line;  // no character cut in half
    }
  }
}

TEST_F(ScreenView, ShowsACatalogueThatCouldNotBeReadAsAnEmptyList) {
  TempDir dir;  // no catalogue files
  Garden garden = threeGarden();
  ScreenGame game(garden);
  press(game, {"g", "1", "Enter", "Enter"});
  const std::string text =
      textOf(composeScreen(game, kScreenRows, kScreenColumns));
  EXPECT_NE(std::string::npos, text.find("(nothing to pick)")) << text;
  EXPECT_NE(std::string::npos, text.find("cannot read fruits.dat")) << text;
  press(game, {"Esc"});
  EXPECT_EQ(kCancelledWords, game.answer());
  EXPECT_EQ("24 30 8", agesIn(garden));
}

TEST_F(ScreenView, KeepsTheAnswerAndTheKeysAtTheBottomOfAnyWindow) {
  Garden garden = threeGarden();
  ScreenGame game(garden);
  press(game, {"z"});
  for (const auto& [rows, columns] :
       {std::pair{24, 80}, {25, 80}, {30, 100}, {60, 200}}) {
    const Canvas canvas = composeScreen(game, rows, columns);
    EXPECT_EQ(0u, canvas.line(rows - 1).find("h Hatch")) << rows;
    EXPECT_EQ(1u, canvas.line(rows - 2).find(kNoSuchKeyWords)) << rows;
    EXPECT_EQ(Style::kReverse, canvas.at(rows - 1, 0).style) << rows;
  }
  const Canvas small = composeScreen(game, 24, 79);
  EXPECT_EQ("this one is 79x24.", small.line(1).substr(0, 18));
}

TEST_F(ScreenView, MarksTheSelectionTheHighlightAndEachCreaturesLooks) {
  const Looks ruby{{9, 9}, {3, 3}, {1, 0}, {0, 0}};
  const Looks red{{9, 9}, {0, 0}, {0, 1}, {0, 0}};
  const Looks badCoat{{4, 4}, {30, 30}, {0, 0}, {1, 1}};
  Garden garden =
      gardenOf({creatureOf(recordOf("Ruby", 24, kNormalForms, ruby)),
                creatureOf(recordOf("Red", 24, kNormalForms, red)),
                creatureOf(recordOf("Sky", 24, kNormalForms)),
                creatureOf(recordOf("Odd", 24, kNormalForms, badCoat))});
  ScreenGame game(garden);
  // The drawing of each box: its tint, bold when shiny.
  const struct {
    int row, column;
    Colour colour;
    Style style;
  } drawings[] = {
      {2, 4, Colour::kRed, Style::kBold},
      {2, 26, Colour::kRed, Style::kPlain},  // only shiny in its carried gene
      {7, 4, Colour::kCyan, Style::kPlain},
      {7, 26, Colour::kCyan,
       Style::kPlain},  // a coat past the table: its colour
  };
  Canvas canvas = composeScreen(game, kScreenRows, kScreenColumns);
  for (const auto& d : drawings) {
    SCOPED_TRACE(canvas.line(d.row));
    EXPECT_NE(" ", canvas.at(d.row, d.column).glyph);
    EXPECT_EQ(d.colour, canvas.at(d.row, d.column).colour);
    EXPECT_EQ(d.style, canvas.at(d.row, d.column).style);
  }
  // The selected box's name line, and nothing else, is in reverse video.
  EXPECT_EQ(Style::kReverse, canvas.at(1, 10).style);
  EXPECT_NE(Style::kReverse, canvas.at(1, 32).style);
  press(game, {"Down"});
  canvas = composeScreen(game, kScreenRows, kScreenColumns);
  EXPECT_NE(Style::kReverse, canvas.at(1, 10).style);
  EXPECT_EQ(Style::kReverse, canvas.at(6, 10).style);
  // The highlighted entry of a list, and nothing else.
  press(game, {"h", "Down"});
  canvas = composeScreen(game, kScreenRows, kScreenColumns);
  for (int row = 3; row <= 6; ++row) {
    const bool highlighted =
        canvas.line(row).find("2) Monotone") != std::string::npos;
    EXPECT_EQ(highlighted, canvas.at(row, 20).style == Style::kReverse)
        << canvas.line(row);
  }
}

}  // namespace
