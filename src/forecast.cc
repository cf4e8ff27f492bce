#include "forecast.h"

#include <algorithm>
#include <array>
#include <cstdlib>
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

// The item colours whose side is fixed, as ITEM_COLORS numbers them, and the
// side a positive strength pushes toward; a negative one pushes the other way.
struct ColorSides {
  int color;
  Shape side;
  Shape otherSide;
};
constexpr ColorSides kFixedSides[] = {
    {1, Shape::kSwim, Shape::kFly},   // Yellow: swimFly down
    {2, Shape::kFly, Shape::kSwim},   // Green: swimFly up
    {3, Shape::kRun, Shape::kPower},  // Red: runPower down
    {4, Shape::kPower, Shape::kRun},  // Purple: runPower up
};

constexpr std::array<Shape, kShapeCount> kShapes = {Shape::kSwim, Shape::kFly,
                                                    Shape::kRun, Shape::kPower};

constexpr const char* kAlignmentNames[] = {"Neutral", "Hero", "Dark"};

bool onSwimFly(Shape shape) {
  return shape == Shape::kSwim || shape == Shape::kFly;
}

// Swim and Run lie below 0 on their sliders, Fly and Power above.
bool belowZero(Shape shape) {
  return shape == Shape::kSwim || shape == Shape::kRun;
}

// The first, Neutral, form of a shape's family.
int familyStart(Shape shape) {
  switch (shape) {
    case Shape::kSwim:
      return kSwimForms;
    case Shape::kFly:
      return kFlyForms;
    case Shape::kRun:
      return kRunForms;
    case Shape::kPower:
      return kPowerForms;
  }
  return kNormalForms;
}

// Slider steps toward `shape` after which adultForm() picks it, the other
// slider as it stands: its slider must lie beyond 25 on its side and beyond
// the other slider's magnitude. In long long: sliders may hold any int.
long long stepsToLead(Shape shape, int swimFly, int runPower) {
  const long long own = onSwimFly(shape) ? swimFly : runPower;
  const long long other = onSwimFly(shape) ? runPower : swimFly;
  const long long reached = belowZero(shape) ? -own : own;
  const long long needed =
      std::max<long long>(kSliderLeaning, std::llabs(other)) + 1;
  return std::max(0LL, needed - reached);
}

// The catalogue's item that pushes toward `shape` furthest a gift for a
// creature in `form`: drives first, then animals, the first among equals.
std::optional<ShapeItem> strongestItem(Shape shape, int form,
                                       const ItemCollection& items) {
  std::optional<ShapeItem> best;
  const auto consider = [&](ItemSource source, int index,
                            const std::string& name, const EvolutionItem& e) {
    const std::optional<ShapePush> push = knownPush(e, form);
    if (push && push->shape == shape && (!best || push->steps > best->steps)) {
      best = ShapeItem{source, index, name, push->steps};
    }
  };
  for (int i = 0; i < ItemCollection::DRIVE_COUNT; ++i) {
    consider(ItemSource::kDrive, i, tableEntry(ITEM_COLORS, i),
             items.getOrvanDrive(i).getEvolution());
  }
  for (int i = 0; i < items.getAnimalCount(); ++i) {
    const Animal animal = items.getAnimal(i);
    consider(ItemSource::kAnimal, i, animal.getName(), animal.getEvolution());
  }
  return best;
}

// How far a creature that evolves in `hoursLeft` hours is from `shape`.
ShapeOutlook outlook(Shape shape, int hoursLeft, const Evolution& state,
                     const ItemCollection& items) {
  ShapeOutlook view;
  view.shape = shape;
  view.form = familyStart(shape) + alignmentOffset(state.getHeroDark());
  view.steps =
      saturate(stepsToLead(shape, state.getSwimFly(), state.getRunPower()));
  view.item = strongestItem(shape, state.getEvolution(), items);
  if (view.item) {
    const long long push = view.item->steps;
    view.gifts = saturate((view.steps + push - 1) / push);  // rounded up
  }
  view.inTime = view.steps == 0 || (view.item && view.gifts <= hoursLeft);
  return view;
}

}  // namespace

BreedingForecast forecastBreeding(const Breed& first, const Breed& second,
                                  LooksNamer namer) {
  BreedingForecast forecast;
  std::map<std::string, int> chances;
  forEachChild(first, second, [&](const Breed& child, int chance) {
    chances[namer == nullptr ? child.getPhenotype() : namer(child)] += chance;
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

std::optional<ShapePush> knownPush(const EvolutionItem& item, int form) {
  const long long steps = shapeSteps(item.getStrength(), form);
  if (steps == 0) return std::nullopt;
  for (const ColorSides& sides : kFixedSides) {
    if (sides.color == item.getColor()) {
      return ShapePush{steps > 0 ? sides.side : sides.otherSide,
                       saturate(std::llabs(steps))};
    }
  }
  return std::nullopt;  // no shape slider, or a side drawn at each gift
}

EvolutionForecast forecastEvolution(const Mirl& creature,
                                    const ItemCollection& items) {
  return forecastEvolution(creature.getAge(), creature.getEvolution(), items);
}

EvolutionForecast forecastEvolution(int age, const Evolution& state,
                                    const ItemCollection& items) {
  EvolutionForecast forecast;
  forecast.form = state.getEvolution();
  forecast.alignment = alignmentOffset(state.getHeroDark());
  if (age >= kReincarnateAge) {
    forecast.stage = LifeStage::kSettled;
  } else if (age >= kEvolveAge) {
    forecast.stage = LifeStage::kGrown;
    forecast.hoursLeft = kReincarnateAge - age;
  } else {
    forecast.stage = LifeStage::kEvolving;
    forecast.hoursLeft = saturate(static_cast<long long>(kEvolveAge) - age);
    forecast.form =
        adultForm(state.getHeroDark(), state.getSwimFly(), state.getRunPower());
    for (Shape shape : kShapes) {
      forecast.shapes.push_back(
          outlook(shape, forecast.hoursLeft, state, items));
    }
  }
  return forecast;
}

std::string alignmentName(int alignment) {
  return tableEntry(kAlignmentNames, alignment);
}
