// The screen and the line game are two ways of playing one game: the same
// choices from the same garden and the same seed leave the same garden,
// byte for byte as saved, and the same next random number. A screen
// session may hold refusals and cancelled dialogs besides, which cost
// neither an hour nor a draw, so the line game has no input for them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "console.h"
#include "screen_game.h"
#include "screen_util.h"
#include "test_util.h"

namespace {

// Parents whose children differ by the draws: every trait mixed.
Garden mixedGarden() {
  const Looks ada{{4, 9}, {0, 3}, {0, 1}, {1, 0}};
  const Looks bo{{7, 2}, {5, 0}, {1, 0}, {0, 1}};
  return gardenOf({creatureFrom(recordOf("Ada", 24, kNormalForms, ada)),
                   creatureFrom(recordOf("Bo", 30, kNormalForms + 1, bo)),
                   creatureFrom(recordOf("Cy", 8, kChildForm, {}, 95))});
}

// Dee turns 20 in the next hour and Eve 50; Fay is grown.
Garden turningGarden() {
  return gardenOf(
      {creature("Dee", 19, kChildForm), creature("Eve", 49, kNormalForms),
       creatureFrom(recordOf("Fay", 33, kSwimForms, {{1, 2}, {6, 0}}))});
}

// The garden the line game leaves for `input`, and the next random number.
std::string playLines(Garden& garden, const std::string& input) {
  std::istringstream typed(input);
  std::streambuf* const saved = std::cin.rdbuf(typed.rdbuf());
  {
    const CaptureStdout quiet;
    userInterface(garden);
  }
  std::cin.rdbuf(saved);
  std::cin.clear();
  return savedRecords(garden) + "next " + std::to_string(std::rand());
}

// The garden the screen leaves for `keys`, then q, and the next random number.
std::string playKeys(Garden& garden, const std::string& keyWords) {
  ScreenGame game(garden);
  EXPECT_EQ(ScreenGame::Outcome::kGoOn, press(game, keys(keyWords)));
  EXPECT_EQ(ScreenGame::Outcome::kLeave, press(game, {"q"}));
  game.leave();
  return savedRecords(garden) + "next " + std::to_string(std::rand());
}

// One choice: the screen's keys, and the line game's input for it; none
// for a refusal or a cancelled dialog.
struct Step {
  const char* keys;
  const char* line;
};

struct Session {
  unsigned seed;
  Garden (*start)();
  std::vector<Step> steps;
  const char* ages;  // an hour a choice made, and one for leaving
};

TEST(ScreenAndLineGame, LeaveTheSameGardenForTheSameChoices) {
  const Utf8Locale utf8;
  TempDir dir;
  writeCatalogues();
  // clang-format off
  const Session sessions[] = {
      {3, mixedGarden, {
          {"2 p End Enter", "4 2 1"},
          {"n Z e d Enter", "2 2 Zed"},
          {"0 p", ""},  // Ada is grown
          {"g 1 Enter 1 Enter", "3 0 1 1"},
          {"h Esc", ""},
          {"1 g 2 Enter Down Down Enter", "3 1 2 2"},
          {"g Down Down Enter 1 Enter", "3 1 3 1"},  // a draw for its direction
          {"2 g 2 Enter 6 Enter", "3 2 2 6"},        // and for each level
       }, "31 37 15"},
      {5, mixedGarden, {
          {"h 1 Enter", "1 1"},
          {"h 2 Enter 5 Enter", "1 2 5"},
          {"h Down Down Enter Down Enter", "1 3 1"},
          {"2 b", ""},  // Cy has not evolved
          {"h 4 Enter 1 2 Enter", "1 4 12"},
          {"0 b Enter", "6 0 1"},
          {"b 2 Enter Esc", ""},  // an egg; Enter alone; Esc does nothing
          {"1 b 0 Enter h i", ""},  // the garden is full
          {"1 r Esc", ""},
       }, "30 36 14 6 5 4 3 2"},
      {9, turningGarden, {
          {"0 g 2 Enter 7 Enter", "3 0 2 7"},  // Dee evolves, Eve is reborn
          {"b End Enter", "6 0 2"},
          {"1 p", ""},  // Eve is an egg
          {"2 g 3 Enter 1 Enter", "3 2 3 1"},
          {"0 b 2 Enter", "6 0 2"},
       }, "24 4 38 4 2"},
      {11, mixedGarden, {
          {"n \u5c0f \u9ce5 Enter", "2 0 \u5c0f\u9ce5"},
          {"2 p Up Enter", "4 2 -1"},
          {"p Enter", "4 2 0"},
          {"2 g 2 Enter 5 Enter", "3 2 2 5"},
       }, "29 35 13"},
  };
  // clang-format on
  for (const Session& session : sessions) {
    SCOPED_TRACE(session.seed);
    std::string keyWords;
    std::string lines;
    for (const Step& step : session.steps) {
      keyWords += std::string(keyWords.empty() ? "" : " ") + step.keys;
      if (*step.line != '\0') lines += std::string(step.line) + "\n";
    }
    Garden onScreen = session.start();
    Garden onLines = session.start();
    std::srand(session.seed);
    const std::string screen = playKeys(onScreen, keyWords);
    std::srand(session.seed);
    const std::string line = playLines(onLines, lines + "0\n");
    EXPECT_EQ(line, screen);
    EXPECT_EQ(session.ages, agesIn(onScreen));
  }
}

}  // namespace
