// A Mirl is one creature of the garden: a name, an age in "mirl hours", a
// count of reincarnations, five skills (swim, run, power, fly, stamina), an
// evolution state and a genotype.
//
// Mirl is a plain value type, copyable on purpose: the garden holds its
// creatures by value in fixed slots, and breeding works on copies of the
// parents. Every operation that walks the skills does so in the order swim,
// run, power, fly, stamina.

#ifndef TUMBLENOOK_MIRL_H_
#define TUMBLENOOK_MIRL_H_

#include <array>
#include <fstream>
#include <string>

#include "breed.h"
#include "evolution.h"
#include "items.h"
#include "names.h"
#include "stat.h"

// The ages of a creature's life, in mirl hours: it evolves into its adult
// form when it turns kEvolveAge and is reborn as an egg when it turns
// kReincarnateAge.
inline constexpr int kEvolveAge = 20;
inline constexpr int kReincarnateAge = 50;

class Mirl {
 public:
  // Hatches an unnamed ("_") egg with the default genotype. Draws one random
  // rank per skill, in skill order.
  Mirl();

  // Hatches an unnamed egg whose genotype holds the given values in both
  // alleles of each trait.
  Mirl(int color, int coat, bool shine, bool twotone);

  // Breeds an unnamed egg from copies of two parents: three draws per skill
  // in skill order, then twelve for the genotype.
  Mirl(Mirl first, Mirl second);

  // Reads one creature record of the save file and brings every value into
  // range, the name made safe to print. The caller tests the stream: a record
  // that does not parse leaves it failed.
  explicit Mirl(std::istream& in);
  // The same, from a file stream.
  explicit Mirl(std::ifstream& in);

  std::string getName() const { return name; }
  int getAge() const { return age; }
  int getReincarnations() const { return reincarnations; }
  Stat getSwim() const { return skills[kSwim]; }
  Stat getRun() const { return skills[kRun]; }
  Stat getPower() const { return skills[kPower]; }
  Stat getFly() const { return skills[kFly]; }
  Stat getStamina() const { return skills[kStamina]; }
  // The skill `skill`.
  Stat getSkill(Skill skill) const { return skills[skill]; }
  Evolution getEvolution() const { return evolution; }
  Breed getBreed() const { return breed; }
  // True when validation had to repair this creature's name because it was
  // unsafe to print, so that a loader can tell the player and keep the
  // original file.
  bool wasNameRepaired() const { return nameRepaired; }

  // Evolves into the form the sliders pick and raises the rank of the skill
  // of that form's family.
  void evolve();

  // Starts the next life: age 0, one more reincarnation, skills back to level
  // 1 with a tenth of their points, egg form.
  void reincarnate();

  // Names the creature. The console lets only names safe to print through.
  void setName(std::string newName);

  // One hour older.
  void increaseAge();

  // Writes the five labelled skill lines to `out`.
  void printStats(std::ostream& out = std::cout) const;

  // Passes a pat with the given alignment on to the evolution state.
  void pet(int alignment);

  // Eats the whole of a copy of `fruit`, one stat item a bite.
  void giveFruit(Fruit fruit);

  // Gives each skill its share of experience, in skill order.
  void giveStatItem(StatItem item);

  // Passes an evolution item on to the evolution state.
  void giveEvolutionItem(EvolutionItem item);

  // A name unsafe to print is repaired (safe_text.h); an empty or one-blank
  // name becomes "_"; a negative age or count of reincarnations becomes 0.
  void validate();

  // Validates, then writes the creature's 18-line save record.
  void save(std::ostream& out);
  // The same, to a file stream.
  void save(std::ofstream& out);

 private:
  std::string name;
  int age;
  int reincarnations;
  std::array<Stat, kSkillCount> skills;  // indexed by Skill
  Evolution evolution;
  Breed breed;
  bool nameRepaired = false;
};

#endif  // TUMBLENOOK_MIRL_H_
