// The garden: the eight creature slots, the listing, and the age tick that
// makes time pass.
//
// The occupied slots are always 0 to emptySlot - 1, with no gaps; a new
// creature goes into slot emptySlot. Time passes by menu choices: after
// every choice, the age tick makes each creature one hour older, evolving
// those that turn 20 and reincarnating those that turn 50.
//
// The garden neither reads input nor touches files: the console (console.h)
// drives it, and the garden file (garden_file.h) loads and saves it.

#ifndef TUMBLENOOK_GARDEN_H_
#define TUMBLENOOK_GARDEN_H_

#include "mirl.h"

inline constexpr int CAPACITY = 8;

// The slots; only 0 to emptySlot - 1 belong to the garden.
extern Mirl mirl[CAPACITY];
// The number of occupied slots, and the index of the first empty one.
extern int emptySlot;

// True when `slot` holds a creature of the garden.
bool isOccupied(int slot);

// Prints "<slot>: <name>" for every creature in the garden.
void listMirl();

// The age tick: one hour for every creature, with evolution at 20 hours and
// reincarnation at 50.
void ageMirl();

// Moves `creature` into the first empty slot.
// REQUIRES: emptySlot < CAPACITY.
void addToGarden(Mirl creature);

// Takes the creature out of `slot`; the creatures after it move down one
// slot, so that the occupied slots stay 0 to emptySlot - 1.
// REQUIRES: isOccupied(slot).
void removeFromGarden(int slot);

// Empties the garden: emptySlot 0. The slots keep their creatures.
void clearGarden();

#endif  // TUMBLENOOK_GARDEN_H_
