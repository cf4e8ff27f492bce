#include "items.h"

#include <iostream>
#include <sstream>

#include "file_bytes.h"
#include "names.h"
#include "safe_text.h"

namespace {

constexpr int kDriveExperience = 24;
constexpr int kDriveStrength = 1;
constexpr int kAnimalStrength = 2;
constexpr int kBitesPerFruit = 4;
constexpr int kHeaderWords = 8;
// Thirty records take a few KiB. Of a longer file only this much is read, so
// that memory stays bounded whatever the file holds.
constexpr std::size_t kMaxCatalogueBytes = std::size_t{64} * 1024;

// The amounts of a catalogue record, in the order the files list them.
struct FileAmounts {
  int swim = 0;
  int fly = 0;
  int run = 0;
  int power = 0;
  int stamina = 0;
};

// The last bite of a fruit is worth more for amounts of 2, 7 and 12.
int lastBiteAmount(int amount) {
  switch (amount) {
    case 2:
    case 7:
    case 12:
      return amount + 2;
    case -2:
    case -7:
    case -12:
      return amount - 2;
    default:
      return amount;
  }
}

StatItem driveStats(int kind) {
  const int x = kDriveExperience;
  switch (kind) {
    case 1:  // Yellow
      return StatItem(x, 0, 0, 0, 0);
    case 2:  // Green
      return StatItem(0, x, 0, 0, 0);
    case 3:  // Red
      return StatItem(0, 0, x, 0, 0);
    case 4:  // Purple
      return StatItem(0, 0, 0, x, 0);
    case 5:  // Blue
      return StatItem(0, 0, 0, 0, x);
    case 6:  // Gold
      return StatItem(x, x, x, x, x);
    case 7:  // Black
      return StatItem(-x, -x, -x, -x, -x);
    default:
      return StatItem();
  }
}

// Reads the records of one catalogue file into `items`, in file order, and
// returns how many were read. A header cut short, or a record that does not
// parse ends the reading; the records before it are kept, and so is a
// complete last record with no line end after it. A file that cannot be read
// (missing, not a regular file, a read error) gives no records, and
// `problem` says why; it also notes names unsafe to print, which the items
// repaired.
template <typename Item>
int readCatalogue(const std::string& path,
                  Item (&items)[ItemCollection::MAX_ITEMS],
                  std::string& problem) {
  const FileBytes file = readFileBytes(path, kMaxCatalogueBytes);
  if (file.error != 0) {
    problem = "cannot read " + path + ": " + describeError(file.error);
    return 0;
  }
  std::istringstream in(file.bytes);
  std::string header;
  for (int word = 0; word < kHeaderWords; ++word) in >> header;
  int count = 0;
  bool repaired = false;
  while (count < ItemCollection::MAX_ITEMS && (in >> std::ws) && !in.eof()) {
    Item item(in);
    // A record that meets the end of a file cut at the limit may be cut too.
    if (in.fail() || (!file.whole && in.eof())) break;
    repaired = repaired || item.wasNameRepaired();
    items[count++] = item;
  }
  if (repaired) {
    problem = path + " holds names unsafe to print; they are shown with \"" +
              kUnsafeStandIn + "\" in place of each unsafe character";
  }
  return count;
}

template <typename Item>
void printNames(std::ostream& out, const Item* items, int count) {
  for (int i = 0; i < count; ++i) {
    out << i << ") " << items[i].getName() << std::endl;
  }
}

}  // namespace

StatItem::StatItem() : StatItem(0, 0, 0, 0, 0) {}

StatItem::StatItem(int swim, int run, int power, int fly, int stamina)
    : amounts{swim, run, power, fly, stamina} {}

EvolutionItem::EvolutionItem() : EvolutionItem(0, 0, 0) {}

EvolutionItem::EvolutionItem(int alignment, int color, int strength)
    : alignment(alignment), color(color), strength(strength) {}

OrvanDrive::OrvanDrive() = default;

OrvanDrive::OrvanDrive(int kind)
    : stats(driveStats(kind)), evolution(0, kind, kDriveStrength) {}

Fruit::Fruit() : name("Fruit"), bitesLeft(0) {}

Fruit::Fruit(std::ifstream& in) : Fruit(static_cast<std::istream&>(in)) {}

Fruit::Fruit(std::istream& in) : bitesLeft(kBitesPerFruit) {
  FileAmounts a;
  int unused = 0;
  in >> name >> a.swim >> a.fly >> a.run >> a.power >> a.stamina >> unused >>
      unused;
  nameRepaired = makeSafe(name);
  stats = StatItem(a.swim, a.run, a.power, a.fly, a.stamina);
  lastBiteStats = StatItem(lastBiteAmount(a.swim), lastBiteAmount(a.run),
                           lastBiteAmount(a.power), lastBiteAmount(a.fly),
                           lastBiteAmount(a.stamina));
}

StatItem Fruit::getStats() const {
  return bitesLeft == 1 ? lastBiteStats : stats;
}

Animal::Animal() : name("Animal") {}

Animal::Animal(std::ifstream& in) : Animal(static_cast<std::istream&>(in)) {}

Animal::Animal(std::istream& in) {
  FileAmounts a;
  int color = 0;
  int unused = 0;
  in >> color >> name >> a.swim >> a.fly >> a.run >> a.power >> unused >>
      unused;
  nameRepaired = makeSafe(name);
  stats = StatItem(a.swim, a.run, a.power, a.fly, 0);
  evolution = EvolutionItem(0, color, kAnimalStrength);
}

ItemCollection::ItemCollection()
    : ItemCollection("fruits.dat", "animals.dat") {}

ItemCollection::ItemCollection(const std::string& fruitsPath,
                               const std::string& animalsPath) {
  for (int kind = 0; kind < DRIVE_COUNT; ++kind)
    drives[kind] = OrvanDrive(kind);
  fruitCount = readCatalogue(fruitsPath, fruits, fruitsNote);
  animalCount = readCatalogue(animalsPath, animals, animalsNote);
}

OrvanDrive ItemCollection::getOrvanDrive(int i) const {
  return (i >= 0 && i < DRIVE_COUNT) ? drives[i] : OrvanDrive();
}

Fruit ItemCollection::getFruit(int i) const {
  return (i >= 0 && i < fruitCount) ? fruits[i] : Fruit();
}

Animal ItemCollection::getAnimal(int i) const {
  return (i >= 0 && i < animalCount) ? animals[i] : Animal();
}

void ItemCollection::printOrvanDrives(std::ostream& out) const {
  for (int kind = 0; kind < DRIVE_COUNT; ++kind) {
    out << kind << ") " << ITEM_COLORS[kind] << std::endl;
  }
}

void ItemCollection::printFruits(std::ostream& out) const {
  printNames(out, fruits, fruitCount);
}

void ItemCollection::printAnimals(std::ostream& out) const {
  printNames(out, animals, animalCount);
}
