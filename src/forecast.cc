#include "forecast.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

// The allele pairs, slot 0 first, that a trait's draws can give the child,
// each with the number of the kTraitDrawOutcomes outcomes that give it.
template <typename T>
using TraitOutcomes = std::map<std::pair<T, T>, int>;

// A getter of one trait's alleles, such as &Breed::getColor.
template <typename T>
using AlleleGetter = T (Breed::*)(int) const;

// The outcomes of one trait's draws, as Breed(first, second) draws them:
// which parent gives slot 0, which of its alleles, which of the other's.
template <typename T>
TraitOutcomes<T> traitOutcomes(const Breed& first, const Breed& second,
                               AlleleGetter<T> allele) {
  TraitOutcomes<T> outcomes;
  for (int giver = 0; giver < 2; ++giver) {
    // Named references, not an array of parents: GCC 12's bounds sanitizer
    // misreports a member-pointer call on an array element.
    const Breed& slot0Parent = giver == 0 ? first : second;
    const Breed& slot1Parent = giver == 0 ? second : first;
    for (int shown = 0; shown < 2; ++shown) {
      for (int carried = 0; carried < 2; ++carried) {
        ++outcomes[{(slot0Parent.*allele)(shown),
                    (slot1Parent.*allele)(carried)}];
      }
    }
  }
  return outcomes;
}

// Most likely first, equal chances by text, so that a display is stable.
bool shownBefore(const ForecastLook& a, const ForecastLook& b) {
  if (a.chance != b.chance) return a.chance > b.chance;
  return a.looks < b.looks;
}

}  // namespace

BreedingForecast forecastBreeding(const Breed& first, const Breed& second) {
  const auto colors = traitOutcomes(first, second, &Breed::getColor);
  const auto coats = traitOutcomes(first, second, &Breed::getCoat);
  const auto shines = traitOutcomes(first, second, &Breed::getShine);
  const auto twotones = traitOutcomes(first, second, &Breed::getTwotone);
  BreedingForecast forecast;
  std::map<std::string, int> chances;
  // The traits are drawn independently, so a combination's chance is the
  // product of its traits' counts.
  for (const auto& [color, colorCount] : colors) {
    for (const auto& [coat, coatCount] : coats) {
      for (const auto& [shine, shineCount] : shines) {
        for (const auto& [twotone, twotoneCount] : twotones) {
          const Breed child(
              {color.first, color.second}, {coat.first, coat.second},
              {shine.first, shine.second}, {twotone.first, twotone.second});
          const int chance = colorCount * coatCount * shineCount * twotoneCount;
          chances[child.getPhenotype()] += chance;
          if (child.isPure()) forecast.pureChance += chance;
        }
      }
    }
  }
  for (const auto& [looks, chance] : chances) {
    forecast.appearances.push_back({looks, chance});
  }
  std::sort(forecast.appearances.begin(), forecast.appearances.end(),
            shownBefore);
  return forecast;
}

std::string chancePercent(int chance) {
  constexpr int kTenthsOfWhole = 1000;
  const int clamped = std::clamp(chance, 0, kForecastOutcomes);
  // Nearest tenth, halves up, in integers: no floating-point ties.
  const int tenths = (2 * clamped * kTenthsOfWhole + kForecastOutcomes) /
                     (2 * kForecastOutcomes);
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + "%";
}
