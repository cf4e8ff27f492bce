// Fuzzes the item catalogue: the bytes before the first line "%%" become
// "fruits.dat" and those after it "animals.dat" (without the line, both files
// get the whole input). The catalogue must stay within its bounds, list its
// entries, and hand out every entry, and entries past the listing, without
// fault; every item is then given to a creature.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "fuzz_util.h"
#include "items.h"
#include "mirl.h"
#include "test_util.h"

namespace {

constexpr char kSeparator[] = "%%\n";

void giveEverything(const ItemCollection& items) {
  Mirl creature;
  for (int i = -1; i <= ItemCollection::DRIVE_COUNT; ++i) {
    const OrvanDrive drive = items.getOrvanDrive(i);
    creature.giveStatItem(drive.getStats());
    creature.giveEvolutionItem(drive.getEvolution());
  }
  for (int i = -1; i <= items.getFruitCount(); ++i) {
    creature.giveFruit(items.getFruit(i));
  }
  for (int i = -1; i <= items.getAnimalCount(); ++i) {
    const Animal animal = items.getAnimal(i);
    creature.giveStatItem(animal.getStats());
    creature.giveEvolutionItem(animal.getEvolution());
  }
  creature.validate();
  creature.printStats();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::silenceConsole();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::string::size_type split = input.find(kSeparator);
  const bool both = split == std::string::npos;
  const std::filesystem::path& folder = fuzz::scratchFolder();
  const std::filesystem::path fruits = folder / "fruits.dat";
  const std::filesystem::path animals = folder / "animals.dat";
  const std::string fruitText = both ? input : input.substr(0, split);
  const std::string animalText =
      both ? input : input.substr(split + sizeof kSeparator - 1);
  fuzz::require(writeFile(fruits, fruitText) && writeFile(animals, animalText),
                "catalogue written");

  const ItemCollection items(fruits.string(), animals.string());
  fuzz::require(
      fuzz::inRange(items.getFruitCount(), 0, ItemCollection::MAX_ITEMS),
      "fruit count in range");
  fuzz::require(
      fuzz::inRange(items.getAnimalCount(), 0, ItemCollection::MAX_ITEMS),
      "animal count in range");
  items.printOrvanDrives();
  items.printFruits();
  items.printAnimals();
  giveEverything(items);
  return 0;
}
