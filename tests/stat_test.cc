#include "stat.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "test_util.h"

namespace {

// A skill read from its save section: points, level, experience, 3 ranks.
Stat load(const std::string& numbers) { return readFromText<Stat>(numbers); }

std::vector<int> fields(const Stat& s) {
  return {s.getPoints(), s.getLevel(), s.getExperience(),
          s.getRank(0),  s.getRank(1), s.getRank(2)};
}

std::string printed(const Stat& s) {
  return printedBy([&] { s.print(); });
}

TEST(Stat, BoostGainsAtMostOneLevelAndKeepsTheSurplus) {
  // Save section, boosts, then level and experience after them.
  const std::tuple<const char*, std::vector<int>, int, int> cases[] = {
      {"0 5 0 2 2 2", {250}, 6, 150},
      {"0 5 0 2 2 2", {250, 0}, 7, 50},
      {"0 3 0 0 0 0", {99}, 3, 99},
      {"0 3 99 0 0 0", {1}, 4, 0},
      {"40 3 20 1 1 1", {-30}, 3, 0},
      {"500 99 90 0 0 0", {20}, 99, 100},
      {"0 98 0 0 0 0", {100, 120}, 99, 100},
      {"0 0 0 0 0 0", {INT_MAX, INT_MAX}, 2, INT_MAX - 100},
      {"2147483647 5 99 5 5 5", {1}, 6, 0}};
  for (const auto& [numbers, boosts, level, experience] : cases) {
    const Stat before = load(numbers);
    Stat stat = before;
    for (int amount : boosts) stat.experienceBoost(amount);
    EXPECT_EQ(level, stat.getLevel()) << numbers;
    EXPECT_EQ(experience, stat.getExperience()) << numbers;
    EXPECT_GE(stat.getPoints(), before.getPoints()) << numbers;
    if (level == before.getLevel()) {
      EXPECT_EQ(before.getPoints(), stat.getPoints()) << numbers;
    }
  }
}

TEST(Stat, PointsPerLevelSpanFiveValuesSetByRank) {
  for (int rank = 0; rank <= 5; ++rank) {
    const std::string r = std::to_string(rank);
    const Stat base = load("0 0 0 " + r + " " + r + " " + r);
    std::set<int> gains;
    for (int seed = 0; seed < 200; ++seed) {
      Stat stat = base;
      srand(seed);
      stat.experienceBoost(100);
      gains.insert(stat.getPoints());
    }
    const int low = 11 + 3 * rank;
    EXPECT_EQ((std::set<int>{low, low + 1, low + 2, low + 3, low + 4}), gains);
  }
}

TEST(Stat, LoadingSavingRankUpAndReincarnationKeepFieldsInRange) {
  EXPECT_EQ((std::vector<int>{0, 100, 100, 0, 5, 3}),
            fields(load("-7 101 150 -1 9 3")));
  EXPECT_EQ((std::vector<int>{7, 100, 0, 5, 0, 5}),
            fields(load("7 100 -5 9 -1 5")));
  Stat stat = load("9 7 40 4 4 3");
  stat.rankUp();
  EXPECT_EQ('S', stat.getRankLetter());
  stat.rankUp();
  stat.reincarnate();
  EXPECT_EQ((std::vector<int>{0, 1, 0, 5, 4, 3}), fields(stat));
  stat = load("987 0 0 0 0 0");
  stat.reincarnate();
  EXPECT_EQ((std::vector<int>{98, 1, 0, 0, 0, 0}), fields(stat));

  TempDir dir;
  stat.experienceBoost(250);
  std::ofstream out("saved");
  stat.save(out);
  out.close();
  EXPECT_EQ(100, stat.getExperience());
  EXPECT_EQ(std::to_string(stat.getPoints()) + " 2 100\n0 0 0\n",
            readFile("saved"));
}

TEST(Stat, PrintsRankLevelBarAndPoints) {
  EXPECT_EQ("C 12 ++++====== 230\n", printed(load("230 12 47 2 2 2")));
  EXPECT_EQ("D 1 +========= 5\n", printed(load("5 1 10 1 1 1")));
  EXPECT_EQ("S 99 ++++++++++ 7\n", printed(load("7 99 100 5 5 5")));
  std::set<std::string> fresh, expected;
  for (char letter : RANK_LETTERS)
    expected.insert(letter + std::string(" 0 ========== 0\n"));
  for (int seed = 0; seed < 100; ++seed) {
    srand(seed);
    const Stat stat;
    const int r = stat.getRank(0);
    EXPECT_EQ((std::vector<int>{0, 0, 0, r, r, r}), fields(stat));
    fresh.insert(printed(stat));
  }
  EXPECT_EQ(expected, fresh);
}

TEST(Stat, BredSkillTakesOneGeneFromEachParent) {
  const Stat first = load("0 0 0 0 1 2");
  const Stat second = load("0 0 0 3 4 5");
  std::set<std::vector<int>> children;
  for (int seed = 0; seed < 300; ++seed) {
    srand(seed);
    children.insert(fields(Stat(first, second)));
  }
  EXPECT_EQ(18u, children.size());  // 3 genes from each, either expressed
  for (const std::vector<int>& child : children) {
    EXPECT_EQ(0, child[0] + child[1] + child[2]);
    EXPECT_TRUE(child[4] <= 2 && child[5] >= 3);
    EXPECT_TRUE(child[3] == child[4] || child[3] == child[5]);
  }
  for (const char* uniform : {"0 0 0 5 5 5", "0 0 0 0 0 0"}) {
    const Stat parent = load(uniform);
    EXPECT_EQ(fields(parent), fields(Stat(parent, parent)));
  }
}

}  // namespace
