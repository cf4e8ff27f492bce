// Helpers shared by the fuzz targets: a private scratch folder for the files
// a target writes, a sink for the game's console output, and the check that
// a creature holds only values a save file may hold. Whole files are read
// and written with the tests' helpers.

#ifndef TUMBLENOOK_FUZZ_FUZZ_UTIL_H_
#define TUMBLENOOK_FUZZ_FUZZ_UTIL_H_

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <streambuf>
#include <string>

#include "garden.h"
#include "garden_file.h"
#include "mirl.h"
#include "names.h"
#include "safe_text.h"
#include "test_util.h"

namespace fuzz {

// Swallows everything written to it.
class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c == EOF ? 0 : c; }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// Sends the game's console output and its notes on standard error nowhere,
// for the life of the process, so that the fuzzer's own log stays readable.
inline void silenceConsole() {
  static NullBuffer sink;
  std::cout.rdbuf(&sink);
  std::cerr.rdbuf(&sink);
}

// A folder of this process's own under $TMPDIR. libFuzzer ends the process
// without running exit handlers, so whoever sets TMPDIR removes it
// (tools/fuzz.sh points TMPDIR at a scratch folder in memory: saving syncs
// every file, which on a disk would take most of each run).
inline const std::filesystem::path& scratchFolder() {
  static const std::filesystem::path folder = makeTempFolder("tumblenook-fuzz");
  return folder;
}

// Stops the run, with the reason, when `holds` is false; the fuzzer then
// keeps the input as a crash.
inline void require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

constexpr int kMaxLevel = 100;
constexpr int kMaxExperience = 100;
constexpr int kTopRank = 5;
constexpr int kSliderLimit = 50;

inline bool inRange(int value, int low, int high) {
  return value >= low && value <= high;
}

inline bool skillInRange(const Stat& skill) {
  return skill.getPoints() >= 0 && inRange(skill.getLevel(), 0, kMaxLevel) &&
         inRange(skill.getExperience(), 0, kMaxExperience) &&
         inRange(skill.getRank(0), 0, kTopRank) &&
         inRange(skill.getRank(1), 0, kTopRank) &&
         inRange(skill.getRank(2), 0, kTopRank);
}

// True when every value of `creature` lies in the range its save record
// allows, and its name is safe to print: what a freshly loaded creature must
// satisfy.
inline bool creatureInRange(const Mirl& creature) {
  const std::string name = creature.getName();
  if (name.empty() || name.find_first_of(" \t\n\v\f\r") != std::string::npos ||
      !isSafeText(name)) {
    return false;
  }
  const Evolution evolution = creature.getEvolution();
  const Breed genes = creature.getBreed();
  bool genesInRange = true;
  for (int allele = 0; allele < 2; ++allele) {
    genesInRange = genesInRange &&
                   inRange(genes.getColor(allele), 0, COLOR_COUNT - 1) &&
                   inRange(genes.getCoat(allele), 0, COAT_COUNT - 1);
  }
  return creature.getAge() >= 0 && creature.getReincarnations() >= 0 &&
         skillInRange(creature.getSwim()) && skillInRange(creature.getRun()) &&
         skillInRange(creature.getPower()) && skillInRange(creature.getFly()) &&
         skillInRange(creature.getStamina()) &&
         inRange(evolution.getEvolution(), 0, EVOLUTION_COUNT - 1) &&
         inRange(evolution.getHeroDark(), -kSliderLimit, kSliderLimit) &&
         inRange(evolution.getSwimFly(), -kSliderLimit, kSliderLimit) &&
         inRange(evolution.getRunPower(), -kSliderLimit, kSliderLimit) &&
         genesInRange;
}

inline void requireGardenInRange(const Garden& garden) {
  require(garden.emptySlot >= 0 && garden.emptySlot <= CAPACITY,
          "garden count in range");
  for (int slot = 0; slot < garden.emptySlot; ++slot) {
    require(creatureInRange(garden.mirl[slot]), "loaded creature in range");
  }
}

// Saves `garden` to `path`, loads it back and requires the same number of
// creatures, all in range, with nothing left unread.
inline void requireRoundTrip(Garden& garden,
                             const std::filesystem::path& path) {
  const int count = garden.emptySlot;
  require(saveGarden(garden, path.string()), "garden saved");
  garden = Garden();
  std::filesystem::path backup = path;
  backup += ".bak";
  std::filesystem::remove(backup);
  require(loadGarden(garden, path.string()), "saved garden loaded");
  require(!std::filesystem::exists(backup), "saved garden loads whole");
  require(garden.emptySlot == count, "saved garden keeps its creatures");
  requireGardenInRange(garden);
}

}  // namespace fuzz

#endif  // TUMBLENOOK_FUZZ_FUZZ_UTIL_H_
