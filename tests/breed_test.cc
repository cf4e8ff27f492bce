#include "breed.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <utility>

#include "names.h"
#include "test_util.h"

namespace {

Breed load(const std::string& section) { return readFromText<Breed>(section); }

std::string phenotype(const Breed& b) {
  return printedBy([&] { b.printPhenotype(); });
}

std::string genotype(const Breed& b) {
  return printedBy([&] { b.printGenotype(); });
}

TEST(Breed, PrintsAppearanceAndAllelePairsWithinTheTables) {
  const std::pair<Breed, const char*> appearances[] = {
      {Breed(), "Two-Tone Normal\n"},
      {Breed(4, 0, true, false), "Shiny monotone Sky Blue\n"},
      {Breed(0, 1, false, true), "Gold\n"},
      {Breed(0, 5, true, false), "Shiny  Emerald\n"},
      // Unchecked hatch values show as validation would repair them.
      {Breed(99, 0, false, false), "monotone Normal\n"},
      {Breed(0, -3, true, true), "Shiny Two-Tone Normal\n"}};
  for (const auto& a : appearances) EXPECT_EQ(a.second, phenotype(a.first));
  EXPECT_EQ(
      "Color: Normal Normal\nCoat: None None\nShine: 0 0\nTwo-Tone: 1 1\n",
      genotype(Breed()));
  EXPECT_EQ(
      "Color: Normal Normal\nCoat: None None\nShine: 1 1\nTwo-Tone: 0 0\n",
      genotype(Breed(15, 18, true, false)));
  const Breed loaded =
      load("Color: 15 14\nCoat: -1 13\nShine: 0 1\nTwo-tone: 1 0\n");
  EXPECT_EQ("Two-Tone Normal\n", phenotype(loaded));
  EXPECT_EQ(
      "Color: Normal Invisible\nCoat: None Metal \nShine: 0 1\nTwo-Tone: 1 0\n",
      genotype(loaded));
  EXPECT_FALSE(loaded.isPure());
  EXPECT_TRUE(Breed(3, 7, true, false).isPure());
}

TEST(Breed, ChildTakesOneRandomAlleleFromEachParentPerTrait) {
  const Breed first = load("Color: 1 2 Coat: 3 4 Shine: 0 0 Two-tone: 1 1");
  const Breed second = load("Color: 5 6 Coat: 7 8 Shine: 1 1 Two-tone: 0 0");
  const Breed pure(3, 7, true, false);
  std::set<int> shown, carried;
  std::set<std::string> goldLooks;
  for (int seed = 0; seed < 200; ++seed) {
    srand(seed);
    const Breed child(first, second);
    EXPECT_NE(child.getColor(0) < 5, child.getColor(1) < 5);
    EXPECT_NE(child.getCoat(0) < 7, child.getCoat(1) < 7);
    EXPECT_NE(child.getShine(0), child.getShine(1));
    EXPECT_NE(child.getTwotone(0), child.getTwotone(1));
    shown.insert(child.getColor(0));
    carried.insert(child.getColor(1));
    EXPECT_EQ(genotype(pure), genotype(Breed(pure, pure)));
    const Breed halfGold(Breed(0, 1, false, true), Breed());
    EXPECT_EQ(1, halfGold.getCoat(0) + halfGold.getCoat(1));
    EXPECT_FALSE(halfGold.isPure());
    goldLooks.insert(phenotype(halfGold));
  }
  EXPECT_EQ((std::set<int>{1, 2, 5, 6}), shown);
  EXPECT_EQ(shown, carried);
  EXPECT_EQ((std::set<std::string>{"Gold\n", "Two-Tone Normal\n"}), goldLooks);
}

TEST(Breed, ChoiceListsNumberEveryTableEntry) {
  const std::string colors = printedBy([] { printColors(); });
  EXPECT_EQ(0u, colors.find("0) Normal\n1) Yellow\n"));
  EXPECT_EQ("13) Black\n14) Invisible\n",
            colors.substr(colors.find("\n13)") + 1));
  const std::string coats = printedBy([] { printCoats(); });
  EXPECT_NE(std::string::npos, coats.find("\n5)  Emerald\n6)  Amethyst\n"));
  EXPECT_EQ("13) Metal \n14) Metal \n15) Glass\n16) Moon\n17) Rare\n",
            coats.substr(coats.find("\n13)") + 1));
}

TEST(NameTables, KeepTheirSpellingAndFallBackToEntryZero) {
  EXPECT_STREQ("none", ITEM_COLORS[0]);
  EXPECT_STREQ("Fly/Neutral", EVOLUTIONS[11]);
  EXPECT_STREQ("Pella", tableEntry(EVOLUTIONS, 25));
  EXPECT_STREQ("Child", tableEntry(EVOLUTIONS, 26));
  EXPECT_STREQ("Normal", tableEntry(COLORS, -1));
  EXPECT_STREQ("None", tableEntry(COATS, 18));
}

}  // namespace
