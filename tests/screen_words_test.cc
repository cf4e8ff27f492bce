// The screen's words for where a creature is heading, from the evolution
// forecast's own numbers.

#include "screen_words.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "names.h"
#include "screen_game.h"

namespace {

ShapeOutlook outlook(Shape shape, int steps, std::optional<ShapeItem> item,
                     int gifts, bool inTime) {
  ShapeOutlook made;
  made.shape = shape;
  made.steps = steps;
  made.item = std::move(item);
  made.gifts = gifts;
  made.inTime = inTime;
  return made;
}

TEST(ScreenWords, SayWhereACreatureIsHeading) {
  const ShapeItem drive{ItemSource::kDrive, 1, "Yellow", 2};
  const ShapeItem minnow{ItemSource::kAnimal, 0, "Minnow", 2};
  const struct {
    ShapeOutlook outlook;
    const char* words;
  } reaches[] = {
      {outlook(Shape::kSwim, 0, drive, 0, true), "Swim: there now"},
      {outlook(Shape::kFly, 27, std::nullopt, 0, false),
       "Fly: 27 steps, no sure item"},
      {outlook(Shape::kRun, 26, drive, 13, true),
       "Run: 26 steps, Yellow drive x13"},
      {outlook(Shape::kPower, 26, minnow, 13, false),
       "Power: 26 steps, Minnow x13, too late"},
  };
  for (const auto& c : reaches) EXPECT_EQ(c.words, reachWords(c.outlook));

  EvolutionForecast forecast;
  forecast.stage = LifeStage::kEvolving;
  forecast.form = kSwimForms + 1;
  EXPECT_EQ("at 20h: " + std::string(EVOLUTIONS[kSwimForms + 1]),
            headingWords(forecast));
  forecast.stage = LifeStage::kGrown;
  forecast.hoursLeft = 12;
  forecast.alignment = 2;
  EXPECT_EQ("keeps Dark when reborn", headingWords(forecast));
  forecast.stage = LifeStage::kSettled;
  EXPECT_EQ("stays as it is, Dark", headingWords(forecast));
}

TEST(ScreenWords, NextChangeCountsToEachAge) {
  const struct {
    int age;
    const char* words;
  } cases[] = {
      {0, "evolves in 20h"}, {19, "evolves in 1h"},      {20, "reborn in 30h"},
      {49, "reborn in 1h"},  {50, "past 50h, for good"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.words, nextChangeWords(c.age));
}

}  // namespace

namespace {

// The gene lists and the answers speak the screen's clean names, while the
// table keeps its own texts for the line game and the files.
TEST(ScreenWords, GeneListsAndAnswersUseCleanNames) {
  Garden garden;
  ScreenGame game(garden);
  for (const char* key : {"h", "4", "Enter"}) game.onKey(keyNamed(key));
  const auto* genes = std::get_if<GeneDialog>(&game.dialog());
  ASSERT_NE(nullptr, genes);
  const std::vector<ListEntry>& coats = genes->list.entries();
  ASSERT_EQ(COAT_COUNT, static_cast<int>(coats.size()));
  for (const ListEntry& coat : coats) {
    EXPECT_EQ(coat.label.find_first_not_of(' '), 0u) << coat.number;
    EXPECT_EQ(coat.label.back() == ' ', false) << coat.number;
  }
  EXPECT_NE(coats[13].label, coats[14].label);
  for (const char* key : {"1", "3", "Enter"}) game.onKey(keyNamed(key));
  EXPECT_NE(std::string::npos, game.answer().find(coats[13].label))
      << game.answer();
}

}  // namespace
