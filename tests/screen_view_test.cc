// What the full screen draws, composed without a terminal: text cut by
// display width, every window size filled exactly and never overrun, a
// long wide name kept inside its own box; news wrapped whole, the log, the
// lists with their marks, the item effect beside a give list, the clean
// table names and the key bar.

#include "screen_view.h"

#include <gtest/gtest.h>

#include <clocale>
#include <sstream>
#include <string>
#include <vector>

#include "actions.h"
#include "garden.h"
#include "key_table.h"
#include "safe_text.h"
#include "screen_test_util.h"
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

// The garden's first row, under the title.
constexpr int kGardenRowForTests = 1;

// Expects `text` to hold `mark`, or, when it is "", no mark of `arrow`.
void expectMark(const std::string& text, const char* arrow,
                const std::string& mark) {
  if (mark.empty()) {
    EXPECT_EQ(std::string::npos, text.find(std::string(arrow) + " ")) << text;
  } else {
    EXPECT_NE(std::string::npos, text.find(mark)) << text;
  }
}

// A garden of four to play on the screen, with the test catalogue in the
// working folder: Ada and Bo grown, Cy a Child, Dee grown in a Metal coat.
class ScreenPlay : public ScreenView {
 protected:
  void SetUp() override {
    ScreenView::SetUp();
    writeTestCatalogue();
    for (const CreatureFacts& facts :
         {CreatureFacts{"Ada", 24, 5}, CreatureFacts{"Bo", 30, 6},
          CreatureFacts{"Cy", 8, 2, 0, 20, -3},
          CreatureFacts{"Dee", 40, 7, 0, 0, 0, 13}}) {
      garden.addToGarden(creatureOf(facts));
    }
  }

  // Sends the keys named by the blank-separated words of `keys`.
  static void play(ScreenGame& game, const std::string& keys) {
    for (const std::string& word : wordsOf(keys)) game.onKey(keyNamed(word));
  }

  // The whole screen as text, at `rows` by `columns`.
  static std::string screenText(const ScreenGame& game, int rows = kScreenRows,
                                int columns = kScreenColumns) {
    const Canvas canvas = composeScreen(game, rows, columns);
    return rowsOf(canvas, 0, rows);
  }

  TempDir dir;
  Garden garden;
};

TEST_F(ScreenPlay, NewsWrapsWholeAboveTheKeysAndBirthsStandOut) {
  const struct {
    const char* label;
    int gardenSize;  // creatures kept of the four
    int agedAt19;    // creatures added at 19h with long names
    const char* keys;
    bool longNews;  // more than the two rows kept for news
    bool standsOut;
  } cases[] = {
      {"a refusal", 0, 0, "n", false, false},
      {"a hatch", 0, 0, "h 1 Enter", false, true},
      {"a give", 4, 0, "2 g 2 Enter 1 Enter", false, false},
      {"eight evolve at once", 0, 8, "g 2 Enter 1 Enter", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Garden played = garden;
    played.emptySlot = c.gardenSize;
    for (int n = 0; n < c.agedAt19; ++n) {
      played.addToGarden(creatureOf(
          {"Pipistrelle_of_the_long_garden_" + std::to_string(n), 19}));
    }
    ScreenGame game(played);
    play(game, c.keys);
    ASSERT_FALSE(game.answer().empty());
    EXPECT_EQ(c.standsOut, game.answerStandsOut());
    const Canvas canvas = composeScreen(game, kScreenRows, kScreenColumns);
    const int lines =
        static_cast<int>(wrapText(game.answer(), kScreenColumns - 2).size());
    EXPECT_EQ(c.longNews, lines > 2);
    const int keys = kScreenRows - keyBarRows(game, kScreenColumns);
    const int top = keys - lines;
    EXPECT_EQ(wordsOf(game.answer()), wordsOf(rowsOf(canvas, top, keys)));
    const Cell& first = canvas.at(top, 1);
    EXPECT_EQ(c.standsOut ? Style::kBold : Style::kPlain, first.style);
    EXPECT_EQ(c.standsOut ? Colour::kYellow : Colour::kDefault, first.colour);
  }
}

TEST_F(ScreenPlay, TheLogDialogShowsNewestFirstAndMarksWhatLiesBeyond) {
  const struct {
    const char* keys;
    const char* firstShown;  // on the dialog's first row
    const char* up;          // the mark on its top edge, "" for none
    const char* down;        // the mark on its bottom edge
  } cases[] = {
      {"2 p 1 Enter n Z e d Enter l", "Cy is now called Zed", "", ""},
      {"2 p 1 Enter n Z e d Enter l Down", "Cy was petted", "\u2191 1 more",
       ""},
      {"2 p 1 Enter n Z e d Enter l Down Down", "Cy was petted",
       "\u2191 1 more", ""},
      {"x x x x x x x x x x x x x x x x x x x x x x x x 2 p 1 Enter l",
       "Cy was petted", "", "\u2193 5 more"},
      {"x x x x x x x x x x x x x x x x x x x x x x x x 2 p 1 Enter l "
       "PageDown",
       "That key does nothing", "\u2191 10 more", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys);
    Garden played = garden;
    ScreenGame game(played);
    play(game, c.keys);
    ASSERT_TRUE(std::holds_alternative<LogDialog>(game.dialog()));
    const Canvas canvas = composeScreen(game, kScreenRows, kScreenColumns);
    EXPECT_NE(std::string::npos, canvas.line(2).find(c.firstShown))
        << canvas.line(2);
    const std::string top = canvas.line(1);
    const std::string bottom = canvas.line(kScreenRows - 2);
    expectMark(top, "\u2191", c.up);
    expectMark(bottom, "\u2193", c.down);
  }
}

TEST_F(ScreenPlay, AGiveDoneAgainReadsTheCatalogueThePanelShows) {
  ScreenGame game(garden);
  play(game, "2 g 1 Enter 0 Enter");
  writeFile("fruits.dat", std::string(kTestFruits) + "Latefig 0 0 0 0 1 0 0\n");
  play(game, ".");
  EXPECT_EQ(3, game.catalogue().getFruitCount());
  EXPECT_NE(std::string::npos, game.answer().find("Kelpberry"));
}

TEST_F(ScreenPlay, TheBookScrollsAsItIsDrawnInAWindowOfAnySize) {
  const struct {
    const char* keys;
    int rows, columns;  // the window for the keys after "|"
    const char* marks;  // the book's title ends with them
  } cases[] = {
      {"k", 24, 80, "book \u2193"},
      {"k End", 24, 80, "book \u2191"},
      {"k End Up", 24, 80, "book \u2191 \u2193"},
      {"k End PageUp Home", 24, 80, "book \u2193"},
      {"k End | Up", 30, 80, "book \u2191 \u2193"},  // grown after End
      {"k End | Up", 60, 200, "book"},               // now whole
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys + std::string(" at ") + std::to_string(c.rows));
    ScreenGame game(garden);
    const std::vector<std::string> parts = wordsOf(c.keys);
    for (const std::string& word : parts) {
      if (word == "|") {
        game.setWindow(c.rows, c.columns);
      } else {
        game.onKey(keyNamed(word));
      }
    }
    const std::string title = composeScreen(game, c.rows, c.columns).line(1);
    EXPECT_NE(std::string::npos, title.find(std::string(c.marks) + " \u2500"))
        << title;
  }
}

TEST_F(ScreenPlay, LargeWindowsKeepTheLogInView) {
  const struct {
    int rows;
    int columns;
    int row;     // of the log's top edge; -1 for no log
    int column;  // of the log's left edge
  } cases[] = {
      {24, 80, -1, 0}, {24, 109, -1, 0}, {29, 80, -1, 0},  {24, 110, 1, 80},
      {30, 80, 21, 0}, {60, 100, 21, 0}, {30, 200, 1, 80}, {40, 132, 21, 0},
  };
  ScreenGame game(garden);
  play(game, "2 p 1 Enter 0 p");  // the newest answer is a refusal
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.columns) + "x" + std::to_string(c.rows));
    const Canvas canvas = composeScreen(game, c.rows, c.columns);
    const std::string text = rowsOf(canvas, 0, c.rows);
    EXPECT_EQ(c.row >= 0, text.find("Log, newest first") != std::string::npos);
    if (c.row < 0) continue;
    EXPECT_EQ("\u250c", canvas.at(c.row, c.column).glyph);
    // Newest first: the refusal, then the pat.
    const std::string::size_type refusal = text.find("Ada is");
    const std::string::size_type pat = text.find("Cy was");
    EXPECT_LT(refusal, pat);
  }
}

TEST_F(ScreenPlay, ListsMarkTheEntriesAboveAndBelowTheirBox) {
  const struct {
    const char* keys;
    int rows;
    const char* up;
    const char* down;
  } cases[] = {
      {"", 24, "", "\u2193 3 more"},
      {"End", 24, "\u2191 3 more", ""},
      {"9", 24, "\u2191 2 more", "\u2193 1 more"},
      {"Down Down Down Down Down Down Down Down Down", 24, "\u2191 2 more",
       "\u2193 1 more"},
      {"", 27, "", ""},  // eighteen rows hold the eighteen coats
      {"End", 30, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.keys) + " at " + std::to_string(c.rows));
    ScreenGame game(garden);
    play(game, std::string("h 4 Enter ") + c.keys);  // the Jewel coats
    // The key bar's arrows aside.
    const std::string text =
        rowsOf(composeScreen(game, c.rows, kScreenColumns), 0, c.rows - 1);
    expectMark(text, "\u2191", c.up);
    expectMark(text, "\u2193", c.down);
    // Every entry of the box is shown: 0 to 14 at the top, 17 at the end.
    EXPECT_NE(std::string::npos, text.find(c.rows > 24 ? "17) Rare" : "12)"));
  }
}

TEST_F(ScreenPlay, ATypedNumberMovesTheHighlightAndThePanelBesideIt) {
  const struct {
    const char* keys;
    int highlighted;     // index in the open list
    const char* shown;   // in the panel beside it
    const char* hidden;  // no longer there
  } cases[] = {
      {"2 g 2 Enter", 0, "It moves no slider", "Yellow:"},
      {"2 g 2 Enter 1", 1, "Yellow: Swim-Fly toward Swim", "Blue:"},
      {"2 g 2 Enter 5", 5, "Blue: one slider", "Yellow:"},
      {"2 g 2 Enter 1 Backspace", 1, "Yellow:", "number: 1"},
      {"2 g 2 Enter 9", 0, "It moves no slider", "Yellow:"},  // not listed
      {"2 g 3 Enter 1", 1, "Run-Power  -3 \u2192 1", "Swim-Fly   20 \u2192"},
      {"0 b", 0, "Two-Tone White", "Metal"},  // Bo, the first partner
      {"0 b 3", 1, "Metal", "monotone"},      // Dee, by her number
      {"0 b 3 Backspace 1", 0, "Two-Tone White", "Metal"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys);
    ScreenGame game(garden);
    play(game, c.keys);
    const ListPicker* list = nullptr;
    if (const auto* give = std::get_if<ItemDialog>(&game.dialog())) {
      list = &give->list;
    }
    if (const auto* breed = std::get_if<BreedDialog>(&game.dialog())) {
      list = &breed->list;
    }
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(c.highlighted, list->highlighted());
    const std::string text = screenText(game);
    EXPECT_NE(std::string::npos, text.find(c.shown)) << text;
    EXPECT_EQ(std::string::npos, text.find(c.hidden)) << text;
  }
}

TEST_F(ScreenPlay, TheGiveListShowsWhatTheHighlightedItemWouldDo) {
  const struct {
    const char* keys;
    std::vector<const char*> lines;  // each on one row of the panel
    const char* absent;
  } cases[] = {
      {"2 g 1 Enter",  // Kelpberry to Cy
       {"4 bites; experience:", "Swim         +12     +14     +50",
        "Run           +2      +4     +10", "Stamina       +5      +5     +20",
        "It moves no slider"},
       "Form at"},
      {"2 g 1 Enter 1",  // Sourfig
       {"Swim          -7      -9     -30", "Fly           +3      +3     +12"},
       "Swim-Fly"},
      {"2 g 2 Enter 1",  // a Yellow drive to a Child
       {"Swim         +24", "Run            0",
        "Yellow: Swim-Fly toward Swim by 2", "Hero-Dark  0",
        "Swim-Fly   20 \u2192 18", "Run-Power  -3",
        "Form at 20h: Normal/Neutral"},
       "bites"},
      {"0 g 2 Enter 1",  // the same to Ada, grown
       {"Yellow: Swim-Fly toward Swim by 1", "Swim-Fly   0 \u2192 -1"},
       "Form at"},
      {"2 g 3 Enter 1",  // a Mole (Purple) to Cy
       {"Power         +9", "Purple: Run-Power toward Power by 4",
        "Run-Power  -3 \u2192 1"},
       "Swim         +"},
      {"2 g 3 Enter 2",  // a Goldfinch: a direction drawn at random
       {"Fly           +8", "Swim-Fly   20 \u2192 16 or 24",
        "Run-Power  -3 \u2192 -7 or 1", "Form at 20h: Normal/Neutral"},
       "Purple"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys);
    Garden played = garden;
    ScreenGame game(played);
    play(game, c.keys);
    ASSERT_TRUE(std::holds_alternative<ItemDialog>(game.dialog()));
    const std::string text = screenText(game);
    for (const char* line : c.lines) {
      EXPECT_NE(std::string::npos, text.find(line)) << line << "\n" << text;
    }
    EXPECT_EQ(std::string::npos, text.find(c.absent)) << c.absent;
  }
}

TEST_F(ScreenPlay, TableNamesAreCleanAndTwinsTellTheirNumbers) {
  const struct {
    const char* const* table;
    int count;
    int index;
    const char* name;
  } names[] = {
      {COATS, COAT_COUNT, 13, "Metal (13)"},
      {COATS, COAT_COUNT, 14, "Metal (14)"},
      {COATS, COAT_COUNT, 5, "Emerald"},
      {COATS, COAT_COUNT, 6, "Amethyst"},
      {COATS, COAT_COUNT, 0, "None"},
      {COATS, COAT_COUNT, 99, "None"},
      {COLORS, COLOR_COUNT, 4, "Sky Blue"},
      {COLORS, COLOR_COUNT, -1, "Normal"},
  };
  for (const auto& n : names) {
    EXPECT_EQ(n.name, cleanTableName(n.table, n.count, n.index)) << n.index;
  }
  const struct {
    int coat;
    const char* looks;
    const char* coats;
  } panels[] = {
      {13, "Metal (13)", "coat Metal (13) / Metal (13)"},
      {14, "Metal (14)", "coat Metal (14) / Metal (14)"},
      {5, "Emerald", "coat Emerald / Emerald"},
      {0, "Two-Tone White", "coat None / None"},
  };
  for (const auto& p : panels) {
    SCOPED_TRACE(p.coat);
    Garden one;
    one.addToGarden(creatureOf({"Dee", 40, 7, 0, 0, 0, p.coat}));
    const ScreenGame game(one);
    const Canvas canvas = composeScreen(game, kScreenRows, kScreenColumns);
    // The looks and the coat alleles, each on its own row of the panel.
    EXPECT_NE(std::string::npos,
              canvas.line(15).find("\u2502 " + std::string(p.looks) + " "));
    EXPECT_NE(std::string::npos,
              canvas.line(18).find("\u2502 " + std::string(p.coats) + " "));
  }
}

TEST_F(ScreenPlay, TheKeyBarShowsTheKeysThatActAndAlwaysFits) {
  const struct {
    const char* label;
    int gardenSize;
    const char* keys;
    const char* bar;  // the bar, its trailing blanks aside
  } cases[] = {
      {"an empty garden", 0, "",
       "h Hatch  i Import  e Plan  k Book  ? Help  q Leave"},
      // Too many keys for one row: two, none of them cut.
      {"a Child after an action", 4, "2 p 1 Enter",
       "h Hatch n Name g Give p Pet r Release i Import . Again l Log e Plan "
       "k Book ? Help q Leave"},
      // Ada grown, and only a Child left to breed with her.
      {"no partner", 3, "1 r y 0",
       "h Hatch n Name g Give r Release i Import l Log e Plan k Book ? Help "
       "q Leave"},
      {"a list", 4, "h",
       "0-9 type a number  \u2191\u2193 choose  Enter pick  "
       "Esc cancel"},
      {"the log", 4, "x l",
       "\u2191\u2193 scroll  PgUp PgDn a page  Home End "
       "the ends  any other key back"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Garden played = garden;
    played.emptySlot = c.gardenSize;
    ScreenGame game(played);
    play(game, c.keys);
    const Canvas canvas = composeScreen(game, kScreenRows, kScreenColumns);
    std::string bar;
    for (int row = kScreenRows - keyBarRows(game, kScreenColumns);
         row < kScreenRows; ++row) {
      std::string line = canvas.line(row);
      line.erase(line.find_last_not_of(' ') + 1);
      bar += (bar.empty() ? "" : " ") + line;
    }
    EXPECT_EQ(c.bar, bar);
  }
}

TEST_F(ScreenPlay, TheHelpListsEveryKeyAndHowFormsAreChosen) {
  ScreenGame game(garden);
  play(game, "?");
  // At 80x24 the help takes two pages: the first, then the one PageDown
  // scrolls to, marked as more below and more above.
  const Canvas first = composeScreen(game, kScreenRows, kScreenColumns);
  EXPECT_NE(std::string::npos, first.line(kScreenRows - 2).find("\u2193 "));
  play(game, "PageDown");
  ASSERT_TRUE(std::holds_alternative<HelpDialog>(game.dialog()));
  const Canvas canvas = composeScreen(game, kScreenRows, kScreenColumns);
  EXPECT_NE(std::string::npos, canvas.line(kGardenRowForTests).find("\u2191 "));
  const std::string text =
      rowsOf(first, 0, kScreenRows) + rowsOf(canvas, 0, kScreenRows);
  for (const KeyBinding& binding : keyTable()) {
    EXPECT_NE(std::string::npos, text.find(helpLine(binding))) << binding.label;
  }
  const std::string help =
      boxText(canvas, 2, kScreenRows - 2, 1, kScreenColumns - 2);
  EXPECT_NE(std::string::npos,
            help.find("At 20h a mirl takes its form: a shape slider beyond 25 "
                      "on its side (Swim, Fly, Run or Power) wins when the "
                      "other one is nearer 0; both as far, or neither beyond "
                      "25, gives Normal. Hero-Dark beyond 25 gives Hero or "
                      "Dark."))
      << help;
  EXPECT_EQ("\u2514", canvas.at(kScreenRows - 2, 0).glyph);  // whole frame
}

TEST_F(ScreenPlay, NotesWrapInsteadOfBeingCut) {
  std::string longCode = "m i r l 1 . ";
  for (std::size_t n = 0; n <= kMaxCodeLength; ++n) longCode += "A ";
  const struct {
    const char* label;
    std::string keys;
    int column;  // the left edge of the dialog's box
    int width;
    std::string note;
  } cases[] = {
      {"a list", "g x", 17, 46,
       "Type a number from the list, or choose with the arrows"},
      {"a field", "i " + longCode + "Enter", 7, 66,
       "the code is too long: a code has at most " +
           std::to_string(kMaxCodeLength) + " characters, blanks aside"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    Garden played = garden;
    played.emptySlot = 3;
    ScreenGame game(played);
    play(game, c.keys);
    const Canvas canvas = composeScreen(game, kScreenRows, kScreenColumns);
    const std::string text = boxText(
        canvas, kGardenRowForTests, kScreenRows - 2, c.column + 1, c.width - 2);
    EXPECT_NE(std::string::npos, text.find(c.note)) << text;
  }
}

// The terminal writes every cell that is not a plain blank: a screen that
// filled large areas with styled blanks would cost many bytes a key.
constexpr int kMostStyledBlanks = 2 * kScreenColumns;

TEST_F(ScreenPlay, EveryWindowIsFilledExactlyWithFewStyledBlanks) {
  const char* states[] = {"",
                          "2 g 2 Enter 5",
                          "0 b",
                          "?",
                          "2 p 1 Enter l",
                          "h 4 Enter End",
                          "i x",
                          "0 r"};
  const std::pair<int, int> sizes[] = {{24, 80},  {24, 110}, {30, 80},
                                       {25, 81},  {40, 132}, {60, 100},
                                       {30, 200}, {100, 300}};
  for (const char* keys : states) {
    for (const auto& [rows, columns] : sizes) {
      SCOPED_TRACE(std::string(keys) + " at " + std::to_string(columns) + "x" +
                   std::to_string(rows));
      ScreenGame game(garden);
      play(game, keys);
      const Canvas canvas = composeScreen(game, rows, columns);
      int styledBlanks = 0;
      for (int row = 0; row < rows; ++row) {
        EXPECT_EQ(columns, displayWidth(canvas.line(row))) << row;
        for (int column = 0; column < columns; ++column) {
          const Cell& cell = canvas.at(row, column);
          styledBlanks +=
              cell.glyph == " " &&
              (cell.style != Style::kPlain || cell.colour != Colour::kDefault);
        }
      }
      EXPECT_LE(styledBlanks, kMostStyledBlanks);
    }
  }
}

TEST(ListPicker, TypedDigitsHighlightTheEntryTheyName) {
  const struct {
    const char* keys;
    int highlighted;
  } cases[] = {
      {"1", 1},    {"1 2", 12}, {"1 2 Backspace", 1},
      {"9 9", 9},  {"- 1", 2},  {"Down Down 4", 4},
      {"4 Up", 3}, {"x", 2},    {"1 7 Enter", 17},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keys);
    std::vector<ListEntry> entries;
    for (int number = 0; number < 18; ++number) {
      entries.push_back({number, "entry"});
    }
    ListPicker picker("Pick", entries, 2);
    for (const std::string& word : wordsOf(c.keys)) {
      picker.onKey(keyNamed(word));
    }
    EXPECT_EQ(c.highlighted, picker.highlighted());
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
  return gardenOf({creatureFrom(recordOf("Ada", 24, kNormalForms, first)),
                   creatureFrom(recordOf("Bo", 30, kNormalForms, second))});
}

// Ben carries a Red beside his Sky Blue: half of their eggs are purebred.
Garden halfPureGarden() {
  const Looks carrier{{4, 9}, {0, 0}, {0, 0}, {1, 1}};
  return gardenOf({creature("Ann", 24, kNormalForms),
                   creatureFrom(recordOf("Ben", 30, kNormalForms, carrier))});
}

// Bo has lived once before.
Garden rebornGarden() {
  std::string record = recordOf("Bo", 30, kNormalForms);
  record.replace(record.find("Reincarnation: 0"), 16, "Reincarnation: 1");
  return gardenOf({creatureFrom(record)});
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
      "Help: every key and what it does",
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
      {threeGarden, {"?"}, help},
      {threeGarden, {"?"}, {"any other key back"}},
      {threeGarden, {"g"}, {"Give Ada", "1) Food", "2) Orvan Drives", "3) Small Animals"}},
      {threeGarden, {"g", "1", "Enter"}, {"Which fruit?", "0) Kelpberry", "1) Sourbramble"}},
      {threeGarden, {"g", "2", "Enter"}, {"Which Orvan Drive?", "0) none", "7) Black"}},
      {threeGarden, {"g", "3", "Enter"}, {"Which animal?", "1) Firefly"}},
      {threeGarden, {"2", "p"}, {"Pet Cy", "-1) Hero", "0) Neutral", "1) Dark"}},
      {threeGarden, {"b"}, {"Breed Ada with", "1) Bo, Normal/Hero", "Their egg would look:",
                            "100.0% Two-Tone Sky Blue", "purebred: 100.0%"}, {"0) Ada", "2) Cy"}},
      {halfPureGarden, {"b"}, {"75.0%  Two-Tone Sky Blue", "25.0%  Two-Tone Red", "purebred: 50.0%"}},
      {sixteenLooksGarden, {"b"}, {"6.3%   Shiny Two-Tone Brown", "37.5%  6 other looks",
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
    SCOPED_TRACE(std::to_string(columns) + "x" + std::to_string(rows));
    const Canvas canvas = composeScreen(game, rows, columns);
    const int keys = rows - keyBarRows(game, columns);  // the keys' first row
    EXPECT_EQ(0u, canvas.line(keys).find("h Hatch"));
    EXPECT_NE(std::string::npos, canvas.line(rows - 1).find("q Leave"));
    EXPECT_EQ(Style::kReverse, canvas.at(rows - 1, 0).style);
    EXPECT_EQ(1u, canvas.line(keys - 1).find(kNoSuchKeyWords));
  }
  const Canvas small = composeScreen(game, 24, 79);
  EXPECT_EQ("this one is 79x24.", small.line(1).substr(0, 18));
}

TEST_F(ScreenView, MarksTheSelectionTheHighlightAndEachCreaturesLooks) {
  const Looks ruby{{9, 9}, {3, 3}, {1, 0}, {0, 0}};
  const Looks red{{9, 9}, {0, 0}, {0, 1}, {0, 0}};
  const Looks badCoat{{4, 4}, {30, 30}, {0, 0}, {1, 1}};
  Garden garden =
      gardenOf({creatureFrom(recordOf("Ruby", 24, kNormalForms, ruby)),
                creatureFrom(recordOf("Red", 24, kNormalForms, red)),
                creatureFrom(recordOf("Sky", 24, kNormalForms)),
                creatureFrom(recordOf("Odd", 24, kNormalForms, badCoat))});
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
