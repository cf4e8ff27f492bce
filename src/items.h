// The items a player gives a creature, and the catalogue that lists them.
//
// Every item is made of one or two effects: a StatItem (experience for each
// of the five skills) and an EvolutionItem (a push on the evolution
// sliders). An OrvanDrive carries both and is built from its kind by a fixed
// table; a Fruit carries two StatItems, one for its last bite, and counts its
// bites; an Animal carries both effects. Fruits and animals are read from the
// catalogue files "fruits.dat" and "animals.dat".
//
// All item classes are plain values, copyable on purpose: the catalogue hands
// out copies, and a creature eats a copy of a fruit, so the catalogue's own
// entries never change.

#ifndef TUMBLENOOK_ITEMS_H_
#define TUMBLENOOK_ITEMS_H_

#include <fstream>
#include <iostream>
#include <string>

#include "names.h"

// Experience for each skill, in the creature's skill order.
class StatItem {
 public:
  // No experience for any skill.
  StatItem();
  StatItem(int swim, int run, int power, int fly, int stamina);

  int getSwim() const { return amounts[kSwim]; }
  int getRun() const { return amounts[kRun]; }
  int getPower() const { return amounts[kPower]; }
  int getFly() const { return amounts[kFly]; }
  int getStamina() const { return amounts[kStamina]; }
  // The experience for `skill`.
  int getAmount(Skill skill) const { return amounts[skill]; }

 private:
  int amounts[kSkillCount];
};

// A push on the evolution sliders: `color` (an ITEM_COLORS index) picks the
// slider and direction, `strength` the number of steps, and `alignment` moves
// the Hero-Dark slider of a creature in form 2.
class EvolutionItem {
 public:
  // No alignment, colour 0 ("none"), strength 0.
  EvolutionItem();
  EvolutionItem(int alignment, int color, int strength);

  int getAlignment() const { return alignment; }
  int getColor() const { return color; }
  int getStrength() const { return strength; }

 private:
  int alignment;
  int color;
  int strength;
};

// An Orvan Drive. Its kind is also the colour of its evolution item, so kinds
// 1 to 5 train one skill each (swim, run, power, fly, stamina), Gold trains
// all, Black untrains all, and each pushes the sliders by its colour.
class OrvanDrive {
 public:
  // No experience; evolution item (0, 0, 0).
  OrvanDrive();
  // The drive of `kind`; kinds outside 1 to 7 give no experience.
  explicit OrvanDrive(int kind);

  StatItem getStats() const { return stats; }
  EvolutionItem getEvolution() const { return evolution; }

 private:
  StatItem stats;
  EvolutionItem evolution;
};

// The fields of one record of a catalogue file, as the files give them: a
// fruit's or an animal's own fields. `color` is an animal's, `stamina` a
// fruit's.
struct ItemRecord {
  std::string name;
  int color = 0;
  int swim = 0;
  int fly = 0;
  int run = 0;
  int power = 0;
  int stamina = 0;
};

// A fruit, eaten in bites. Every bite but the last gives `stats`; the last
// gives `lastBiteStats`, in which amounts of 2, 7 and 12 (and their
// negatives) are two further from zero.
class Fruit {
 public:
  // "Fruit", with no bites left.
  Fruit();

  // Reads one fruit record: name, then swim, fly, run, power and stamina
  // amounts, then two numbers that are not used. Four bites. A name unsafe
  // to print is repaired (safe_text.h). The caller tests the stream to learn
  // whether a whole record was there.
  explicit Fruit(std::istream& in);
  // The same, from a file stream.
  explicit Fruit(std::ifstream& in);
  // The fruit of the fields of its record, repaired and bitten as above.
  explicit Fruit(ItemRecord record);

  std::string getName() const { return name; }
  // True when the name read was unsafe to print and had to be repaired.
  bool wasNameRepaired() const { return nameRepaired; }
  int getBitesLeft() const { return bitesLeft; }
  // The experience of the bite at hand: lastBiteStats when one bite is left.
  StatItem getStats() const;
  void takeABite() { --bitesLeft; }

 private:
  std::string name;
  StatItem stats;
  StatItem lastBiteStats;
  int bitesLeft;
  bool nameRepaired = false;
};

// A small animal: experience for swim, fly, run and power (never stamina) and
// an evolution item of its colour with strength 2.
class Animal {
 public:
  // "Animal", with no effect.
  Animal();

  // Reads one animal record: colour, name, then swim, fly, run and power
  // amounts, then two numbers that are not used. A name unsafe to print is
  // repaired. The caller tests the stream.
  explicit Animal(std::istream& in);
  // The same, from a file stream.
  explicit Animal(std::ifstream& in);
  // The animal of the fields of its record, repaired as above.
  explicit Animal(ItemRecord record);

  std::string getName() const { return name; }
  // True when the name read was unsafe to print and had to be repaired.
  bool wasNameRepaired() const { return nameRepaired; }
  StatItem getStats() const { return stats; }
  EvolutionItem getEvolution() const { return evolution; }

 private:
  std::string name;
  StatItem stats;
  EvolutionItem evolution;
  bool nameRepaired = false;
};

// The catalogue of one give-item action: the eight drives, and up to 30
// fruits and 30 animals read from the data files. A file that is missing,
// is not a regular file or cannot be read gives no entries, and the reason
// is kept, and so is a note when names unsafe to print were repaired;
// reading stops at the first record that does not parse
// and after the 30th, keeping the records before. Listings number entries
// from 0, and that number is the index the getters take.
class ItemCollection {
 public:
  static constexpr int DRIVE_COUNT = 8;
  static constexpr int MAX_ITEMS = 30;

  // Reads "fruits.dat" and "animals.dat" from the working directory.
  ItemCollection();
  // Reads the two catalogue files at the given paths.
  ItemCollection(const std::string& fruitsPath, const std::string& animalsPath);

  // Copies of one entry. An index outside the listing gives a default item,
  // which has no effect.
  OrvanDrive getOrvanDrive(int i) const;
  Fruit getFruit(int i) const;
  Animal getAnimal(int i) const;

  int getFruitCount() const { return fruitCount; }
  int getAnimalCount() const { return animalCount; }

  // Why a catalogue file gave no entries because it could not be read
  // ("cannot read fruits.dat: ..."), or that names unsafe to print in it
  // were repaired; empty when it was read and every name was safe.
  std::string getFruitsNote() const { return fruitsNote; }
  std::string getAnimalsNote() const { return animalsNote; }

  // Numbered listings to `out`, one line an entry.
  void printOrvanDrives(std::ostream& out = std::cout) const;
  void printFruits(std::ostream& out = std::cout) const;
  void printAnimals(std::ostream& out = std::cout) const;

 private:
  OrvanDrive drives[DRIVE_COUNT];
  Fruit fruits[MAX_ITEMS];
  Animal animals[MAX_ITEMS];
  int fruitCount;
  int animalCount;
  std::string fruitsNote;
  std::string animalsNote;
};

#endif  // TUMBLENOOK_ITEMS_H_
