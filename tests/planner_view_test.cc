// The breeding planner: the goal's keys, the ranking of the grown pairs
// against the forecast's own counts, what it says when breeding cannot
// reach the goal, and its drawing kept inside its region.

#include "planner_view.h"

#include <gtest/gtest.h>

#include <clocale>
#include <sstream>
#include <string>
#include <vector>

#include "garden.h"
#include "mirl.h"
#include "screen_test_util.h"

namespace {

// A creature named `name` in `form` (5 is grown, 1 an egg) with the
// genotype section `genotype`, read as from a save file.
Mirl creature(const std::string& name, int form, const std::string& genotype) {
  std::string record = "Name: " + name + "\nAge: 30\nReincarnation: 0\n";
  for (int skill = 0; skill < kSkillCount; ++skill) {
    record += "Skill: 0 1 0\n0 1 2\n";
  }
  std::istringstream in(record + "Evolution: " + std::to_string(form) +
                        " 0 0 0\n" + genotype);
  return Mirl(in);
}

// Three grown creatures and an egg between them:
//   0 Ana  Sky Blue, no coat, shiny over plain, monotone;
//   1 Bo   an egg (never ranked);
//   2 Cy   Sky Blue over White, no coat over Gold;
//   3 Di   White, Metal 13 over Metal 14, two-tone.
Garden sampleGarden() {
  Garden garden;
  garden.addToGarden(
      creature("Ana", 5, "Color: 4 4\nCoat: 0 0\nShine: 1 0\nTwo-tone: 0 0\n"));
  garden.addToGarden(
      creature("Bo", 1, "Color: 4 4\nCoat: 0 0\nShine: 1 1\nTwo-tone: 0 0\n"));
  garden.addToGarden(
      creature("Cy", 8, "Color: 4 2\nCoat: 0 1\nShine: 0 0\nTwo-tone: 0 0\n"));
  garden.addToGarden(creature(
      "Di", 11, "Color: 2 2\nCoat: 13 14\nShine: 0 0\nTwo-tone: 1 1\n"));
  return garden;
}

// The planner drawn alone on an 80x24 canvas, as lines.
std::vector<std::string> drawn(const PlannerState& state,
                               const Garden& garden) {
  Canvas canvas(24, 80);
  drawPlanner(canvas, 0, 0, 24, 80, state, garden);
  std::vector<std::string> lines;
  for (int row = 0; row < canvas.rows(); ++row) {
    lines.push_back(canvas.line(row));
  }
  return lines;
}

bool shows(const std::vector<std::string>& lines, const std::string& text) {
  for (const std::string& line : lines) {
    if (line.find(text) != std::string::npos) return true;
  }
  return false;
}

// The index of the first line holding `text`, or -1.
int lineOf(const std::vector<std::string>& lines, const std::string& text) {
  for (std::size_t at = 0; at < lines.size(); ++at) {
    if (lines[at].find(text) != std::string::npos) return static_cast<int>(at);
  }
  return -1;
}

BreedingGoal goal(std::optional<int> color, std::optional<int> coat,
                  bool shiny = false, bool twoTone = false,
                  bool purebred = false) {
  return {color, coat, shiny, twoTone, purebred};
}

TEST(PlannerView, RanksTheGrownPairsByTheForecastsOwnChances) {
  const Garden garden = sampleGarden();
  const struct {
    BreedingGoal goal;
    const char* order;  // the pairs, best first
  } rows[] = {
      // Sky Blue needs no coat: 9/16, 1/4, 1/16.
      {goal(4, std::nullopt), "0+2 0+3 2+3"},
      // Metal 13 shows from Di alone, as often with either partner;
      // neither child is ever purebred, so the lower slot leads.
      {goal(std::nullopt, 13), "0+3 2+3 0+2"},
      // Only Ana carries shine; with Cy the egg may be purebred too.
      {goal(std::nullopt, std::nullopt, true), "0+2 0+3 2+3"},
      // Two-tone shows without a coat: Ana's no coat beats Cy's Gold.
      {goal(std::nullopt, std::nullopt, false, true), "0+3 2+3 0+2"},
      {goal(std::nullopt, std::nullopt, false, false, true), "0+2 0+3 2+3"},
  };
  for (const auto& row : rows) {
    PlannerState state;
    state.goal = row.goal;
    const std::vector<PlannedPair> pairs = plannedPairs(state, garden);
    std::string order;
    for (const PlannedPair& pair : pairs) {
      order += (order.empty() ? "" : " ") + std::to_string(pair.firstSlot) +
               "+" + std::to_string(pair.secondSlot);
    }
    SCOPED_TRACE(order);
    EXPECT_EQ(row.order, order);
    // Each line shows the chances the forecast counts for that very pair.
    const std::vector<std::string> lines = drawn(state, garden);
    const int header = lineOf(lines, "egg    pure");
    ASSERT_GE(header, 0);
    for (std::size_t at = 0; at < pairs.size(); ++at) {
      const Breed first = garden.mirl[pairs[at].firstSlot].getBreed();
      const Breed second = garden.mirl[pairs[at].secondSlot].getBreed();
      const std::string& line = lines[header + 1 + at];
      EXPECT_EQ(pairs[at].goalChance, goalChance(first, second, row.goal));
      EXPECT_EQ(pairs[at].goalChance, goalChance(second, first, row.goal));
      EXPECT_EQ(pairs[at].pureChance,
                forecastBreeding(first, second).pureChance);
      EXPECT_NE(std::string::npos,
                line.find(chancePercent(pairs[at].goalChance)))
          << line;
      EXPECT_NE(std::string::npos,
                line.find(chancePercent(pairs[at].pureChance), 10))
          << line;
      EXPECT_NE(std::string::npos,
                line.find(std::to_string(pairs[at].firstSlot) + " " +
                          garden.mirl[pairs[at].firstSlot].getName() + " + " +
                          std::to_string(pairs[at].secondSlot) + " " +
                          garden.mirl[pairs[at].secondSlot].getName()))
          << line;
    }
  }
}

TEST(PlannerView, SaysWhatStandsBetweenTheGardenAndTheGoal) {
  const char* kNoPair = "No pair can lay an egg that meets this goal.";
  const char* kFull = "The garden is full";
  Garden full = sampleGarden();
  while (full.hasRoom()) full.addToGarden(full.mirl[0]);
  Garden lonely;
  lonely.addToGarden(sampleGarden().mirl[0]);
  lonely.addToGarden(sampleGarden().mirl[1]);
  const struct {
    const char* name;
    Garden garden;
    BreedingGoal goal;
    std::vector<const char*> said;
    bool listed;  // the pairs are listed
  } rows[] = {
      {"reachable", sampleGarden(), goal(4, std::nullopt), {}, true},
      // Shiny and purebred needs shine from both parents; only Ana has it.
      {"unreachable",
       sampleGarden(),
       goal(std::nullopt, std::nullopt, true, false, true),
       {kNoPair},
       true},
      {"colour with a coat", sampleGarden(), goal(4, 13), {kNoPair}, true},
      // Shiny Metal only from Ana and Di, one egg in sixteen: still a goal.
      {"rare", sampleGarden(), goal(std::nullopt, 13, true), {}, true},
      {"full", full, goal(4, std::nullopt), {kFull}, true},
      {"full, unreachable", full, goal(4, 13), {kNoPair, kFull}, true},
      {"one grown",
       lonely,
       goal(4, std::nullopt),
       {"Breeding needs two grown mirl; the garden has 1."},
       false},
      {"empty",
       Garden(),
       {},
       {"Breeding needs two grown mirl; the garden has 0."},
       false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    PlannerState state;
    state.goal = row.goal;
    const std::vector<std::string> lines = drawn(state, row.garden);
    for (const char* said : {kNoPair, kFull}) {
      const bool expected =
          std::find(row.said.begin(), row.said.end(), said) != row.said.end();
      EXPECT_EQ(expected, shows(lines, said)) << said;
    }
    for (const char* said : row.said) EXPECT_TRUE(shows(lines, said)) << said;
    EXPECT_EQ(row.listed, shows(lines, "egg    pure"));
    EXPECT_EQ(row.listed, shows(lines, " + "));
  }
}

TEST(PlannerView, KeysSetTheGoalMoveOverThePairsAndAskToBreed) {
  const Garden garden = sampleGarden();  // three pairs: cursor 5 to 7
  const struct {
    std::vector<const char*> keys;
    const char* goal;  // colour/coat/shiny,two-tone,purebred
    int cursor;
    PlannerResult result;  // of the last key
  } rows[] = {
      {{"Right"}, "0/any/000", 0, PlannerResult::kNone},
      {{"Left"}, "14/any/000", 0, PlannerResult::kNone},
      {{"Right", "Right", "Right"}, "2/any/000", 0, PlannerResult::kNone},
      {{"Right", "Left"}, "any/any/000", 0, PlannerResult::kNone},
      {{"Enter", " "}, "1/any/000", 0, PlannerResult::kNone},
      {{"Right", "Right", "Backspace"}, "any/any/000", 0, PlannerResult::kNone},
      {{"Down", "Right"}, "any/0/000", 1, PlannerResult::kNone},
      {{"Down", "Left"}, "any/17/000", 1, PlannerResult::kNone},
      {{"Down", "Down", " "}, "any/any/100", 2, PlannerResult::kNone},
      {{"Down", "Down", " ", "Enter"}, "any/any/000", 2, PlannerResult::kNone},
      {{"Down", "Down", "Down", "Enter"},
       "any/any/010",
       3,
       PlannerResult::kNone},
      {{"Down", "Down", "Down", "Down", "Right"},
       "any/any/001",
       4,
       PlannerResult::kNone},
      {{"Up"}, "any/any/000", 0, PlannerResult::kNone},
      {{"End", "Down"}, "any/any/000", 7, PlannerResult::kNone},
      {{"PageDown"}, "any/any/000", 7, PlannerResult::kNone},
      {{"End", "Home"}, "any/any/000", 0, PlannerResult::kNone},
      {{"End", "PageUp"}, "any/any/000", 0, PlannerResult::kNone},
      // On a pair, the goal's keys leave the goal alone.
      {{"End", "Right", " ", "Backspace"},
       "any/any/000",
       7,
       PlannerResult::kNone},
      {{"b"}, "any/any/000", 0, PlannerResult::kNone},
      {{"End", "b"}, "any/any/000", 7, PlannerResult::kBreed},
      {{"End", "Up", "Enter"}, "any/any/000", 6, PlannerResult::kBreed},
      {{"Right", "Esc"}, "0/any/000", 0, PlannerResult::kClose},
  };
  auto text = [](const std::optional<int>& value) {
    return value ? std::to_string(*value) : std::string("any");
  };
  for (const auto& row : rows) {
    std::string keys;
    for (const char* key : row.keys) keys += std::string(key) + ",";
    SCOPED_TRACE(keys);
    PlannerState state;
    PlannerResult result = PlannerResult::kNone;
    for (const char* key : row.keys) {
      result = onPlannerKey(state, keyNamed(key), garden);
    }
    const BreedingGoal& g = state.goal;
    EXPECT_EQ(row.goal, text(g.color) + "/" + text(g.coat) + "/" +
                            std::to_string(g.shiny) +
                            std::to_string(g.twoTone) +
                            std::to_string(g.purebred));
    EXPECT_EQ(row.cursor, state.cursor);
    EXPECT_EQ(row.result, result);
    // The pair to breed is the one highlighted.
    const std::optional<PlannedPair> pair = plannedPairAt(state, garden);
    ASSERT_EQ(state.cursor >= kGoalParts, pair.has_value());
    if (pair) {
      const PlannedPair expected =
          plannedPairs(state, garden)[state.cursor - kGoalParts];
      EXPECT_EQ(expected.firstSlot, pair->firstSlot);
      EXPECT_EQ(expected.secondSlot, pair->secondSlot);
    }
  }
}

TEST(PlannerView, ColourAndCoatCycleThroughEveryEntryAndAny) {
  PlannerState state;
  const Garden garden;
  for (int press = 0; press < COLOR_COUNT + 1; ++press) {
    onPlannerKey(state, keyNamed("Right"), garden);
  }
  EXPECT_FALSE(state.goal.color.has_value());
  onPlannerKey(state, keyNamed("Down"), garden);
  for (int press = 0; press < COAT_COUNT + 1; ++press) {
    onPlannerKey(state, keyNamed("Left"), garden);
  }
  EXPECT_FALSE(state.goal.coat.has_value());
}

TEST(PlannerView, NamesGoalsWithoutTheTablesBlanksAndTellsTheMetalsApart) {
  const struct {
    int coat;
    const char* name;
  } coats[] = {{0, "no coat"},  {1, "Gold"},        {5, "Emerald"},
               {6, "Amethyst"}, {13, "Metal (13)"}, {14, "Metal (14)"},
               {17, "Rare"}};
  for (const auto& row : coats) EXPECT_EQ(row.name, goalCoatName(row.coat));
  EXPECT_EQ("Sky Blue", goalColourName(4));
  PlannerState state;
  state.goal.coat = 14;
  EXPECT_TRUE(shows(drawn(state, sampleGarden()), "< Metal (14) >"));
}

// Names as wide as they come, in a full garden, so that every pair line is
// cut.
class PlannerRegion : public testing::Test {
 protected:
  void SetUp() override { std::setlocale(LC_CTYPE, "C.UTF-8"); }
  void TearDown() override { std::setlocale(LC_CTYPE, "C"); }
};

TEST_F(PlannerRegion, DrawsNothingOutsideItsRegion) {
  Garden garden = sampleGarden();
  std::string wide;
  for (int n = 0; n < 7; ++n) wide += "\u5c0f";
  for (int slot = 0; slot < garden.emptySlot; ++slot) {
    garden.mirl[slot].setName(wide);
  }
  while (garden.hasRoom()) garden.addToGarden(garden.mirl[0]);
  PlannerState state;
  state.cursor = kGoalParts + 20;  // scrolled down the 28 pairs
  for (const Region& region : kTestRegions) {
    SCOPED_TRACE(std::to_string(region.columns) + "x" +
                 std::to_string(region.rows));
    constexpr int kTop = 3, kLeft = 5;
    Canvas canvas(30, 100);
    drawPlanner(canvas, kTop, kLeft, region.rows, region.columns, state,
                garden);
    expectBlankOutside(canvas, kTop, kLeft, region);
    if (region.rows == 24) {
      // The highlighted pair, the last, is in view, and alone in reverse
      // video: the pairs' lines lie between the goal and the keys' line.
      const std::string last = " + 7 ";
      int highlighted = 0;
      for (int row = kTop + 1 + kGoalParts + 1; row < kTop + region.rows - 2;
           ++row) {
        if (canvas.at(row, kLeft + 2).style != Style::kReverse) continue;
        ++highlighted;
        EXPECT_NE(std::string::npos, canvas.line(row).find(last))
            << canvas.line(row);
      }
      EXPECT_EQ(1, highlighted);
    }
  }
}

}  // namespace
