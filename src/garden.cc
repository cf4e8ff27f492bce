#include "garden.h"

#include <algorithm>
#include <utility>

void Garden::listMirl(std::ostream& out) const {
  for (int slot = 0; slot < emptySlot; ++slot) {
    out << slot << ": " << mirl[slot].getName() << std::endl;
  }
}

std::vector<AgeEvent> Garden::ageMirl() {
  std::vector<AgeEvent> events;
  book.passHour();
  for (int slot = 0; slot < emptySlot; ++slot) {
    Mirl& creature = mirl[slot];
    creature.increaseAge();
    if (creature.getAge() == kEvolveAge) {
      creature.evolve();
      book.countEvolved();
      events.push_back({AgeEvent::Kind::kEvolved, slot,
                        creature.getEvolution().getEvolution()});
    } else if (creature.getAge() == kReincarnateAge) {
      creature.reincarnate();
      book.countReincarnated();
      events.push_back({AgeEvent::Kind::kReincarnated, slot,
                        creature.getEvolution().getEvolution()});
    }
    // What grew in the garden was raised here, whatever its first hour.
    book.noteCreature(creature, Origin::kRaised);
  }
  return events;
}

void Garden::addToGarden(Mirl creature) {
  mirl[emptySlot++] = std::move(creature);
}

void Garden::removeFromGarden(int slot) {
  std::move(mirl + slot + 1, mirl + emptySlot, mirl + slot);
  --emptySlot;
}
