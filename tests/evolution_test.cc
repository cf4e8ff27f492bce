#include "evolution.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "test_util.h"

namespace {

// A state read from "form heroDark swimFly runPower".
Evolution load(const std::string& numbers) {
  return readFromText<Evolution>(numbers);
}

std::vector<int> state(const Evolution& e) {
  return {e.getEvolution(), e.getHeroDark(), e.getSwimFly(), e.getRunPower()};
}

TEST(Evolution, EvolvePicksFamilyAndAlignmentFromTheSliders) {
  const std::pair<const char*, int> cases[] = {
      {"1 -25 0 0", 5},  {"1 -26 0 0", 6},    {"1 26 0 0", 7},
      {"1 0 -30 30", 5}, {"1 0 -30 -40", 14}, {"1 0 26 0", 11},
      {"1 0 25 0", 5},   {"1 0 -26 0", 8},    {"1 -30 0 50", 18},
      {"1 0 40 -40", 5}, {"1 30 -50 10", 10}, {"13 50 26 -25", 13},
  };
  for (const auto& [numbers, form] : cases) {
    Evolution e = load(numbers);
    const int heroDark = e.getHeroDark();
    EXPECT_EQ(form, adultForm(heroDark, e.getSwimFly(), e.getRunPower()))
        << numbers;
    e.evolve();
    EXPECT_EQ((std::vector<int>{form, heroDark, 0, 0}), state(e)) << numbers;
    e.evolve();  // the shape sliders are back at 0: Normal
    EXPECT_EQ(5 + (form - 5) % 3, e.getEvolution()) << numbers;
  }
}

TEST(Evolution, AdultFormReadsAnyIntWithoutOverflow) {
  // heroDark, swimFly, runPower, then the form: values no save file holds,
  // which items and petting can still reach between two validations.
  const std::tuple<int, int, int, int> cases[] = {
      {0, INT_MIN, INT_MAX, 8},  {0, INT_MAX, INT_MIN, 14},
      {0, INT_MIN, INT_MIN, 5},  {INT_MIN, 0, INT_MAX, 18},
      {INT_MAX, INT_MAX, 0, 13}, {0, -INT_MAX, INT_MAX, 5},
  };
  for (const auto& [heroDark, swimFly, runPower, form] : cases) {
    EXPECT_EQ(form, adultForm(heroDark, swimFly, runPower))
        << heroDark << " " << swimFly << " " << runPower;
  }
}

TEST(Evolution, ItemsPushShapeAlwaysAndAlignmentInChildFormOnly) {
  // Form, item (alignment, colour, strength), then the state it leaves.
  const std::tuple<int, EvolutionItem, std::vector<int>> cases[] = {
      {1, {5, 2, 3}, {1, 0, 3, 0}},
      {2, {5, 2, 3}, {2, 30, 6, 0}},
      {2, {-1, 0, 4}, {2, -8, 0, 0}},
      {1, {0, -1, 2}, {1, 0, 0, 0}},
      {1, {0, 1, 2}, {1, 0, -2, 0}},
      {1, {0, 3, 2}, {1, 0, 0, -2}},
      {1, {0, 4, 2}, {1, 0, 0, 2}},
      {2, {INT_MAX, 1, INT_MAX}, {2, INT_MAX, INT_MIN, 0}}};
  for (const auto& [form, item, expected] : cases) {
    Evolution e = load(std::to_string(form) + " 0 0 0");
    e.giveEvolutionItem(item);
    EXPECT_EQ(expected, state(e)) << "colour " << item.getColor();
  }
  std::set<std::vector<int>> randomPushes;
  for (int seed = 0; seed < 100; ++seed) {
    srand(seed);
    Evolution e;
    e.giveEvolutionItem(EvolutionItem(0, 5 + seed % 3, 2));
    randomPushes.insert(state(e));
  }
  EXPECT_EQ((std::set<std::vector<int>>{
                {1, 0, -2, 0}, {1, 0, 2, 0}, {1, 0, 0, -2}, {1, 0, 0, 2}}),
            randomPushes);
}

TEST(Evolution, PettingMovesAlignmentInChildFormOnlyAndSaturates) {
  const std::tuple<const char*, std::vector<int>, int> cases[] = {
      {"1 0 0 0", {5}, 0},
      {"2 0 0 0", {0}, 0},
      {"2 48 0 0", {5}, 53},
      {"2 48 0 0", {5, 0}, 52},
      {"2 0 0 0", {-60, 0}, -50},
      {"2 -3 0 0", {0}, -2},
      {"2 0 0 0", {INT_MAX, INT_MAX}, INT_MAX},
      {"2 0 0 0", {INT_MIN, INT_MIN}, INT_MIN},
  };
  for (const auto& [numbers, pats, heroDark] : cases) {
    Evolution e = load(numbers);
    for (int pat : pats) e.pet(pat);
    EXPECT_EQ(heroDark, e.getHeroDark()) << numbers;
  }
}

TEST(Evolution, ReincarnationAndValidationKeepTheStateInRange) {
  Evolution e = load("13 -30 40 -10");
  e.reincarnate();
  EXPECT_EQ((std::vector<int>{1, -30, 0, 0}), state(e));
  EXPECT_EQ("Egg", e.getEvolutionText());
  EXPECT_EQ((std::vector<int>{0, 50, -50, 7}), state(load("26 80 -80 7")));
  EXPECT_EQ("Child", load("-1 0 0 0").getEvolutionText());
  EXPECT_EQ("Pella", load("25 0 0 0").getEvolutionText());
}

TEST(Evolution, SliderBarsMarkTenValuesPerCell) {
  const std::pair<int, const char*> cases[] = {
      {0, "=====O====="},       {-50, "+====o====="},     {50, "=====o====+"},
      {25, "=====o=+==="},      {-25, "==+==o====="},     {60, "=====o====="},
      {9, "=====O====="},       {-10, "====+o====="},     {-11, "===+=o====="},
      {59, "=====o====+"},      {-59, "+====o====="},     {-60, "=====o====="},
      {INT_MAX, "=====o====="}, {INT_MIN, "=====o====="},
  };
  for (const auto& [value, bar] : cases) {
    EXPECT_EQ(bar, printedBy([&] { Evolution().printSlider(value); })) << value;
  }
  const Evolution e = load("2 -50 50 9");
  EXPECT_EQ(
      "Hero\t<+====o=====>\tDark\nSwim\t<=====o====+>\tFly\n"
      "Run\t<=====O=====>\tPower\n",
      printedBy([&] { e.printSliders(); }));
}

}  // namespace
