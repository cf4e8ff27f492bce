#include "items.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_util.h"

namespace {

// Amounts in the creature's skill order: swim, run, power, fly, stamina.
std::vector<int> amounts(const StatItem& i) {
  return {i.getSwim(), i.getRun(), i.getPower(), i.getFly(), i.getStamina()};
}

std::vector<int> push(const EvolutionItem& i) {
  return {i.getAlignment(), i.getColor(), i.getStrength()};
}

TEST(Items, OrvanDriveTrainsBySkillPositionAndPushesByItsKind) {
  const int x = 24;
  const std::vector<int> none(5, 0);
  const std::vector<int> table[] = {none,
                                    {x, 0, 0, 0, 0},
                                    {0, x, 0, 0, 0},
                                    {0, 0, x, 0, 0},
                                    {0, 0, 0, x, 0},
                                    {0, 0, 0, 0, x},
                                    {x, x, x, x, x},
                                    {-x, -x, -x, -x, -x},
                                    none,
                                    none};
  for (int kind = 0; kind <= 9; ++kind) {
    EXPECT_EQ(table[kind], amounts(OrvanDrive(kind).getStats())) << kind;
    EXPECT_EQ((std::vector<int>{0, kind, 1}),
              push(OrvanDrive(kind).getEvolution()));
  }
  EXPECT_EQ((std::vector<int>{0, 0, 0}), push(OrvanDrive().getEvolution()));
}

TEST(Items, FruitMapsFileOrderAndSweetensOnlyTheLastBite) {
  TempDir dir;
  writeFile("fruits", "X 12 -12 3 0 7 0 0\nY 2 7 12 -2 -7 5 5\n");
  std::ifstream in("fruits");
  const struct {
    const char* name;
    std::vector<int> stats, lastBite;
  } fruits[] = {{"X", {12, 3, 0, -12, 7}, {14, 3, 0, -14, 9}},
                {"Y", {2, 12, -2, 7, -7}, {4, 14, -4, 9, -9}}};
  for (const auto& expected : fruits) {
    Fruit fruit(in);
    EXPECT_EQ(expected.name, fruit.getName());
    for (int bites = 4; bites >= -1; --bites) {
      EXPECT_EQ(bites, fruit.getBitesLeft());
      EXPECT_EQ(bites == 1 ? expected.lastBite : expected.stats,
                amounts(fruit.getStats()));
      fruit.takeABite();
    }
  }
  EXPECT_FALSE(in.fail());
  EXPECT_EQ(0, Fruit().getBitesLeft());
}

TEST(Items, AnimalGivesNoStaminaAndADoubleStrengthPush) {
  const Animal frog = readFromText<Animal>("3 Frog 5 6 7 8 9 10\n");
  EXPECT_EQ("Frog", frog.getName());
  EXPECT_EQ((std::vector<int>{5, 7, 8, 6, 0}), amounts(frog.getStats()));
  EXPECT_EQ((std::vector<int>{0, 3, 2}), push(frog.getEvolution()));
}

}  // namespace
