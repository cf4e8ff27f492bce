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

#ifndef TUMBLENOOK_FORECAST_H_
#define TUMBLENOOK_FORECAST_H_

#include <optional>
#include <string>
#include <vector>

#include "breed.h"

// Outcomes of the three draws of one trait.
inline constexpr int kTraitDrawOutcomes = 2 * 2 * 2;
// Outcomes of all draws of a child: colour, coat, shine, two-tone.
inline constexpr int kForecastOutcomes =
    kTraitDrawOutcomes * kTraitDrawOutcomes * kTraitDrawOutcomes *
    kTraitDrawOutcomes;

// One appearance of the child and its chance, in outcomes of
// kForecastOutcomes.
struct ForecastLook {
  std::string looks;  // as Breed::getPhenotype() gives it
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

// The forecast for the child Breed(first, second) would make.
BreedingForecast forecastBreeding(const Breed& first, const Breed& second);

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

#endif  // TUMBLENOOK_FORECAST_H_
