// What an item would do, worked out before it is given: the same numbers as
// giving it to a copy of the creature, and no draw from rand.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "actions.h"
#include "screen_test_util.h"

namespace {

// Experience as one count: levels in hundreds, so that a level gained by
// a boost keeps the sum.
int experienceOf(const Mirl& creature, int skill) {
  const Stat stat = creature.getSkill(static_cast<Skill>(skill));
  return stat.getLevel() * 100 + stat.getExperience();
}

SliderOutcome slidersOf(const Mirl& creature) {
  Evolution evolved = creature.getEvolution();
  evolved.evolve();
  const Evolution now = creature.getEvolution();
  return {now.getHeroDark(), now.getSwimFly(), now.getRunPower(),
          evolved.getEvolution()};
}

bool same(const SliderOutcome& a, const SliderOutcome& b) {
  return a.heroDark == b.heroDark && a.swimFly == b.swimFly &&
         a.runPower == b.runPower && a.form == b.form;
}

const CreatureFacts kChild{"Cy", 8, 2, 0, 20, -3};
const CreatureFacts kAdult{"Ada", 24, 5, 0, 0, 0};

TEST(ItemEffect, MatchesGivingTheItemToACopy) {
  TempDir dir;
  writeTestCatalogue();
  const ItemCollection items;
  const struct {
    const char* item;
    int kind;
    int index;
    CreatureFacts creature;
    unsigned seed;
    int bites;
    int swimTotal;
    int step;
    bool random;
  } cases[] = {
      {"Kelpberry", kFood, 0, kChild, 1, 4, 12 + 12 + 12 + 14, 0, false},
      {"Sourfig", kFood, 1, kAdult, 1, 4, -7 - 7 - 7 - 9, 0, false},
      {"Yellow drive, a Child", kDrive, 1, kChild, 1, 1, 24, 2, false},
      {"Yellow drive, grown", kDrive, 1, kAdult, 1, 1, 24, 1, false},
      {"Blue drive", kDrive, 5, kAdult, 3, 1, 0, 1, true},
      {"Black drive", kDrive, 7, kAdult, 1, 1, -24, 1, true},
      {"Gold drive, seed 1", kDrive, 6, kChild, 1, 1, 24, 2, true},
      {"Gold drive, seed 2", kDrive, 6, kChild, 2, 1, 24, 2, true},
      {"none", kDrive, 0, kChild, 1, 1, 0, 2, false},
      {"Minnow", kSmallAnimal, 0, kChild, 1, 1, 12, 4, false},
      {"Mole", kSmallAnimal, 1, kAdult, 1, 1, 0, 2, false},
      {"Goldfinch", kSmallAnimal, 2, kChild, 5, 1, 0, 4, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    const Mirl creature = creatureOf(c.creature);
    std::srand(c.seed);
    const ItemEffect effect = itemEffect(creature, items, c.kind, c.index);
    const int next = std::rand();
    std::srand(c.seed);
    EXPECT_EQ(std::rand(), next) << "the forecast drew from rand";

    EXPECT_EQ(c.bites, static_cast<int>(effect.bites.size()));
    EXPECT_EQ(c.swimTotal, effect.total.getSwim());
    EXPECT_EQ(c.step, effect.step);
    EXPECT_EQ(c.random, effect.randomDirection);
    ASSERT_EQ(c.random ? 4U : 1U, effect.after.size());
    EXPECT_TRUE(same(slidersOf(creature), effect.before));

    Mirl given = creature;
    std::srand(c.seed);
    giveFromCatalogue(given, items, c.kind, c.index);
    for (int skill = 0; skill < kSkillCount; ++skill) {
      EXPECT_EQ(experienceOf(given, skill) - experienceOf(creature, skill),
                effect.total.getAmount(static_cast<Skill>(skill)))
          << SKILLS[skill];
    }
    const SliderOutcome actual = slidersOf(given);
    EXPECT_TRUE(std::any_of(
        effect.after.begin(), effect.after.end(),
        [&actual](const SliderOutcome& after) { return same(after, actual); }))
        << actual.heroDark << " " << actual.swimFly << " " << actual.runPower;
    if (!c.random) {
      EXPECT_TRUE(same(effect.after.front(), actual));
    }
  }
}

TEST(ItemEffect, RandomColourListsItsFourWaysInOrder) {
  TempDir dir;
  writeTestCatalogue();
  const ItemEffect effect = itemEffect(creatureOf(kChild), ItemCollection(),
                                       kSmallAnimal, 2);  // Goldfinch
  ASSERT_EQ(4U, effect.after.size());
  const int swimFly[] = {16, 24, 20, 20};  // toward Swim, Fly, Run, Power
  const int runPower[] = {-3, -3, -7, 1};
  for (int way = 0; way < 4; ++way) {
    EXPECT_EQ(swimFly[way], effect.after[way].swimFly) << way;
    EXPECT_EQ(runPower[way], effect.after[way].runPower) << way;
  }
}

}  // namespace
