// The name tables: the words the console prints for the small integers that
// the model stores as skills, colours, coats, item colours and evolution
// forms, and the numbering of the skills and forms that the tables follow.
//
// The entries are exact, spaces included: " Emerald" and " Amethyst" begin
// with a blank and both "Metal " entries end with one, and players see them
// that way. The tables are constant and may be read from anywhere.
//
// `tableEntry` is the only way the program indexes a table with a value that
// came from outside (a save file, the console): an index outside the table
// shows entry 0, the value that validation would put in its place.

#ifndef TUMBLENOOK_NAMES_H_
#define TUMBLENOOK_NAMES_H_

#include <cstddef>
#include <iterator>

// The five skills of a creature, in the order in which it walks them: the
// order of random draws, of the save record and of the statistics view.
enum Skill { kSwim, kRun, kPower, kFly, kStamina, kSkillCount };

// Labels of the skills, as the statistics view and the save record show them.
inline constexpr const char* SKILLS[kSkillCount] = {"Swim", "Run", "Power",
                                                    "Fly", "Stamina"};

inline constexpr int COLOR_COUNT = 15;
inline constexpr int COAT_COUNT = 18;
inline constexpr int ITEM_COLOR_COUNT = 8;
inline constexpr int EVOLUTION_COUNT = 26;

// Colour alleles of the genotype. Not `inline`: ncurses keeps a global
// variable of this very name, and an inline variable is a global symbol that
// would take its place, so that the screen's library would write to this
// table. Each unit has its own copy instead.
constexpr const char* COLORS[COLOR_COUNT] = {
    "Normal",      "Yellow", "White",  "Brown", "Sky Blue",
    "Pink",        "Blue",   "Grey",   "Green", "Red",
    "Light Green", "Purple", "Orange", "Black", "Invisible"};

// Coat alleles of the genotype; 0 means no coat.
inline constexpr const char* COATS[COAT_COUNT] = {
    "None",      "Gold",       "Silver", "Ruby",  "Sapphire", " Emerald",
    " Amethyst", "Aquamarine", "Garnet", "Onyx",  "Peridot",  "Topaz",
    "Pearl",     "Metal ",     "Metal ", "Glass", "Moon",     "Rare"};

// Colours of the Orvan Drives and of evolution items.
inline constexpr const char* ITEM_COLORS[ITEM_COLOR_COUNT] = {
    "none", "Yellow", "Green", "Red", "Purple", "Blue", "Gold", "Black"};

// Evolution forms. Indices 5 to 22 are six families of three (Normal, Swim,
// Fly, Run, Power, Orvan), each Neutral, Hero, Dark in that order.
inline constexpr const char* EVOLUTIONS[EVOLUTION_COUNT] = {
    "Child",       "Egg",         "Child",
    "Child",       "Child",       "Normal/Neutral",
    "Normal/Hero", "Normal/Dark", "Swim/Neutral",
    "Swim/Hero",   "Swim/Dark",   "Fly/Neutral",
    "Fly/Hero",    "Fly/Dark",    "Run/Neutral",
    "Run/Hero",    "Run/Dark",    "Power/Neutral",
    "Power/Hero",  "Power/Dark",  "Orvan/Neutral",
    "Orvan/Hero",  "Orvan/Dark",  "Wendo",
    "Brackus",     "Pella"};

// The forms the game gives a meaning to, as EVOLUTIONS numbers them. Each
// adult family is three forms in a row: Neutral, then Hero, then Dark.
enum Form {
  kEggForm = 1,
  kChildForm = 2,  // the only form in which alignment moves
  kNormalForms = 5,
  kSwimForms = 8,
  kFlyForms = 11,
  kRunForms = 14,
  kPowerForms = 17,
};
inline constexpr int kFormsPerFamily = 3;

// True when `index` names an entry of `table`.
template <std::size_t N>
constexpr bool inTable(const char* const (&table)[N], int index) {
  return index >= 0 && static_cast<std::size_t>(index) < std::size(table);
}

// The entry of `table` at `index`, or entry 0 when `index` lies outside.
template <std::size_t N>
constexpr const char* tableEntry(const char* const (&table)[N], int index) {
  return inTable(table, index) ? table[index] : table[0];
}

#endif  // TUMBLENOOK_NAMES_H_
