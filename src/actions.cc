#include "actions.h"

#include <sstream>

#include "garden.h"
#include "names.h"

namespace {

// A gene outside its table becomes 0, the value validation would give it.
int geneInTable(EggGene gene, int value) {
  const int count = gene == EggGene::kColor ? COLOR_COUNT : COAT_COUNT;
  return value >= 0 && value < count ? value : 0;
}

bool isGrown(int slot) {
  return mirl[slot].getEvolution().getEvolution() > kChildForm;
}

}  // namespace

bool isEggKind(int kind) { return kind >= kNormalEgg && kind <= kJewelEgg; }

EggGene geneOf(int kind) { return EGG_KINDS[kind - kNormalEgg].gene; }

bool hasRoom() { return emptySlot < CAPACITY; }

void hatchEgg(int kind, int gene) {
  switch (kind) {
    case kMonotoneEgg:
    case kShinyMonotoneEgg:
      return addToGarden(Mirl(geneInTable(EggGene::kColor, gene), 0,
                              kind == kShinyMonotoneEgg, false));
    case kJewelEgg:
      return addToGarden(
          Mirl(0, geneInTable(EggGene::kCoat, gene), false, true));
    default:
      return addToGarden(Mirl());
  }
}

BreedRefusal breedRefusal(int first, int second) {
  if (first == second) return BreedRefusal::kSameCreature;
  if (!isOccupied(first) || !isOccupied(second)) {
    return BreedRefusal::kNotInGarden;
  }
  if (!isGrown(first) || !isGrown(second)) return BreedRefusal::kChild;
  if (!hasRoom()) return BreedRefusal::kGardenFull;
  return BreedRefusal::kNone;
}

void breedInGarden(int first, int second) {
  addToGarden(Mirl(mirl[first], mirl[second]));
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
