#include "forecast.h"

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "names.h"
#include "saturating.h"

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

// Calls visit(child, chance) once for every genotype that Breed(first,
// second) can give, with the number of the kForecastOutcomes outcomes that
// give it. The traits are drawn independently, so a genotype's chance is the
// product of its traits' counts.
template <typename Visit>
void forEachChild(const Breed& first, const Breed& second, Visit visit) {
  const auto colors = traitOutcomes(first, second, &Breed::getColor);
  const auto coats = traitOutcomes(first, second, &Breed::getCoat);
  const auto shines = traitOutcomes(first, second, &Breed::getShine);
  const auto twotones = traitOutcomes(first, second, &Breed::getTwotone);
  for (const auto& [color, colorCount] : colors) {
    for (const auto& [coat, coatCount] : coats) {
      for (const auto& [shine, shineCount] : shines) {
        for (const auto& [twotone, twotoneCount] : twotones) {
          const Breed child(
              {color.first, color.second}, {coat.first, coat.second},
              {shine.first, shine.second}, {twotone.first, twotone.second});
          visit(child, colorCount * coatCount * shineCount * twotoneCount);
        }
      }
    }
  }
}

// Most likely first, equal chances by text, so that a display is stable.
bool shownBefore(const ForecastLook& a, const ForecastLook& b) {
  if (a.chance != b.chance) return a.chance > b.chance;
  return a.looks < b.looks;
}

// The coat that shows; an allele outside COATS shows as 0, no coat.
constexpr int kNoCoat = 0;
int shownCoat(const Breed& child) {
  const int coat = child.getCoat(0);
  return inTable(COATS, coat) ? coat : kNoCoat;
}

// True when a goal's table index names the entry that shows. By name, not by
// index: coats 13 and 14 are both "Metal " and look alike to the player.
template <std::size_t N>
bool showsAs(const char* const (&table)[N], int wanted, int shown) {
  return inTable(table, wanted) &&
         std::string_view(table[wanted]) == tableEntry(table, shown);
}

// The children of a pair that meet a goal, and those that are purebred.
struct ChildCounts {
  int goal = 0;
  int pure = 0;
};

ChildCounts countChildren(const Breed& first, const Breed& second,
                          const BreedingGoal& goal) {
  ChildCounts counts;
  forEachChild(first, second, [&](const Breed& child, int chance) {
    if (meetsGoal(child, goal)) counts.goal += chance;
    if (child.isPure()) counts.pure += chance;
  });
  return counts;
}

// Best first: goal chance, then pure chance, then the lower slots.
bool plannedBefore(const PlannedPair& a, const PlannedPair& b) {
  if (a.goalChance != b.goalChance) return a.goalChance > b.goalChance;
  if (a.pureChance != b.pureChance) return a.pureChance > b.pureChance;
  return std::pair(a.firstSlot, a.secondSlot) <
         std::pair(b.firstSlot, b.secondSlot);
}

}  // namespace

BreedingForecast forecastBreeding(const Breed& first, const Breed& second) {
  BreedingForecast forecast;
  std::map<std::string, int> chances;
  forEachChild(first, second, [&](const Breed& child, int chance) {
    chances[child.getPhenotype()] += chance;
    if (child.isPure()) forecast.pureChance += chance;
  });
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

bool meetsGoal(const Breed& child, const BreedingGoal& goal) {
  // A coat hides the colour and the two-tone pattern.
  const int coat = shownCoat(child);
  const bool coatless = coat == kNoCoat;
  if (goal.shiny && !child.getShine(0)) return false;
  if (goal.coat && !showsAs(COATS, *goal.coat, coat)) return false;
  if (goal.color &&
      !(coatless && showsAs(COLORS, *goal.color, child.getColor(0)))) {
    return false;
  }
  if (goal.twoTone && !(coatless && child.getTwotone(0))) return false;
  return !goal.purebred || child.isPure();
}

int goalChance(const Breed& first, const Breed& second,
               const BreedingGoal& goal) {
  return countChildren(first, second, goal).goal;
}

std::vector<PlannedPair> planBreeding(
    const std::vector<BreedingCandidate>& candidates,
    const BreedingGoal& goal) {
  std::vector<PlannedPair> pairs;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    for (std::size_t j = i + 1; j < candidates.size(); ++j) {
      // The lower slot first, as the breed dialog pairs the selected
      // creature with its partner; the chances do not depend on the order.
      const bool inOrder = candidates[i].slot < candidates[j].slot;
      const BreedingCandidate& first = inOrder ? candidates[i] : candidates[j];
      const BreedingCandidate& second = inOrder ? candidates[j] : candidates[i];
      const ChildCounts counts = countChildren(first.breed, second.breed, goal);
      pairs.push_back({first.slot, second.slot, counts.goal, counts.pure});
    }
  }
  std::sort(pairs.begin(), pairs.end(), plannedBefore);
  return pairs;
}
