#include "actions.h"

#include <sstream>
#include <utility>

#include "names.h"
#include "safe_text.h"
#include "saturating.h"

namespace {

// A gene outside its table becomes 0, the value validation would give it.
int geneInTable(EggGene gene, int value) {
  const int count = gene == EggGene::kColor ? COLOR_COUNT : COAT_COUNT;
  return value >= 0 && value < count ? value : 0;
}

}  // namespace

bool isGrown(const Mirl& creature) {
  return creature.getEvolution().getEvolution() > kChildForm;
}

PetRefusal petRefusal(const Mirl& creature) {
  switch (creature.getEvolution().getEvolution()) {
    case kChildForm:
      return PetRefusal::kNone;
    case kEggForm:
      return PetRefusal::kEgg;
    default:
      return PetRefusal::kGrownUp;
  }
}

NameRefusal nameRefusal(std::string_view name) {
  if (name.empty()) return NameRefusal::kEmpty;
  const bool blank =
      name.find_first_of(" \t\n\v\f\r") != std::string_view::npos;
  if (blank || !isSafeText(name)) return NameRefusal::kUnsafe;
  if (name.size() > kMaxNameBytes) return NameRefusal::kTooLong;
  return NameRefusal::kNone;
}

bool isEggKind(int kind) { return kind >= kNormalEgg && kind <= kJewelEgg; }

EggGene geneOf(int kind) { return EGG_KINDS[kind - kNormalEgg].gene; }

namespace {

// Notes what the creature that just joined the garden's last slot shows.
void noteNewest(Garden& garden, Origin origin) {
  garden.book.noteCreature(garden.mirl[garden.emptySlot - 1], origin);
}

// The egg of `kind` with `gene`.
Mirl eggOf(int kind, int gene) {
  switch (kind) {
    case kMonotoneEgg:
    case kShinyMonotoneEgg:
      return Mirl(geneInTable(EggGene::kColor, gene), 0,
                  kind == kShinyMonotoneEgg, false);
    case kJewelEgg:
      return Mirl(0, geneInTable(EggGene::kCoat, gene), false, true);
    default:
      return Mirl();
  }
}

}  // namespace

void hatchEgg(Garden& garden, int kind, int gene) {
  garden.addToGarden(eggOf(kind, gene));
  garden.book.countHatched();
  noteNewest(garden, Origin::kRaised);
}

BreedRefusal breedRefusal(const Garden& garden, int first, int second) {
  if (first == second) return BreedRefusal::kSameCreature;
  if (!garden.isOccupied(first) || !garden.isOccupied(second)) {
    return BreedRefusal::kNotInGarden;
  }
  if (!isGrown(garden.mirl[first]) || !isGrown(garden.mirl[second])) {
    return BreedRefusal::kChild;
  }
  if (!garden.hasRoom()) return BreedRefusal::kGardenFull;
  return BreedRefusal::kNone;
}

void breedInGarden(Garden& garden, int first, int second) {
  garden.addToGarden(Mirl(garden.mirl[first], garden.mirl[second]));
  garden.book.countBred();
  noteNewest(garden, Origin::kBred);
}

void importIntoGarden(Garden& garden, Mirl creature) {
  garden.addToGarden(std::move(creature));
  garden.book.countImported();
  noteNewest(garden, Origin::kImported);
}

void releaseFromGarden(Garden& garden, int slot) {
  garden.removeFromGarden(slot);
  garden.book.countReleased();
}

int itemCount(const ItemCollection& items, int kind) {
  switch (kind) {
    case kFood:
      return items.getFruitCount();
    case kDrive:
      return ItemCollection::DRIVE_COUNT;
    case kSmallAnimal:
      return items.getAnimalCount();
    default:
      return 0;
  }
}

std::string itemLabel(const ItemCollection& items, int kind, int index) {
  switch (kind) {
    case kFood:
      return items.getFruit(index).getName();
    case kDrive:
      return ITEM_COLORS[index];
    default:
      return items.getAnimal(index).getName();
  }
}

void giveFromCatalogue(Mirl& creature, const ItemCollection& items, int kind,
                       int index) {
  switch (kind) {
    case kFood:
      return creature.giveFruit(items.getFruit(index));
    case kDrive: {
      const OrvanDrive drive = items.getOrvanDrive(index);
      creature.giveStatItem(drive.getStats());
      return creature.giveEvolutionItem(drive.getEvolution());
    }
    case kSmallAnimal: {
      const Animal animal = items.getAnimal(index);
      creature.giveStatItem(animal.getStats());
      return creature.giveEvolutionItem(animal.getEvolution());
    }
    default:
      return;
  }
}

std::optional<std::string> codeOfCreature(const Mirl& creature) {
  std::ostringstream record;
  Mirl copy = creature;  // saving validates, which must not touch the garden
  copy.save(record);
  return encodeCode(record.str());
}

CodedCreature creatureOfCode(std::string_view code) {
  CodedCreature coded;
  const DecodedCode decoded = decodeCode(code);
  coded.fault = decoded.fault;
  if (decoded.fault != CodeFault::kNone) return coded;
  std::istringstream in(decoded.record);
  Mirl creature(in);
  if (!in.fail() && (in >> std::ws).eof()) coded.creature = creature;
  return coded;
}

namespace {

// The sliders of `evolution`, with the form they would pick.
SliderOutcome outcomeOf(const Evolution& evolution) {
  return {evolution.getHeroDark(), evolution.getSwimFly(),
          evolution.getRunPower(),
          adultForm(evolution.getHeroDark(), evolution.getSwimFly(),
                    evolution.getRunPower())};
}

// The sum of two stat items, each amount kept within int.
StatItem sumOf(const StatItem& a, const StatItem& b) {
  int sums[kSkillCount] = {};
  for (int skill = 0; skill < kSkillCount; ++skill) {
    sums[skill] = saturatingAdd(a.getAmount(static_cast<Skill>(skill)),
                                b.getAmount(static_cast<Skill>(skill)));
  }
  return {sums[kSwim], sums[kRun], sums[kPower], sums[kFly], sums[kStamina]};
}

// The sliders after `item`, applied to copies of `evolution`: one outcome,
// or one for each direction a random colour may take.
void addSliderEffect(ItemEffect& effect, const Evolution& evolution,
                     const EvolutionItem& item) {
  effect.colour = item.getColor();
  effect.doubled = evolution.getEvolution() == kChildForm;
  effect.step =
      saturate(shapeSteps(item.getStrength(), evolution.getEvolution()));
  effect.randomDirection = pushesAtRandom(item.getColor());
  std::vector<EvolutionItem> ways = {item};
  if (effect.randomDirection) {
    ways.clear();
    for (int way = 0; way < kShapeColours; ++way) {
      ways.emplace_back(item.getAlignment(), kFirstShapeColour + way,
                        item.getStrength());
    }
  }
  for (const EvolutionItem& way : ways) {
    Evolution moved = evolution;
    moved.giveEvolutionItem(way);  // a fixed direction draws nothing
    effect.after.push_back(outcomeOf(moved));
  }
}

}  // namespace

ItemEffect itemEffect(const Mirl& creature, const ItemCollection& items,
                      int kind, int index) {
  ItemEffect effect;
  const Evolution evolution = creature.getEvolution();
  effect.before = outcomeOf(evolution);
  switch (kind) {
    case kFood: {
      Fruit fruit = items.getFruit(index);
      for (; fruit.getBitesLeft() > 0; fruit.takeABite()) {
        effect.bites.push_back(fruit.getStats());
      }
      break;
    }
    case kDrive: {
      const OrvanDrive drive = items.getOrvanDrive(index);
      effect.bites.push_back(drive.getStats());
      addSliderEffect(effect, evolution, drive.getEvolution());
      break;
    }
    case kSmallAnimal: {
      const Animal animal = items.getAnimal(index);
      effect.bites.push_back(animal.getStats());
      addSliderEffect(effect, evolution, animal.getEvolution());
      break;
    }
    default:
      break;
  }
  for (const StatItem& bite : effect.bites) {
    effect.total = sumOf(effect.total, bite);
  }
  if (effect.after.empty()) effect.after.push_back(effect.before);
  return effect;
}
