#include "mirl.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "test_util.h"

namespace {

// Pip, 50 hours old and twice reincarnated, read from a save record whose
// skills stand at level 7 with 987 points and 40 experience; `ranks` holds
// one rank digit per skill.
Mirl loadPip(const std::string& evolution, const std::string& ranks) {
  std::string record = "Name: Pip\nAge: 50\nReincarnation: 2\n";
  for (char r : ranks) {
    record += std::string("Skill: 987 7 40\n") + r + ' ' + r + ' ' + r + '\n';
  }
  record += "Evolution: " + evolution +
            "\nColor: 4 9\nCoat: 0 0\nShine: 0 1\nTwo-tone: 1 1\n";
  return readFromText<Mirl>(record);
}

std::vector<Stat> skills(const Mirl& m) {
  return {m.getSwim(), m.getRun(), m.getPower(), m.getFly(), m.getStamina()};
}

std::string rankLetters(const Mirl& m) {
  std::string letters;
  for (const Stat& s : skills(m)) letters += s.getRankLetter();
  return letters;
}

// Each skill's experience plus 100 per level.
std::vector<int> progress(const Mirl& m) {
  std::vector<int> total;
  for (const Stat& s : skills(m)) {
    total.push_back(100 * s.getLevel() + s.getExperience());
  }
  return total;
}

// How many rand() draws `make` takes: where the next value it leaves sits in
// the sequence of the same seed.
template <typename Make>
int drawsMadeBy(Make make) {
  srand(2024);
  make();
  const int next = rand();
  srand(2024);
  for (int n = 0; n < 100; ++n) {
    if (rand() == next) return n;
  }
  return -1;
}

TEST(Mirl, EvolutionRaisesTheRankOfTheFormsFamily) {
  // Evolution section, skill ranks, then the form and the ranks after.
  const std::tuple<const char*, const char*, int, const char*> cases[] = {
      {"1 -30 0 0", "22222", 6, "CCCCB"},
      {"1 30 45 -10", "22222", 13, "CCCBC"},
      {"1 0 -30 -40", "22222", 14, "CBCCC"},
      {"1 0 -40 10", "22222", 8, "BCCCC"},
      {"1 0 0 40", "22222", 17, "CCBCC"},
      {"1 -30 0 0", "55555", 6, "SSSSS"}};
  for (const auto& [evolution, ranks, form, letters] : cases) {
    Mirl pip = loadPip(evolution, ranks);
    pip.evolve();
    EXPECT_EQ(form, pip.getEvolution().getEvolution()) << evolution;
    EXPECT_EQ(letters, rankLetters(pip)) << evolution;
  }
}

TEST(Mirl, ReincarnationStartsTheNextLifeQuietly) {
  Mirl pip = loadPip("13 -30 40 -10", "01234");
  std::ostringstream stats;
  pip.printStats(stats);
  EXPECT_EQ(
      "Swim: E 7 ++++====== 987\nRun: D 7 ++++====== 987\n"
      "Power: C 7 ++++====== 987\nFly: B 7 ++++====== 987\n"
      "Stamina: A 7 ++++====== 987\n",
      stats.str());
  // The garden's tick reports a rebirth; the creature itself prints nothing.
  EXPECT_EQ("", printedBy([&] { pip.reincarnate(); }));
  EXPECT_EQ(0, pip.getAge());
  EXPECT_EQ(3, pip.getReincarnations());
  for (const Stat& s : skills(pip)) EXPECT_EQ(98, s.getPoints());
  EXPECT_EQ((std::vector<int>(5, 100)), progress(pip));
  EXPECT_EQ("EDCBA", rankLetters(pip));
  EXPECT_EQ(-30, pip.getEvolution().getHeroDark());
  EXPECT_EQ("Egg", pip.getEvolution().getEvolutionText());
}

TEST(Mirl, FruitIsEatenBiteByBite) {
  Mirl mirl;
  mirl.giveFruit(readFromText<Fruit>("Berry 40 12 5 7 -2 0 0\n"));
  // Swim levels up on the third bite; fly and power get more on the last.
  EXPECT_EQ((std::vector<int>{160, 20, 30, 50, 0}), progress(mirl));
  mirl.giveFruit(Fruit());
  mirl.giveStatItem(StatItem(250, 0, 0, 0, -1));
  EXPECT_EQ((std::vector<int>{410, 20, 30, 50, 0}), progress(mirl));
  EXPECT_EQ(210, mirl.getSwim().getExperience());
}

TEST(Mirl, BredChildStartsFreshWithGenesFromEachParent) {
  const Mirl child(loadPip("13 -30 0 0", "01234"),
                   loadPip("7 40 0 0", "54321"));
  EXPECT_EQ("_", child.getName());
  EXPECT_EQ(0, child.getAge() + child.getReincarnations());
  EXPECT_EQ("Egg", child.getEvolution().getEvolutionText());
  EXPECT_EQ(0, child.getEvolution().getHeroDark());
  EXPECT_EQ((std::vector<int>(5, 0)), progress(child));
  const std::vector<Stat> genes = skills(child);
  for (int skill = 0; skill < 5; ++skill) {
    EXPECT_EQ(skill, genes[skill].getRank(1));
    EXPECT_EQ(5 - skill, genes[skill].getRank(2));
    EXPECT_EQ(0, genes[skill].getPoints());
  }
}

TEST(Mirl, RandomDrawsComeInAFixedNumber) {
  const Stat stat;
  const Breed breed;
  const Mirl mirl;
  EXPECT_EQ(1, drawsMadeBy([] { return Stat(); }));
  EXPECT_EQ(3, drawsMadeBy([&] { return Stat(stat, stat); }));
  EXPECT_EQ(2, drawsMadeBy([] { Stat().experienceBoost(100); }));
  EXPECT_EQ(12, drawsMadeBy([&] { return Breed(breed, breed); }));
  EXPECT_EQ(5, drawsMadeBy([] { return Mirl(3, 2, true, false); }));
  EXPECT_EQ(27, drawsMadeBy([&] { return Mirl(mirl, mirl); }));
  EXPECT_EQ(0, drawsMadeBy([] { Evolution().giveEvolutionItem({0, 4, 1}); }));
  EXPECT_EQ(1, drawsMadeBy([] { Evolution().giveEvolutionItem({0, 5, 1}); }));
}

// The genes a creature passes on, as "<expressed>/<from first>/<from
// second>" per skill, then its colour, coat, shine and two-tone alleles.
std::vector<std::string> genes(const Mirl& m) {
  std::vector<std::string> text;
  for (const Stat& s : skills(m)) {
    text.push_back(std::to_string(s.getRank(0)) + "/" +
                   std::to_string(s.getRank(1)) + "/" +
                   std::to_string(s.getRank(2)));
  }
  const Breed b = m.getBreed();
  for (int i : {0, 1}) {
    text.push_back(
        std::to_string(b.getColor(i)) + std::to_string(b.getCoat(i)) +
        std::to_string(b.getShine(i)) + std::to_string(b.getTwotone(i)));
  }
  return text;
}

// A grown parent whose rank genes are `low`, `low` + 1, `low` + 2 in every
// skill and whose alleles differ from the other parent's, so that every
// draw shows in the child.
Mirl parent(int low, const std::string& genotype) {
  std::string record = "Name: P\nAge: 30\nReincarnation: 0\n";
  for (int skill = 0; skill < kSkillCount; ++skill) {
    record += "Skill: 0 1 0\n" + std::to_string(low) + ' ' +
              std::to_string(low + 1) + ' ' + std::to_string(low + 2) + '\n';
  }
  return readFromText<Mirl>(record + "Evolution: 5 0 0 0\n" + genotype);
}

// Saved gardens and reproducible games rely on the order of the draws: for
// each skill in turn, the gene from the first parent, the gene from the
// second, the one expressed; then the genotype. One seed pins them all.
TEST(Mirl, DrawsComeInTheirDocumentedOrder) {
  const Mirl first =
      parent(0, "Color: 1 2\nCoat: 1 2\nShine: 0 0\nTwo-tone: 0 0\n");
  const Mirl second =
      parent(3, "Color: 3 4\nCoat: 3 4\nShine: 1 1\nTwo-tone: 1 1\n");
  const struct {
    std::function<Mirl()> make;
    std::vector<std::string> genes;
  } cases[] = {
      {[] { return Mirl(); },
       {"1/1/1", "0/0/0", "1/1/1", "3/3/3", "4/4/4", "0001", "0001"}},
      {[&] { return Mirl(first, second); },
       {"3/1/3", "4/0/4", "2/2/5", "0/0/5", "5/2/5", "3210", "2301"}},
  };
  for (const auto& c : cases) {
    std::srand(2026);
    EXPECT_EQ(c.genes, genes(c.make()));
  }
}

}  // namespace
