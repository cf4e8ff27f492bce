#include "items.h"

#include <iostream>
#include <utility>

#include "file_bytes.h"
#include "names.h"
#include "safe_text.h"
#include "text_fields.h"

namespace {

constexpr int kDriveExperience = 24;
constexpr int kDriveStrength = 1;
constexpr int kAnimalStrength = 2;
constexpr int kBitesPerFruit = 4;
constexpr int kHeaderWords = 8;
// Thirty records take a few KiB. Of a longer file only this much is read, so
// that memory stays bounded whatever the file holds.
constexpr std::size_t kMaxCatalogueBytes = std::size_t{64} * 1024;

// Reads a fruit's record from `in` (a stream, or TextFields): name, the
// swim, fly, run, power and stamina amounts, and two numbers not used.
template <typename Input>
ItemRecord readFruitRecord(Input& in) {
  ItemRecord record;
  int unused = 0;
  in >> record.name >> record.swim >> record.fly >> record.run >>
      record.power >> record.stamina >> unused >> unused;
  return record;
}

// Reads an animal's record from `in`: colour, name, the swim, fly, run and
// power amounts, and two numbers not used.
template <typename Input>
ItemRecord readAnimalRecord(Input& in) {
  ItemRecord record;
  int unused = 0;
  in >> record.color >> record.name >> record.swim >> record.fly >>
      record.run >> record.power >> unused >> unused;
  return record;
}

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
                  std::string& problem, ItemRecord (*readRecord)(TextFields&)) {
  const FileBytes file = readFileBytes(path, kMaxCatalogueBytes);
  if (file.error != 0) {
    problem = "cannot read " + path + ": " + describeError(file.error);
    return 0;
  }
  TextFields in(file.bytes);
  std::string header;
  for (int word = 0; word < kHeaderWords; ++word) in >> header;
  int count = 0;
  bool repaired = false;
  while (count < ItemCollection::MAX_ITEMS && in.moreFields()) {
    ItemRecord record = readRecord(in);
    // A record that meets the end of a file cut at the limit may be cut too.
    if (in.failed() || (!file.whole && in.reachedEnd())) break;
    const Item item(std::move(record));
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

Fruit::Fruit(std::istream& in) : Fruit(readFruitRecord(in)) {}

Fruit::Fruit(ItemRecord record)
    : name(std::move(record.name)), bitesLeft(kBitesPerFruit) {
  nameRepaired = makeSafe(name);
  stats = StatItem(record.swim, record.run, record.power, record.fly,
                   record.stamina);
  lastBiteStats =
      StatItem(lastBiteAmount(record.swim), lastBiteAmount(record.run),
               lastBiteAmount(record.power), lastBiteAmount(record.fly),
               lastBiteAmount(record.stamina));
}

StatItem Fruit::getStats() const {
  return bitesLeft == 1 ? lastBiteStats : stats;
}

Animal::Animal() : name("Animal") {}

Animal::Animal(std::ifstream& in) : Animal(static_cast<std::istream&>(in)) {}

Animal::Animal(std::istream& in) : Animal(readAnimalRecord(in)) {}

Animal::Animal(ItemRecord record) : name(std::move(record.name)) {
  nameRepaired = makeSafe(name);
  stats = StatItem(record.swim, record.run, record.power, record.fly, 0);
  evolution = EvolutionItem(0, record.color, kAnimalStrength);
}

ItemCollection::ItemCollection()
    : ItemCollection("fruits.dat", "animals.dat") {}

ItemCollection::ItemCollection(const std::string& fruitsPath,
                               const std::string& animalsPath) {
  for (int kind = 0; kind < DRIVE_COUNT; ++kind)
    drives[kind] = OrvanDrive(kind);
  fruitCount = readCatalogue(fruitsPath, fruits, fruitsNote,
                             readFruitRecord<TextFields>);
  animalCount = readCatalogue(animalsPath, animals, animalsNote,
                              readAnimalRecord<TextFields>);
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
