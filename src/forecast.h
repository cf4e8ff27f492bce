// Forecasts: what a creature will become, worked out exactly from the rules
// that decide it, without drawing a single random number, so that the random
// sequence of the game stays as it was.
//
// Breeding: every appearance a child of two genotypes can have, and the
// chance that it is purebred, exact for the draws that Breed(first, second)
// makes. Each of the four traits takes three fair draws (which parent gives
// slot 0, which of its alleles, which allele of the other parent goes to
// slot 1), so a child is one of kForecastOutcomes equally likely outcomes and
// every chance is a count of them. Appearances and purity come from Breed's
// own getPhenotype() and isPure(). The breeding planner counts, the same way,
// the children that meet a goal (a colour, a coat, shiny, two-tone,
// purebred) for every pair of grown creatures, and ranks the pairs. The
// chances do not depend on which parent comes first: the first draw of each
// trait picks either parent with the same chance.
//
// Evolution: by a creature's age, what the garden's clock does to it next.
// Before it evolves, the adult form that adultForm() would pick from its
// sliders as they stand, and for each shape (Swim, Fly, Run, Power) how far
// it is from it and which item of the catalogue would take it there soonest;
// once grown, the hours until it is reborn, keeping its alignment.

#ifndef TUMBLENOOK_FORECAST_H_
#define TUMBLENOOK_FORECAST_H_

#include <optional>
#include <string>
#include <vector>

#include "breed.h"
#include "evolution.h"
#include "items.h"
#include "mirl.h"

// Outcomes of the three draws of one trait.
inline constexpr int kTraitDrawOutcomes = 2 * 2 * 2;
// Outcomes of all draws of a child: colour, coat, shine, two-tone.
inline constexpr int kForecastOutcomes =
    kTraitDrawOutcomes * kTraitDrawOutcomes * kTraitDrawOutcomes *
    kTraitDrawOutcomes;

// One appearance of the child and its chance, in outcomes of
// kForecastOutcomes.
struct ForecastLook {
  std::string looks;  // in the words of the forecast's LooksNamer
  int chance = 0;
};

// What a child of two genotypes can be.
struct BreedingForecast {
  // Every appearance with a chance above 0, most likely first, equal chances
  // in the order of their text; the chances add up to kForecastOutcomes.
  std::vector<ForecastLook> appearances;
  // Outcomes of kForecastOutcomes in which the child is purebred.
  int pureChance = 0;
};

// Words for the looks of a child: children whose words are the same are
// one appearance of a forecast.
using LooksNamer = std::string (*)(const Breed& child);

// The forecast for the child Breed(first, second) would make, its looks in
// the words of `namer`, Breed::getPhenotype() when null.
BreedingForecast forecastBreeding(const Breed& first, const Breed& second,
                                  LooksNamer namer = nullptr);

// `chance`, in outcomes of kForecastOutcomes, as a percentage for display with
// one decimal and a percent sign, rounded to the nearest tenth, halves up:
// 2048 gives "50.0%", 256 (6.25) gives "6.3%". Each chance rounds on its own,
// so the shown percentages of a forecast need not add up to exactly 100.0.
// No chance of a forecast above 0 lies below 16 outcomes ("0.4%"), so none
// shows as "0.0%". A chance outside 0 to kForecastOutcomes is clamped.
std::string chancePercent(int chance);

// The egg a player wants. Every part set must hold; an empty goal is met by
// every child. Parts are read from what the child shows (its appearance):
// a coat other than "None" hides colour and two-tone, so a goal of a colour
// or of two-tone is met only without a coat, and together with a coat other
// than 0 by no child at all. Entries of the same name look alike, so coats
// 13 and 14, both "Metal ", meet a goal of either.
struct BreedingGoal {
  std::optional<int> color;  // the COLORS index the child shows
  std::optional<int> coat;   // the COATS index it shows; 0: no coat shows
  bool shiny = false;        // it shows "Shiny"
  bool twoTone = false;      // it shows "Two-Tone"
  bool purebred = false;     // Breed::isPure()
};

// True when `child` meets `goal`. An allele outside its table shows as 0,
// as on its appearance line; a goal outside the table is met by no child.
bool meetsGoal(const Breed& child, const BreedingGoal& goal);

// Outcomes of kForecastOutcomes in which Breed(first, second) meets `goal`;
// the same for Breed(second, first).
int goalChance(const Breed& first, const Breed& second,
               const BreedingGoal& goal);

// A creature that may be bred, by the slot it holds in the garden.
struct BreedingCandidate {
  int slot = 0;
  Breed breed;
};

// A pair of candidates and the chances of their child, in outcomes of
// kForecastOutcomes.
struct PlannedPair {
  int firstSlot = 0;   // the lower slot: the parent that breeding selects
  int secondSlot = 0;  // the higher slot: its partner
  int goalChance = 0;  // the child meets the goal
  int pureChance = 0;  // the child is purebred
};

// Every unordered pair of `candidates` with its chances, best first: by goal
// chance, then pure chance (both highest first), then by firstSlot and
// secondSlot (lowest first). A goal no pair can reach leaves every goal
// chance 0. The caller passes the grown creatures only.
// REQUIRES: the slots of `candidates` differ.
std::vector<PlannedPair> planBreeding(
    const std::vector<BreedingCandidate>& candidates, const BreedingGoal& goal);

// What the garden's clock does to a creature next, by its age.
enum class LifeStage {
  kEvolving,  // younger than kEvolveAge: it evolves when it reaches it
  kGrown,     // younger than kReincarnateAge: it is reborn when it reaches it
  kSettled,   // kReincarnateAge or older (read so from a file): neither again
};

// The four shapes of adult, each a side of a shape slider: Swim and Fly of
// swimFly, Run and Power of runPower.
enum class Shape { kSwim, kFly, kRun, kPower };
inline constexpr int kShapeCount = 4;

// How one gift of an item moves a shape slider.
struct ShapePush {
  Shape shape = Shape::kSwim;  // the side it pushes toward
  int steps = 0;               // slider steps a gift, above 0
};

// The push one gift of `item` gives a creature in `form`, exactly as
// Evolution::giveEvolutionItem moves it: the item's strength, doubled in the
// Child form (2), toward its colour's side (Yellow Swim, Green Fly, Red Run,
// Purple Power), the other side for a negative strength. None when it moves
// no shape slider (colour 0 or below, strength 0) or when its side is drawn
// at random (colours above 4: Blue, Gold, Black).
std::optional<ShapePush> knownPush(const EvolutionItem& item, int form);

// Where an item of the catalogue is listed.
enum class ItemSource { kDrive, kAnimal };

// An item of the catalogue that pushes a shape slider the same way each time.
struct ShapeItem {
  ItemSource source = ItemSource::kDrive;
  int index = 0;     // the number the catalogue lists it under
  std::string name;  // a drive's colour ("Yellow") or the animal's name
  int steps = 0;     // slider steps a gift, above 0
};

// How far a creature that is still to evolve is from one shape.
struct ShapeOutlook {
  Shape shape = Shape::kSwim;
  // The adult form of that shape with the creature's alignment.
  int form = 0;
  // Slider steps toward the shape until adultForm() would pick it, the other
  // shape slider as it stands: beyond 25 on this side and strictly further
  // out than the other slider. 0 when it would pick it already. Only this
  // shape's own slider counts: pushing the other back toward 0 can help too.
  // Saving the garden clamps the sliders to 50 either way, so a lead beyond
  // 50 lasts only until the game is left.
  int steps = 0;
  // The catalogue's item with the largest push toward the shape, the first
  // listed (drives before animals) among equals; none when no item pushes
  // this way for sure.
  std::optional<ShapeItem> item;
  // Gifts of `item`, one an hour, that cover `steps`; 0 without an item.
  int gifts = 0;
  // True when `steps` is 0, or when `gifts` gifts fit into the hours before
  // the creature evolves, the last of them in its last hour.
  bool inTime = false;
};

// What a creature will become.
struct EvolutionForecast {
  LifeStage stage = LifeStage::kEvolving;
  // Hours until it evolves (kEvolving) or is reborn (kGrown); 0 for kSettled.
  int hoursLeft = 0;
  // kEvolving: the adult form adultForm() picks from the sliders as they
  // stand. Otherwise the creature's form now.
  int form = 0;
  // alignmentOffset() of its Hero-Dark slider: 0 Neutral, 1 Hero, 2 Dark.
  // Only petting moves that slider (the items the game builds carry no
  // alignment), and only in the Child form, which a creature has only when
  // read so from a file: an egg keeps it through evolving, a grown creature
  // through rebirth.
  int alignment = 0;
  // kEvolving only: the outlooks for Swim, Fly, Run and Power, in this order.
  std::vector<ShapeOutlook> shapes;
};

// The forecast for `creature`, with the items of `items` as they are listed.
EvolutionForecast forecastEvolution(const Mirl& creature,
                                    const ItemCollection& items);

// The same for a creature of `age` hours with the evolution state `state`.
EvolutionForecast forecastEvolution(int age, const Evolution& state,
                                    const ItemCollection& items);

// "Neutral", "Hero" or "Dark" for an alignmentOffset() of 0, 1 or 2; any
// other number gives "Neutral".
std::string alignmentName(int alignment);

#endif  // TUMBLENOOK_FORECAST_H_
