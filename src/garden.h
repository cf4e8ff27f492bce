// The garden and its console: the eight creature slots, the main menu with
// its age tick, the menu actions, and loading and saving the garden file.
//
// The occupied slots are always 0 to emptySlot - 1, with no gaps; a new
// creature goes into slot emptySlot. Time passes by menu choices: after
// every choice, the age tick makes each creature one hour older, evolving
// those that turn 20 and reincarnating those that turn 50.
//
// Input that cannot be used never changes the garden: a slot or item number
// outside what was listed is answered with "invalid input", a word typed
// where a number belongs ends the action (the rest of its line is dropped),
// and the end of input leaves the game as if the player chose 0.

#ifndef TUMBLENOOK_GARDEN_H_
#define TUMBLENOOK_GARDEN_H_

#include <string>

#include "mirl.h"

inline constexpr int CAPACITY = 8;

// The slots; only 0 to emptySlot - 1 belong to the garden.
extern Mirl mirl[CAPACITY];
// The number of occupied slots, and the index of the first empty one.
extern int emptySlot;

// Prints "<slot>: <name>" for every creature in the garden.
void listMirl();

// The age tick: one hour for every creature, with evolution at 20 hours and
// reincarnation at 50.
void ageMirl();

// The main menu, until the player leaves (or input ends).
void userInterface();

// Main-menu actions.
void hatch();
void breed();
void nameMirl();
void giveItem();
void pet();
void statistics();

// Loads the garden from the save file at `path`, up to CAPACITY records; a
// missing file gives an empty garden. When the file holds anything that
// could not be loaded (a damaged record, more records than slots), the
// records before it are kept and the whole original is copied to
// "<path>.bak" (or "<path>.bak.1", ".2" ... when an earlier copy of other
// damage is there), with a note on standard error. Returns false, with a
// message on standard error, when the file exists but cannot be read or when
// that copy could not be made: the caller must then not overwrite the file.
bool loadGarden(const std::string& path);

// Replaces the save file at `path` with the garden's records, atomically:
// the file holds either the old garden or the new one, never part of one.
// Returns false, with a message on standard error, when it could not; the
// old file is then untouched.
bool saveGarden(const std::string& path);

// Empties the garden: emptySlot 0. The slots keep their creatures.
void clearGarden();

#endif  // TUMBLENOOK_GARDEN_H_
