// Builders shared by the screen's in-process tests: creatures made from a
// save record with chosen age, form and sliders, a catalogue of items with
// known amounts, and the rows of a composed screen as text.

#ifndef TUMBLENOOK_TESTS_SCREEN_TEST_UTIL_H_
#define TUMBLENOOK_TESTS_SCREEN_TEST_UTIL_H_

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "canvas.h"
#include "mirl.h"
#include "screen_util.h"
#include "test_util.h"

// What a test creature is made of; the rest of its record is fixed.
struct CreatureFacts {
  std::string name = "Cy";
  int age = 8;
  int form = 2;  // a Child
  int heroDark = 0;
  int swimFly = 0;
  int runPower = 0;
  int coat = 0;
  int level = 2;
  int experience = 30;
};

// A creature read from a save record built from `facts`: colour alleles 2
// and 3, a shiny and a two-tone allele, `coat` in both coat alleles.
inline Mirl creatureOf(const CreatureFacts& facts) {
  const Looks looks{{2, 3}, {facts.coat, facts.coat}, {0, 1}, {1, 1}};
  return creatureFrom(recordOf(facts.name, facts.age, facts.form, looks,
                               facts.experience, facts.heroDark, facts.swimFly,
                               facts.runPower, facts.level));
}

// The test catalogue, in the files' own column order (name, swim, fly, run,
// power, stamina; colour first for an animal).
inline constexpr char kTestFruits[] =
    "Name Swim Fly Run Power Stamina Sweet Juice\n"
    "Kelpberry 12 0 2 0 5 1 3\n"
    "Sourfig -7 3 0 0 0 1 1\n";
inline constexpr char kTestAnimals[] =
    "Color Name Swim Fly Run Power Size Speed\n"
    "1 Minnow 12 0 2 0 1 3\n"
    "4 Mole 0 0 3 9 1 1\n"
    "6 Goldfinch 0 8 0 0 1 1\n";

// Writes the test catalogue as fruits.dat and animals.dat in the working
// folder, where the game reads it.
inline void writeTestCatalogue() {
  writeFile("fruits.dat", kTestFruits);
  writeFile("animals.dat", kTestAnimals);
}

// The regions a view is drawn in by the region tests: the full screen, a
// small one, a tiny one and a single cell.
struct Region {
  int rows, columns;
};
inline constexpr Region kTestRegions[] = {{24, 80}, {10, 30}, {3, 5}, {1, 1}};

// Checks that every row of `canvas` is as wide as the canvas and that every
// cell outside `region`, placed at `top`, `left`, is still a plain blank.
inline void expectBlankOutside(const Canvas& canvas, int top, int left,
                               const Region& region) {
  for (int row = 0; row < canvas.rows(); ++row) {
    EXPECT_EQ(canvas.columns(), displayWidth(canvas.line(row)));
    for (int column = 0; column < canvas.columns(); ++column) {
      const bool inside = row >= top && row < top + region.rows &&
                          column >= left && column < left + region.columns;
      if (inside) continue;
      EXPECT_EQ(" ", canvas.at(row, column).glyph) << row << "," << column;
      EXPECT_EQ(Style::kPlain, canvas.at(row, column).style)
          << row << "," << column;
    }
  }
}

// Rows `from` to `to` (excluded) of `canvas`, joined by line ends.
inline std::string rowsOf(const Canvas& canvas, int from, int to) {
  std::string text;
  for (int row = from; row < to; ++row) text += canvas.line(row) + "\n";
  return text;
}

// The text of the cells `column` to `column` + `width` (excluded) of rows
// `from` to `to` (excluded), its words joined by single blanks: what a box
// shows, whatever its lines' breaks.
inline std::string boxText(const Canvas& canvas, int from, int to, int column,
                           int width) {
  std::string text;
  for (int row = from; row < to; ++row) {
    for (int at = column; at < column + width; ++at) {
      text += canvas.at(row, at).glyph;
    }
    text += ' ';
  }
  std::istringstream in(text);
  std::string words;
  for (std::string word; in >> word;)
    words += (words.empty() ? "" : " ") + word;
  return words;
}

// The blank-separated words of `text`.
inline std::vector<std::string> wordsOf(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

#endif  // TUMBLENOOK_TESTS_SCREEN_TEST_UTIL_H_
