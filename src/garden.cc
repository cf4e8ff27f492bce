#include "garden.h"

#include <algorithm>
#include <iostream>
#include <utility>

Mirl mirl[CAPACITY];
int emptySlot = 0;

bool isOccupied(int slot) { return slot >= 0 && slot < emptySlot; }

void listMirl() {
  for (int slot = 0; slot < emptySlot; ++slot) {
    std::cout << slot << ": " << mirl[slot].getName() << std::endl;
  }
}

void ageMirl() {
  for (int slot = 0; slot < emptySlot; ++slot) {
    Mirl& creature = mirl[slot];
    creature.increaseAge();
    if (creature.getAge() == kEvolveAge) {
      creature.evolve();
    } else if (creature.getAge() == kReincarnateAge) {
      creature.reincarnate();
    }
  }
}

void addToGarden(Mirl creature) { mirl[emptySlot++] = std::move(creature); }

void removeFromGarden(int slot) {
  std::move(mirl + slot + 1, mirl + emptySlot, mirl + slot);
  --emptySlot;
}

void clearGarden() { emptySlot = 0; }
