// Builders shared by the tests of the actions and of the full screen: a
// creature from a save record written out in a line, gardens of them, keys
// pressed by their names, a garden read back as ages, names and saved
// records, and small catalogue files for the give dialog.

#ifndef TUMBLENOOK_TESTS_SCREEN_UTIL_H_
#define TUMBLENOOK_TESTS_SCREEN_UTIL_H_

#include <clocale>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "garden.h"
#include "key.h"
#include "mirl.h"
#include "screen_game.h"
#include "test_util.h"

// The looks of a record: the allele pairs, shown allele first; by default
// a purebred Two-Tone Sky Blue, whose children all look the same.
struct Looks {
  int color[2] = {4, 4};
  int coat[2] = {0, 0};
  int shine[2] = {0, 0};
  int twotone[2] = {1, 1};
};

// A creature's save record: every skill at points 12, level `level`,
// experience `experience`, ranks 3 1 4; sliders `heroDark`, `swimFly` and
// `runPower`.
inline std::string recordOf(const std::string& name, int age, int form,
                            const Looks& looks = {}, int experience = 30,
                            int heroDark = 0, int swimFly = 0, int runPower = 0,
                            int level = 2) {
  std::ostringstream out;
  out << "Name: " << name << "\nAge: " << age << "\nReincarnation: 0\n";
  for (const char* skill : {"Swim", "Run", "Power", "Fly", "Stamina"}) {
    out << skill << ": 12 " << level << ' ' << experience << "\n3 1 4\n";
  }
  out << "Evolution: " << form << ' ' << heroDark << ' ' << swimFly << ' '
      << runPower << "\n"
      << "Color: " << looks.color[0] << ' ' << looks.color[1] << "\n"
      << "Coat: " << looks.coat[0] << ' ' << looks.coat[1] << "\n"
      << "Shine: " << looks.shine[0] << ' ' << looks.shine[1] << "\n"
      << "Two-tone: " << looks.twotone[0] << ' ' << looks.twotone[1] << "\n";
  return out.str();
}

// The creature a save record holds.
inline Mirl creatureFrom(const std::string& record) {
  std::istringstream in(record);
  return Mirl(in);
}

// A creature NAME of `age` in `form` (names.h), with the record's defaults.
inline Mirl creature(const std::string& name, int age, int form) {
  return creatureFrom(recordOf(name, age, form));
}

// A garden of `creatures`, from slot 0.
inline Garden gardenOf(const std::vector<Mirl>& creatures) {
  Garden garden;
  for (const Mirl& one : creatures) garden.addToGarden(one);
  return garden;
}

// Two grown creatures, Ada (24h) and Bo (30h), and a child, Cy (8h).
inline Garden threeGarden() {
  return gardenOf({creature("Ada", 24, kNormalForms),
                   creature("Bo", 30, kNormalForms + 1),
                   creature("Cy", 8, kChildForm)});
}

// Ada alone.
inline Garden oneGarden() {
  return gardenOf({creature("Ada", 24, kNormalForms)});
}

// A full garden of grown creatures named G0 to G7.
inline Garden fullGarden() {
  Garden garden;
  for (int slot = 0; slot < CAPACITY; ++slot) {
    garden.addToGarden(creature("G" + std::to_string(slot), 30, kNormalForms));
  }
  return garden;
}

// Presses the keys named in `keys` (see keyNamed) in order; the outcome of
// the last one.
inline ScreenGame::Outcome press(ScreenGame& game,
                                 const std::vector<std::string>& keys) {
  ScreenGame::Outcome outcome = ScreenGame::Outcome::kGoOn;
  for (const std::string& key : keys) outcome = game.onKey(keyNamed(key));
  return outcome;
}

// The keys named by the words of `words`, split at single blanks, with
// "Space" for the blank key itself: keys("n Z Space Enter").
inline std::vector<std::string> keys(const std::string& words) {
  std::vector<std::string> named;
  std::istringstream in(words);
  for (std::string word; std::getline(in, word, ' ');) {
    named.push_back(word == "Space" ? " " : word);
  }
  return named;
}

// The names of the keys that type `text`, one UTF-8 character each.
inline std::vector<std::string> keysTyping(const std::string& text) {
  std::vector<std::string> keys;
  for (const char byte : text) {
    if ((static_cast<unsigned char>(byte) & 0xC0) == 0x80) {
      keys.back() += byte;  // a continuation byte: part of the last one
    } else {
      keys.emplace_back(1, byte);
    }
  }
  return keys;
}

// The runs of keys `parts`, one after the other.
inline std::vector<std::string> concat(
    std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> keys;
  for (const auto& part : parts)
    keys.insert(keys.end(), part.begin(), part.end());
  return keys;
}

// The ages of the garden's creatures, as "25 31 9".
inline std::string agesIn(const Garden& garden) {
  std::string ages;
  for (int slot = 0; slot < garden.emptySlot; ++slot) {
    ages += (slot == 0 ? "" : " ") + std::to_string(garden.mirl[slot].getAge());
  }
  return ages;
}

// The names of the garden's creatures, as "Ada Bo Cy".
inline std::string namesIn(const Garden& garden) {
  std::string names;
  for (int slot = 0; slot < garden.emptySlot; ++slot) {
    names += (slot == 0 ? "" : " ") + garden.mirl[slot].getName();
  }
  return names;
}

// The save records of the garden's creatures, as the garden file holds them.
inline std::string savedRecords(const Garden& garden) {
  std::ostringstream out;
  for (int slot = 0; slot < garden.emptySlot; ++slot) {
    Mirl copy = garden.mirl[slot];
    copy.save(out);
  }
  return out.str();
}

// Small catalogues: two fruits, and two animals, the second of a colour
// that draws its direction.
inline constexpr char kFruits[] =
    "Name Swim Fly Run Power Stamina Sweet Juice\n"
    "Kelpberry 12 0 2 0 5 1 3\n"
    "Sourbramble -7 -2 -7 -2 -12 0 2\n";
inline constexpr char kAnimals[] =
    "Color Name Swim Fly Run Power Size Speed\n"
    "1 Minnow 12 0 2 0 1 3\n"
    "5 Firefly 4 4 4 4 1 3\n";

// Writes the small catalogues into the current folder.
inline void writeCatalogues() {
  writeFile("fruits.dat", kFruits);
  writeFile("animals.dat", kAnimals);
}

// Names and keys are UTF-8 whatever the player's locale; the screen's parts
// measure and encode them so while this is alive.
class Utf8Locale {
 public:
  Utf8Locale() { std::setlocale(LC_CTYPE, "C.UTF-8"); }
  ~Utf8Locale() { std::setlocale(LC_CTYPE, "C"); }
  Utf8Locale(const Utf8Locale&) = delete;
  Utf8Locale& operator=(const Utf8Locale&) = delete;
};

#endif  // TUMBLENOOK_TESTS_SCREEN_UTIL_H_
