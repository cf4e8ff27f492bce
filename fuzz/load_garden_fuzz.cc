// Fuzzes the whole load of a garden: the bytes become a save file, which is
// loaded into an empty garden. Whatever the file holds, every creature
// loaded must be in range; a file that is not loaded whole must be kept,
// byte for byte, as "<file>.bak"; and the loaded garden must save and load
// back whole, to the same bytes.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "fuzz_util.h"
#include "garden.h"
#include "garden_file.h"
#include "test_util.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::silenceConsole();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::filesystem::path& folder = fuzz::scratchFolder();
  const std::filesystem::path file = folder / "mirl.dat";
  const std::filesystem::path backup = folder / "mirl.dat.bak";
  std::filesystem::remove(backup);
  const std::string input(reinterpret_cast<const char*>(data), size);
  fuzz::require(writeFile(file, input), "save file written");

  Garden garden;
  fuzz::require(loadGarden(garden, file.string()), "load reports success");
  fuzz::requireGardenInRange(garden);
  if (std::filesystem::exists(backup)) {
    fuzz::require(readFile(backup) == input, "backup is the original");
  }

  const std::filesystem::path saved = folder / "saved.dat";
  fuzz::requireRoundTrip(garden, saved);
  const std::string firstSave = readFile(saved);
  fuzz::require(saveGarden(garden, saved.string()), "garden saved again");
  fuzz::require(readFile(saved) == firstSave, "saving is stable");
  return 0;
}
