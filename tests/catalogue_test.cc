// The item catalogue: reading the two data files in any layout, its bounds,
// and its listings.

#include <gtest/gtest.h>

#include <regex>

#include "items.h"
#include "test_util.h"

namespace {

constexpr char kFruits[] = "fruits.dat";
constexpr char kAnimals[] = "animals.dat";
constexpr char kHeader[] = "Name Swim Fly Run Power Stamina Extra1 Extra2\n";
constexpr char kDrives[] =
    "0) none\n1) Yellow\n2) Green\n3) Red\n4) Purple\n5) Blue\n6) Gold\n"
    "7) Black\n";

// A fruit giving `n` swim, `n` power and `-n` stamina a bite.
std::string fruit(const std::string& name, int n) {
  const std::string amount = std::to_string(n);
  return name + " " + amount + " 0 0 " + amount + " -" + amount + " 0 0\n";
}

TEST(Catalogue, ReadsRecordsInFileOrderWhateverTheLayout) {
  TempDir dir;
  const std::string file =
      kHeader + fruit("A", 1) + fruit("B", 2) + fruit("C", 3);
  for (const std::string& text : {
           file,
           std::regex_replace(file, std::regex("\n"), " "),
           std::regex_replace(file, std::regex(" 0 0 "), "\n0\t0 "),
           file.substr(0, file.size() - 1),
           file + "D 1 2 x 4 5 0 0\n" + fruit("E", 5),
           file + "D 1 2 2147483648 4 5 0 0\n" + fruit("E", 5),
           file + "D 1 2",
       }) {
    writeFile(kFruits, text);
    const ItemCollection items(kFruits, kAnimals);
    EXPECT_EQ("0) A\n1) B\n2) C\n", printedBy([&] { items.printFruits(); }))
        << text;
    EXPECT_EQ(3, items.getFruit(2).getStats().getPower());
    EXPECT_EQ(-3, items.getFruit(2).getStats().getStamina());
    EXPECT_EQ(kDrives, printedBy([&] { items.printOrvanDrives(); }));
  }
  writeFile(kAnimals,
            "C N S F R P E1 E2 4 Moth 0 12 3 0 0 0 2 Newt 5 0 0 0 0 0");
  const ItemCollection items(kFruits, kAnimals);
  EXPECT_EQ("0) Moth\n1) Newt\n", printedBy([&] { items.printAnimals(); }));
  EXPECT_EQ(12, items.getAnimal(0).getStats().getFly());
  EXPECT_EQ(4, items.getAnimal(0).getEvolution().getColor());
}

TEST(Catalogue, KeepsAtMostThirtyEntries) {
  TempDir dir;
  std::string text = kHeader;
  for (int i = 0; i <= ItemCollection::MAX_ITEMS; ++i) {
    text += fruit("F" + std::to_string(i), i);
  }
  writeFile(kFruits, text);
  const ItemCollection items(kFruits, kAnimals);
  EXPECT_EQ(ItemCollection::MAX_ITEMS, items.getFruitCount());
  const std::string listed = printedBy([&] { items.printFruits(); });
  EXPECT_EQ("29) F29\n", listed.substr(listed.rfind("29)")));
}

TEST(Catalogue, MissingFilesLeaveOnlyTheDrives) {
  TempDir dir;
  const ItemCollection items(kFruits, kAnimals);
  EXPECT_EQ(0, items.getFruitCount());
  EXPECT_EQ(0, items.getAnimalCount());
  EXPECT_EQ(kDrives, printedBy([&] { items.printOrvanDrives(); }));
  EXPECT_EQ(6, items.getOrvanDrive(6).getEvolution().getColor());
  // Indices outside the listings give default items, which have no effect.
  for (int i : {-1, 0, ItemCollection::MAX_ITEMS}) {
    EXPECT_EQ(0, items.getFruit(i).getBitesLeft()) << i;
    EXPECT_EQ(0, items.getAnimal(i).getEvolution().getStrength()) << i;
  }
  EXPECT_EQ(0, items.getOrvanDrive(-1).getStats().getSwim());
  EXPECT_EQ(0, items.getOrvanDrive(ItemCollection::DRIVE_COUNT)
                   .getEvolution()
                   .getColor());
}

}  // namespace
