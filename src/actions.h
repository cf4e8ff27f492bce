// The garden's actions as the rules define them, for every way of playing:
// which kinds of egg there are and what each asks for, whether two
// creatures may breed or one be petted and why not, what a name may be, and
// what hatching, breeding and giving an item do to the garden, with their
// random draws in the order the model makes them. The console and the screen
// each ask their own questions and say things in their own words; what an
// answer does is decided here, once.
//
// An action refused here changes nothing and draws nothing from rand, so a
// refusal costs no randomness whichever way the player plays. None of these
// functions reads input, prints, or passes time: the caller runs the age
// tick (Garden::ageMirl) after every completed choice.

#ifndef TUMBLENOOK_ACTIONS_H_
#define TUMBLENOOK_ACTIONS_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "garden.h"
#include "items.h"
#include "mirl.h"
#include "trade_code.h"

// The longest name a player may give a creature, in bytes; what a name may
// hold besides is safe text (safe_text.h) without blanks.
inline constexpr std::size_t kMaxNameBytes = 64;

// The kinds of egg, numbered as the hatch menu lists them.
enum EggKind { kNormalEgg = 1, kMonotoneEgg, kShinyMonotoneEgg, kJewelEgg };
inline constexpr int kEggKindCount = 4;

// What an egg kind asks for before it hatches.
enum class EggGene { kNone, kColor, kCoat };

// One kind of egg: its name in the hatch menu, its number, and its gene.
struct EggKindInfo {
  const char* name;
  EggKind kind;
  EggGene gene;
};

// Every kind of egg, in menu order.
inline constexpr EggKindInfo EGG_KINDS[kEggKindCount] = {
    {"Normal", kNormalEgg, EggGene::kNone},
    {"Monotone", kMonotoneEgg, EggGene::kColor},
    {"Shiny Monotone", kShinyMonotoneEgg, EggGene::kColor},
    {"Jewel", kJewelEgg, EggGene::kCoat}};

// True when `kind` is the number of a kind of egg.
bool isEggKind(int kind);

// What egg kind `kind` asks for.
// REQUIRES: isEggKind(kind).
EggGene geneOf(int kind);

// Hatches an egg of `kind` into the first empty slot. `gene` is the colour
// or coat that the kind asks for (ignored for a Normal egg); a number
// outside its table becomes 0. Draws one rank per skill. The book counts
// the egg and notes what it shows, as raised.
// REQUIRES: garden.hasRoom(), isEggKind(kind).
void hatchEgg(Garden& garden, int kind, int gene);

// Why two creatures may not breed, in the order the tests are made.
enum class BreedRefusal {
  kNone,          // they may
  kSameCreature,  // the same slot twice
  kNotInGarden,   // a slot that holds no creature
  kChild,         // a parent that has not evolved yet
  kGardenFull,    // no room for the child
};

// Whether the creatures in slots `first` and `second` may breed.
BreedRefusal breedRefusal(const Garden& garden, int first, int second);

// Breeds the creatures in slots `first` and `second` into the first empty
// slot: three draws per skill, then twelve for the genotype. The book
// counts the egg and notes what it shows, as bred.
// REQUIRES: breedRefusal(garden, first, second) == BreedRefusal::kNone.
void breedInGarden(Garden& garden, int first, int second);

// Brings `creature`, read from a code, into the first empty slot; the book
// counts it and notes what it shows, as imported.
// REQUIRES: garden.hasRoom().
void importIntoGarden(Garden& garden, Mirl creature);

// Lets the creature in `slot` leave the garden; the book counts it.
// REQUIRES: garden.isOccupied(slot).
void releaseFromGarden(Garden& garden, int slot);

// True when the creature has evolved into an adult form and so may breed.
bool isGrown(const Mirl& creature);

// Why petting a creature would do nothing: only a Child's alignment moves.
enum class PetRefusal {
  kNone,     // it may be petted
  kEgg,      // not hatched yet
  kGrownUp,  // no longer a child
};

// Whether petting `creature` moves anything.
PetRefusal petRefusal(const Mirl& creature);

// Why a name typed by the player cannot be given.
enum class NameRefusal {
  kNone,     // it can
  kEmpty,    // nothing was typed
  kUnsafe,   // a blank, a control character or text that is not UTF-8
  kTooLong,  // more than kMaxNameBytes bytes
};

// Whether `name` can be given to a creature: one word of safe text
// (safe_text.h), at most kMaxNameBytes bytes.
NameRefusal nameRefusal(std::string_view name);

// The kinds of item, numbered as the give-item menu lists them.
enum ItemKind { kFood = 1, kDrive, kSmallAnimal };

// How many items of `kind` the catalogue lists; 0 for another number.
int itemCount(const ItemCollection& items, int kind);

// The name of item `index` of `kind` as a list shows it: a fruit's or an
// animal's name, or a drive's colour.
// REQUIRES: 0 <= index < itemCount(items, kind).
std::string itemLabel(const ItemCollection& items, int kind, int index);

// Gives `creature` item `index` of `kind` from `items`: a fruit is eaten
// bite by bite; a drive or an animal gives its experience, then pushes the
// sliders (a draw for colours above Purple).
// REQUIRES: 0 <= index < itemCount(items, kind).
void giveFromCatalogue(Mirl& creature, const ItemCollection& items, int kind,
                       int index);

// The code of `creature` (trade_code.h): its save record as the garden file
// holds it. Nothing when the record is too long for a code (a name far
// longer than a player may give). The creature is not changed.
std::optional<std::string> codeOfCreature(const Mirl& creature);

// What a code brought: its fault, or (kNone) the creature it holds, which is
// missing when the record does not load as a whole creature.
struct CodedCreature {
  CodeFault fault = CodeFault::kNone;
  std::optional<Mirl> creature;
};

// The creature that `code` holds, brought into range and its name made safe
// to print, as a creature read from the garden file.
CodedCreature creatureOfCode(std::string_view code);

// Where the sliders of a creature would stand after an item, and the form
// they would pick if it evolved then.
struct SliderOutcome {
  int heroDark = 0;
  int swimFly = 0;
  int runPower = 0;
  int form = 0;  // the adult form (EVOLUTIONS) that evolve() would pick
};

// What giving an item would do to one creature, worked out without giving
// it: nothing is drawn from rand and the creature is not touched.
struct ItemEffect {
  // The experience of each bite, in order: four for a fruit (the last one
  // worth more for some amounts), one for a drive or an animal.
  std::vector<StatItem> bites;
  // The bites together, each sum kept within int.
  StatItem total;
  // The evolution item's colour (ITEM_COLORS); 0 for a fruit, which pushes
  // no slider.
  int colour = 0;
  // The steps a shape slider moves: the item's strength, doubled for a
  // Child.
  int step = 0;
  // True for a Child, whose strength counts double.
  bool doubled = false;
  // True when the colour picks one of the four directions at random.
  bool randomDirection = false;
  // The sliders as they are now, with the form they would pick now.
  SliderOutcome before;
  // The sliders after the item: one outcome, or for a random colour the
  // four equally likely ones (toward Swim, Fly, Run, Power in that order).
  std::vector<SliderOutcome> after;
};

// What item `index` of `kind` from `items` would do to `creature`.
// REQUIRES: 0 <= index < itemCount(items, kind).
ItemEffect itemEffect(const Mirl& creature, const ItemCollection& items,
                      int kind, int index);

#endif  // TUMBLENOOK_ACTIONS_H_
