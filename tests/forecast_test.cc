#include "forecast.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "breed.h"
#include "items.h"
#include "mirl.h"
#include "names.h"
#include "test_util.h"

namespace {

// One trait of a child by the rule of Breed(first, second), for the draws in
// the three low bits of `draws`: giver, giver's allele, other's allele.
template <typename T>
void draw(T (&child)[2], T (Breed::*allele)(int) const, const Breed (&p)[2],
          int draws) {
  const Breed &giver = p[draws & 1], &other = p[1 - (draws & 1)];
  child[0] = (giver.*allele)(draws >> 1 & 1);
  child[1] = (other.*allele)(draws >> 2 & 1);
}

// Every child of Breed(first, second), one for each of the kForecastOutcomes
// outcomes of its twelve draws, three bits a trait.
std::vector<Breed> allChildren(const Breed& first, const Breed& second) {
  const Breed parents[2] = {first, second};
  std::vector<Breed> children;
  for (int draws = 0; draws < kForecastOutcomes; ++draws) {
    int color[2], coat[2];
    bool shine[2], twotone[2];
    draw(color, &Breed::getColor, parents, draws);
    draw(coat, &Breed::getCoat, parents, draws >> 3);
    draw(shine, &Breed::getShine, parents, draws >> 6);
    draw(twotone, &Breed::getTwotone, parents, draws >> 9);
    children.emplace_back(color, coat, shine, twotone);
  }
  return children;
}

TEST(Forecast, GivesEveryAppearanceAndPurityAsExactCountsOfTheDraws) {
  const struct {
    Breed parents[2];
    const char* forecast;  // "appearance=chance;" in order, then "purebred="
  } rows[] = {
      {{Breed(), Breed()}, "Two-Tone Normal=4096;purebred=4096"},
      {{Breed(0, 1, false, true), Breed()},
       "Gold=2048;Two-Tone Normal=2048;purebred=0"},
      {{Breed(4, 0, true, false), Breed(4, 0, false, false)},
       "Shiny monotone Sky Blue=2048;monotone Sky Blue=2048;purebred=0"},
      {{Breed({2, 5}, {0, 0}, {0, 0}, {1, 1}), Breed(2, 0, false, true)},
       "Two-Tone White=3072;Two-Tone Pink=1024;purebred=2048"},
      // Both parents mixed: slot 1 takes either allele of the other parent.
      {{Breed({2, 5}, {0, 0}, {0, 0}, {1, 1}),
        Breed({2, 7}, {0, 0}, {0, 0}, {1, 1})},
       "Two-Tone White=2048;Two-Tone Grey=1024;Two-Tone Pink=1024;"
       "purebred=1024"},
      {{Breed({3, 9}, {0, 0}, {1, 0}, {0, 0}), Breed(3, 0, false, false)},
       "monotone Brown=2304;Shiny monotone Brown=768;monotone Red=768;"
       "Shiny monotone Red=256;purebred=1024"},
      // An unchecked hatch allele: shown repaired, counted as the child has it.
      {{Breed(99, 0, false, true), Breed()},
       "Two-Tone Normal=4096;purebred=0"}};
  srand(7);
  for (const auto& row : rows) {
    const BreedingForecast forecast =
        forecastBreeding(row.parents[0], row.parents[1]);
    std::string looks;
    std::map<std::string, int> chances, counted;
    for (const auto& a : forecast.appearances) {
      looks += a.looks + "=" + std::to_string(a.chance) + ";";
      chances[a.looks] = a.chance;
    }
    EXPECT_EQ(row.forecast,
              looks + "purebred=" + std::to_string(forecast.pureChance));
    int pure = 0;  // every outcome of the draws, counted one by one
    for (const Breed& child : allChildren(row.parents[0], row.parents[1])) {
      ++counted[child.getPhenotype()];
      pure += child.isPure();
    }
    EXPECT_EQ(counted, chances);
    EXPECT_EQ(pure, forecast.pureChance);
  }
  const int next = rand();
  srand(7);
  EXPECT_EQ(rand(), next) << "forecasting must not draw";
  const std::pair<int, const char*> percents[] = {
      {4096, "100.0%"}, {256, "6.3%"}, {16, "0.4%"},
      {1, "0.0%"},      {-5, "0.0%"},  {5000, "100.0%"}};
  for (const auto& [chance, text] : percents) {
    EXPECT_EQ(text, chancePercent(chance));
  }
}

// A goal from words: "color:5", "coat:1", "shiny", "twotone", "pure".
BreedingGoal goalOf(const std::string& words) {
  BreedingGoal goal;
  std::istringstream in(words);
  for (std::string word; in >> word;) {
    const std::string::size_type colon = word.find(':');
    const std::string part = word.substr(0, colon);
    if (part == "color") goal.color = std::stoi(word.substr(colon + 1));
    if (part == "coat") goal.coat = std::stoi(word.substr(colon + 1));
    goal.shiny |= part == "shiny";
    goal.twoTone |= part == "twotone";
    goal.purebred |= part == "pure";
  }
  return goal;
}

// Whether `child` meets `goal`, read off its appearance line as the player
// sees it, and its purity.
bool showsGoal(const Breed& child, const BreedingGoal& goal) {
  std::string looks = child.getPhenotype();
  const bool shiny = looks.rfind("Shiny ", 0) == 0;
  if (shiny) looks.erase(0, std::string("Shiny ").size());
  const bool twoTone = looks.rfind("Two-Tone ", 0) == 0;
  const bool coatless = twoTone || looks.rfind("monotone ", 0) == 0;
  const std::string shown =
      coatless ? looks.substr(looks.find(' ') + 1) : looks;
  return (!goal.shiny || shiny) && (!goal.twoTone || twoTone) &&
         (!goal.coat ||
          (*goal.coat == 0 ? coatless
                           : !coatless && shown == COATS[*goal.coat])) &&
         (!goal.color || (coatless && shown == COLORS[*goal.color])) &&
         (!goal.purebred || child.isPure());
}

TEST(Forecast, AGoalIsMetByTheAllelesThatShow) {
  // Within a trait the draws give (a, b) as often as (b, a), so no count
  // tells the slots apart: single genotypes do.
  const struct {
    Breed child;
    const char* goal;
    bool met;
  } rows[] = {
      {Breed({0, 0}, {0, 0}, {false, true}, {true, true}), "shiny", false},
      {Breed({0, 0}, {0, 0}, {true, false}, {true, true}), "shiny", true},
      {Breed({0, 0}, {0, 0}, {false, false}, {false, true}), "twotone", false},
      {Breed({0, 0}, {0, 3}, {false, false}, {true, true}), "color:0", true},
      {Breed({0, 0}, {3, 0}, {false, false}, {true, true}), "color:0", false},
      {Breed({0, 4}, {0, 0}, {false, false}, {true, true}), "color:4", false},
      {Breed({4, 0}, {0, 0}, {false, false}, {false, false}), "color:4", true},
      {Breed({0, 0}, {40, 0}, {false, false}, {true, true}),
       "color:0 twotone coat:0", true},  // a coat outside the table shows none
      {Breed({20, 20}, {0, 0}, {false, false}, {true, true}), "color:0 pure",
       true},
      {Breed({0, 0}, {14, 14}, {true, true}, {true, true}),
       "coat:13 shiny pure", true},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(row.met, meetsGoal(row.child, goalOf(row.goal)))
        << row.child.getPhenotype() << ": " << row.goal;
    EXPECT_EQ(row.met, showsGoal(row.child, goalOf(row.goal))) << row.goal;
  }
}

// Parents of the planner's tables, by the garden slot they stand in.
const std::map<int, Breed> kParents = {
    {0, Breed()},                   // Two-Tone Normal
    {2, Breed(0, 1, false, true)},  // Gold
    {5, Breed({2, 5}, {0, 1}, {true, false}, {true, false})},  // all mixed
    {7, Breed({5, 7}, {1, 3}, {false, false}, {false, true})},
    {8, Breed(99, 0, false, true)},   // an unchecked hatch: shows Normal
    {9, Breed(0, 13, false, true)},   // Metal
    {10, Breed(0, 14, false, true)},  // the other Metal
};

TEST(Forecast, CountsTheChildrenThatMeetAGoalAsTheDrawsGiveThem) {
  const struct {
    int first, second;
    const char* goal;
    int chance;
  } rows[] = {
      {0, 0, "", 4096},
      {0, 0, "pure twotone color:0 coat:0", 4096},
      {2, 0, "coat:1", 2048},
      {2, 0, "coat:0", 2048},
      {2, 0, "color:0 twotone", 2048},
      {2, 0, "color:0 coat:1", 0},  // a coat hides the colour
      {2, 0, "pure", 0},
      {5, 7, "color:5", 512},  // no coat 1/4, Pink 1/2
      {5, 7, "coat:1", 2048},
      {5, 7, "shiny coat:3", 256},
      {5, 7, "twotone", 512},
      {5, 7, "color:2 twotone shiny", 32},
      {5, 7, "pure", 64},
      {5, 7, "pure coat:1", 64},
      {5, 7, "pure coat:0", 0},  // the second parent carries no "None"
      {5, 7, "shiny pure", 0},
      {8, 0, "color:0 pure", 0},  // shows Normal, holds 99 and 0
      {8, 0, "color:0", 4096},
      {9, 10, "coat:13", 4096},  // both show "Metal "
      {9, 10, "coat:14 pure", 0},
      {9, 0, "color:0", 2048},
  };
  for (const auto& row : rows) {
    const Breed& first = kParents.at(row.first);
    const Breed& second = kParents.at(row.second);
    const BreedingGoal goal = goalOf(row.goal);
    const std::string which = std::to_string(row.first) + "x" +
                              std::to_string(row.second) + " " + row.goal;
    int counted = 0;
    for (const Breed& child : allChildren(first, second)) {
      counted += showsGoal(child, goal);
    }
    EXPECT_EQ(row.chance, counted) << which;
    EXPECT_EQ(row.chance, goalChance(first, second, goal)) << which;
    EXPECT_EQ(row.chance, goalChance(second, first, goal)) << which;
  }
  // Goals outside the tables: no child shows them.
  EXPECT_EQ(0, goalChance(kParents.at(8), kParents.at(8), goalOf("color:99")));
  EXPECT_EQ(0, goalChance(Breed(0, 40, 0, 1), Breed(), goalOf("coat:40")));
}

// The plan as "first-second:goal/pure" in its order.
std::string planOf(const std::vector<int>& slots, const std::string& goal) {
  std::vector<BreedingCandidate> candidates;
  for (int slot : slots) candidates.push_back({slot, kParents.at(slot)});
  std::string plan;
  for (const PlannedPair& pair : planBreeding(candidates, goalOf(goal))) {
    plan += std::to_string(pair.firstSlot) + "-" +
            std::to_string(pair.secondSlot) + ":" +
            std::to_string(pair.goalChance) + "/" +
            std::to_string(pair.pureChance) + " ";
  }
  return plan;
}

TEST(Forecast, PlansEveryPairBestFirstThenPurestThenByTheirSlots) {
  const struct {
    std::vector<int> slots;
    const char* goal;
    const char* plan;
  } rows[] = {
      {{7, 5, 2, 0},
       "coat:1",
       "2-5:3072/0 2-7:3072/0 5-7:2048/64 0-2:2048/0 0-5:1024/0 0-7:1024/0 "},
      // Out of reach for every pair: the purest first, then by slots.
      {{0, 2, 5, 7},
       "color:3 coat:1",
       "5-7:0/64 0-2:0/0 0-5:0/0 0-7:0/0 2-5:0/0 2-7:0/0 "},
      {{9, 0, 10}, "coat:13", "9-10:4096/0 0-9:2048/0 0-10:2048/0 "},
      {{2}, "", ""},
      {{}, "", ""},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(row.plan, planOf(row.slots, row.goal)) << row.goal;
  }
}

// An evolution state read from "form heroDark swimFly runPower".
Evolution stateOf(const std::string& numbers) {
  std::istringstream in(numbers);
  return Evolution(in);
}

// A catalogue of the eight drives and the animals of `records`, one
// "colour name" a record; no fruits.
ItemCollection catalogue(const std::string& records = "") {
  TempDir dir;
  std::istringstream in(records);
  std::string animals = "Color Name Swim Fly Run Power Extra1 Extra2\n";
  for (std::string color, name; in >> color >> name;) {
    animals += color + " " + name + " 1 1 1 1 0 0\n";
  }
  writeFile("animals.dat", animals);
  return ItemCollection("fruits.dat", "animals.dat");
}

// The sliders after `steps` more toward `shape`.
std::vector<int> pushed(const Evolution& e, Shape shape, int steps) {
  int swimFly = e.getSwimFly(), runPower = e.getRunPower();
  int& slider =
      shape == Shape::kSwim || shape == Shape::kFly ? swimFly : runPower;
  slider += shape == Shape::kSwim || shape == Shape::kRun ? -steps : steps;
  return {e.getHeroDark(), swimFly, runPower};
}

TEST(Forecast, TellsTheFormAnEggWouldTakeAndHowFarEachShapeIs) {
  const struct {
    int age;
    const char* state;  // form heroDark swimFly runPower
    int form, hours;
    std::vector<int> steps;  // Swim, Fly, Run, Power
    const char* inTime;      // "+" where the drives reach it in time
  } rows[] = {
      {0, "1 -25 0 0", 5, 20, {26, 26, 26, 26}, "----"},
      {0, "1 -26 0 0", 6, 20, {26, 26, 26, 26}, "----"},
      {0, "1 26 0 0", 7, 20, {26, 26, 26, 26}, "----"},
      {0, "1 0 -30 30", 5, 20, {1, 61, 61, 1}, "+--+"},  // equal: Normal
      {5, "1 0 -30 -40", 14, 15, {11, 71, 0, 71}, "+-+-"},
      {0, "1 0 26 0", 11, 20, {52, 0, 27, 27}, "-+--"},  // beyond 26
      {19, "1 0 25 0", 5, 1, {51, 1, 26, 26}, "-+--"},   // its last hour
      {19, "1 0 24 0", 5, 1, {50, 2, 26, 26}, "----"},
      {19, "2 0 24 0", 5, 1, {50, 2, 26, 26}, "-+--"},  // Child: 2 a gift
      {12, "1 -40 -10 20", 6, 8, {16, 36, 46, 6}, "---+"},
      {0, "1 0 50 -50", 5, 20, {101, 1, 1, 101}, "-++-"},
      {0, "13 50 -50 50", 7, 20, {1, 101, 101, 1}, "+--+"},
  };
  const ItemCollection drives = catalogue();
  for (const auto& row : rows) {
    const Evolution state = stateOf(row.state);
    const EvolutionForecast forecast =
        forecastEvolution(row.age, state, drives);
    const std::string which = std::to_string(row.age) + "h " + row.state;
    EXPECT_EQ(LifeStage::kEvolving, forecast.stage) << which;
    EXPECT_EQ(row.form, forecast.form) << which;
    EXPECT_EQ(row.hours, forecast.hoursLeft) << which;
    EXPECT_EQ(alignmentOffset(state.getHeroDark()), forecast.alignment);
    ASSERT_EQ(static_cast<std::size_t>(kShapeCount), forecast.shapes.size());
    std::vector<int> steps;
    std::string inTime;
    for (const ShapeOutlook& shape : forecast.shapes) {
      steps.push_back(shape.steps);
      inTime += shape.inTime ? '+' : '-';
      // The steps are exactly those after which the rule picks the shape.
      const int picked = shape.form - forecast.alignment;
      std::vector<int> s = pushed(state, shape.shape, shape.steps);
      EXPECT_EQ(shape.form, adultForm(s[0], s[1], s[2])) << which;
      s = pushed(state, shape.shape, shape.steps - 1);
      if (shape.steps > 0) {
        EXPECT_NE(picked, adultForm(0, s[1], s[2])) << which;
      }
    }
    EXPECT_EQ(row.steps, steps) << which;
    EXPECT_EQ(row.inTime, inTime) << which;
  }
}

TEST(Forecast, NamesTheStrongestSureItemOfTheCatalogueAsItIs) {
  const struct {
    const char* animals;  // "colour name" records of animals.dat
    const char* state;
    const char* items;  // per shape: name, steps a gift, gifts for 26 steps
  } rows[] = {
      {"", "1 0 0 0", "Yellow 1x26 Green 1x26 Red 1x26 Purple 1x26"},
      {"", "2 0 0 0", "Yellow 2x13 Green 2x13 Red 2x13 Purple 2x13"},
      {"", "13 0 0 0", "Yellow 1x26 Green 1x26 Red 1x26 Purple 1x26"},
      {"4 Moth", "1 0 0 0", "Yellow 1x26 Green 1x26 Red 1x26 Moth 2x13"},
      {"4 Moth", "2 0 0 0", "Yellow 2x13 Green 2x13 Red 2x13 Moth 4x7"},
      {"1 Frog 1 Toad 3 Mole", "1 0 0 0",
       "Frog 2x13 Green 1x26 Mole 2x13 Purple 1x26"},
      // Drawn sides and no side at all: never a sure item.
      {"5 Jay 6 Carp 7 Bat 0 Slug -1 Eel 8 Wasp", "2 0 0 0",
       "Yellow 2x13 Green 2x13 Red 2x13 Purple 2x13"},
  };
  for (const auto& row : rows) {
    const ItemCollection items = catalogue(row.animals);
    const EvolutionForecast forecast =
        forecastEvolution(0, stateOf(row.state), items);
    std::string named;
    for (const ShapeOutlook& shape : forecast.shapes) {
      ASSERT_TRUE(shape.item.has_value());
      const ShapeItem& item = *shape.item;
      const std::string listed = item.source == ItemSource::kDrive
                                     ? ITEM_COLORS[item.index]
                                     : items.getAnimal(item.index).getName();
      EXPECT_EQ(listed, item.name) << row.animals;
      named += (named.empty() ? "" : " ") + item.name + " " +
               std::to_string(item.steps) + "x" + std::to_string(shape.gifts);
    }
    EXPECT_EQ(row.items, named) << row.animals << " / " << row.state;
  }
}

TEST(Forecast, KnowsThePushOfAnItemExactlyAsGivingItMoves) {
  for (const int form : {0, 1, 2, 13}) {
    for (int color = -1; color <= 9; ++color) {
      for (const int strength : {-3, 0, 1, 2}) {
        Evolution e = stateOf(std::to_string(form) + " 0 0 0");
        e.giveEvolutionItem(EvolutionItem(0, color, strength));
        const int swimFly = e.getSwimFly(), runPower = e.getRunPower();
        const std::optional<ShapePush> push =
            knownPush(EvolutionItem(0, color, strength), form);
        const std::string which = std::to_string(form) + " " +
                                  std::to_string(color) + " " +
                                  std::to_string(strength);
        if (!push) {  // a side drawn at random, or no move at all
          EXPECT_TRUE(color > 4 || (swimFly == 0 && runPower == 0)) << which;
          continue;
        }
        EXPECT_LE(color, 4) << which;
        EXPECT_EQ(pushed(Evolution(), push->shape, push->steps),
                  (std::vector<int>{0, swimFly, runPower}))
            << which;
      }
    }
  }
}

TEST(Forecast, AGrownCreatureIsRebornInItsHoursAndKeepsItsAlignment) {
  const struct {
    int age;
    const char* state;
    LifeStage stage;
    int hours, form;
    const char* alignment;
  } rows[] = {
      {20, "13 -30 40 -10", LifeStage::kGrown, 30, 13, "Hero"},
      {49, "7 26 0 0", LifeStage::kGrown, 1, 7, "Dark"},
      {50, "7 26 0 0", LifeStage::kSettled, 0, 7, "Dark"},
      {900, "1 0 0 0", LifeStage::kSettled, 0, 1, "Neutral"},
  };
  for (const auto& row : rows) {
    const EvolutionForecast forecast =
        forecastEvolution(row.age, stateOf(row.state), catalogue());
    EXPECT_EQ(row.stage, forecast.stage) << row.age;
    EXPECT_EQ(row.hours, forecast.hoursLeft) << row.age;
    EXPECT_EQ(row.form, forecast.form) << row.age;
    EXPECT_EQ(row.alignment, alignmentName(forecast.alignment)) << row.age;
    EXPECT_TRUE(forecast.shapes.empty()) << row.age;
  }
  Mirl egg;
  for (int hour = 0; hour < 7; ++hour) egg.increaseAge();
  const EvolutionForecast forecast = forecastEvolution(egg, catalogue());
  EXPECT_EQ(LifeStage::kEvolving, forecast.stage);
  EXPECT_EQ(13, forecast.hoursLeft);
  EXPECT_EQ(5, forecast.form);
}

}  // namespace
