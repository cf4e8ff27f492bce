// The garden: the eight creature slots, the listing, and the age tick that
// makes time pass.
//
// The occupied slots are always 0 to emptySlot - 1, with no gaps; a new
// creature goes into slot emptySlot. Time passes by the player's choices:
// after every choice, the age tick makes each creature one hour older,
// evolving those that turn kEvolveAge and reincarnating those that turn
// kReincarnateAge (mirl.h), and says what it did, so that each way of
// playing can tell the player in its own words.
//
// The garden keeps its book (book.h): the tick counts its hours and notes
// what growing brought; the actions (actions.h) note what hatching,
// breeding, importing and releasing brought, so that every way of playing
// keeps the same book.
//
// One garden is made when the game starts and handed by reference to
// whatever plays, loads or saves it. The garden neither reads input nor
// touches files: the console (console.h) and the screen drive it, and the
// garden file (garden_file.h) loads and saves it.

#ifndef TUMBLENOOK_GARDEN_H_
#define TUMBLENOOK_GARDEN_H_

#include <iostream>
#include <vector>

#include "book.h"
#include "mirl.h"

inline constexpr int CAPACITY = 8;

// What the age tick did to one creature.
struct AgeEvent {
  enum class Kind { kEvolved, kReincarnated };
  Kind kind;
  int slot;  // where the creature is
  int form;  // its form after the hour (the adult form it evolved into)
};

class Garden {
 public:
  // The slots; only 0 to emptySlot - 1 belong to the garden.
  Mirl mirl[CAPACITY];
  // The number of occupied slots, and the index of the first empty one.
  int emptySlot = 0;
  // Everything this garden has ever held.
  Book book;
  // True when the book's file could not be read when the garden was
  // loaded: saving then leaves that file as it is.
  bool bookFileKept = false;

  // True when `slot` holds a creature of the garden.
  bool isOccupied(int slot) const { return slot >= 0 && slot < emptySlot; }

  // True when the garden has room for a new creature.
  bool hasRoom() const { return emptySlot < CAPACITY; }

  // Writes "<slot>: <name>" for every creature in the garden to `out`.
  void listMirl(std::ostream& out = std::cout) const;

  // The age tick: one hour for every creature, with evolution at
  // kEvolveAge and reincarnation at kReincarnateAge, and one hour of the
  // book, which notes what the creatures show after it. Returns what
  // happened, in slot order; nothing on most hours.
  std::vector<AgeEvent> ageMirl();

  // Moves `creature` into the first empty slot.
  // REQUIRES: hasRoom().
  void addToGarden(Mirl creature);

  // Takes the creature out of `slot`; the creatures after it move down one
  // slot, so that the occupied slots stay 0 to emptySlot - 1.
  // REQUIRES: isOccupied(slot).
  void removeFromGarden(int slot);

  // Empties the garden: emptySlot 0. The slots keep their creatures.
  void clearGarden() { emptySlot = 0; }
};

#endif  // TUMBLENOOK_GARDEN_H_
