// Fuzzes the console: the bytes are what the player types at the main menu
// of a small garden (two adults that can breed, one of them five hours from
// reincarnation, and a creature in the child form, in which petting counts,
// that evolves after 15 choices). Every input must end the menu by
// itself, never shrink the garden, and leave a garden that saves and loads
// back whole with every value in range.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>

#include "console.h"
#include "fuzz_util.h"
#include "garden.h"
#include "garden_file.h"
#include "test_util.h"

namespace {

constexpr int kGardenSize = 3;
constexpr unsigned kSeed = 1;

constexpr char kGarden[] =
    "Name: Pip\nAge: 45\nReincarnation: 1\n"
    "Swim: 40 3 20\n2 2 1\nRun: 12 1 0\n0 1 0\nPower: 0 0 50\n1 1 1\n"
    "Fly: 5 1 99\n3 3 4\nStamina: 30 2 10\n5 5 5\n"
    "Evolution: 8 -30 0 0\nColor: 4 9\nCoat: 0 3\nShine: 0 1\n"
    "Two-tone: 1 0\n"
    "Name: Rok\nAge: 30\nReincarnation: 0\n"
    "Swim: 0 0 0\n0 0 0\nRun: 0 0 0\n1 1 1\nPower: 90 7 80\n4 3 4\n"
    "Fly: 0 0 0\n0 0 0\nStamina: 0 0 0\n2 2 2\n"
    "Evolution: 17 40 0 0\nColor: 0 0\nCoat: 5 5\nShine: 1 1\n"
    "Two-tone: 0 0\n"
    "Name: Kit\nAge: 5\nReincarnation: 0\n"
    "Swim: 0 0 0\n0 0 0\nRun: 0 0 0\n0 0 0\nPower: 0 0 0\n0 0 0\n"
    "Fly: 0 0 0\n0 0 0\nStamina: 0 0 0\n0 0 0\n"
    "Evolution: 2 3 20 -10\nColor: 14 1\nCoat: 0 0\nShine: 0 0\n"
    "Two-tone: 1 1\n";

constexpr char kFruits[] =
    "Name Swim Fly Run Power Stamina Sweet Juice\n"
    "Kelpberry 12 0 2 0 5 1 3\nGoldpeach 12 12 12 12 12 5 5\n"
    "Sourbramble -7 -2 -7 -2 -12 0 2\n";

constexpr char kAnimals[] =
    "Color Name Swim Fly Run Power Size Speed\n"
    "1 Minnow 12 0 2 0 1 3\n6 Goldfinch 6 6 6 6 2 4\n0 Snail 2 2 2 2 1 0\n";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::silenceConsole();
  const std::filesystem::path& folder = fuzz::scratchFolder();
  fuzz::require(writeFile(folder / "garden.txt", kGarden) &&
                    writeFile(folder / "fruits.dat", kFruits) &&
                    writeFile(folder / "animals.dat", kAnimals),
                "starting files written");
  // The give-item action reads the catalogue from the working folder.
  std::filesystem::current_path(folder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Garden garden;
  fuzz::require(
      loadGarden(garden, "garden.txt") && garden.emptySlot == kGardenSize,
      "starting garden loaded");
  std::srand(kSeed);

  std::istringstream typed(
      std::string(reinterpret_cast<const char*>(data), size));
  std::streambuf* const keyboard = std::cin.rdbuf(typed.rdbuf());
  std::cin.clear();
  userInterface(garden);
  std::cin.rdbuf(keyboard);

  fuzz::require(garden.emptySlot >= kGardenSize, "no creature lost");
  fuzz::requireRoundTrip(garden, "played.dat");
  return 0;
}
