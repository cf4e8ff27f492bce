// The breeding forecast: every appearance a child of two genotypes can have,
// and the chance that it is purebred, exact for the draws that
// Breed(first, second) makes. Each of the four traits takes three fair
// draws (which parent gives slot 0, which of its alleles, which allele of
// the other parent goes to slot 1), so a child is one of kForecastOutcomes
// equally likely outcomes and every chance is a count of them.
//
// The forecast never draws: the random sequence of the game stays as it was.
// Appearances and purity come from Breed's own getPhenotype() and isPure().

#ifndef TUMBLENOOK_FORECAST_H_
#define TUMBLENOOK_FORECAST_H_

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

#endif  // TUMBLENOOK_FORECAST_H_
