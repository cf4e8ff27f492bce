#include "console.h"

#include <cctype>
#include <cstdio>
#include <iostream>
#include <limits>
#include <string>

#include "actions.h"
#include "garden.h"
#include "items.h"
#include "names.h"
#include "safe_text.h"
#include "signal_input.h"

namespace {

enum MenuChoice { kLeave, kHatch, kName, kGiveItem, kPet, kStatistics, kBreed };
enum StatisticsView { kBack, kNameAge, kSkills, kForm, kLooks, kGenes };

void say(const char* line) { std::cout << line << std::endl; }

void sayInvalid() { say("invalid input"); }

// A full garden answers with the game's own line; the way on, which the
// game's texts do not give, goes to standard error once a game.
void sayFull(const char* line) {
  say(line);
  static bool pointed = false;
  if (pointed) return;
  pointed = true;
  std::cerr << "tumblenook: to make room, leave and run the game with "
               "--release N: the creature in slot N leaves with a code that "
               "brings it back"
            << std::endl;
}

// A catalogue file that could not be read lists nothing, and one with names
// unsafe to print lists them repaired; the note goes to standard error,
// which the player sees while standard output stays the game's.
void noteCatalogue(const std::string& problem) {
  if (!problem.empty()) std::cerr << "tumblenook: " << problem << std::endl;
}

// What a prompt got: an answer that fits, one too big for it (a number
// beyond the range of int, a name longer than kMaxNameBytes), or nothing.
enum class Typed { kFits, kTooBig, kNothing };

// Drops what is left of the current input line, however long, without
// keeping it: a line typed at a terminal that the game leaves half read
// would otherwise be read by the shell that started it.
void dropRestOfLine() {
  std::cin.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

// Reads a number typed at a prompt. A number too large for an int is stored
// clamped to INT_MAX or INT_MIN, as the stream leaves it: it lies outside
// every list, so it is answered like any number outside the list. After it,
// or after a word that is not a number, the rest of the line is dropped and
// the stream made usable again. At the end of input the stream stays failed,
// and the main menu then leaves.
Typed readTyped(int& value) {
  value = 0;  // what a failed read leaves when it met the end of input
  if (std::cin >> value) return Typed::kFits;
  const bool tooLarge = value == std::numeric_limits<int>::max() ||
                        value == std::numeric_limits<int>::min();
  if (!std::cin.eof()) {
    std::cin.clear();
    dropRestOfLine();
  }
  return tooLarge ? Typed::kTooBig : Typed::kNothing;
}

// Reads a number at a prompt inside an action; false when there was none.
bool readNumber(int& value) { return readTyped(value) != Typed::kNothing; }

// Reads a name: one word, as far as the next blank. A word longer than
// kMaxNameBytes is read to its end and dropped, never kept whole, however
// long it is. What follows the word stays for the next prompt.
Typed readName(std::string& name) {
  std::cin >> std::ws;
  std::streambuf& typed = *std::cin.rdbuf();
  bool tooBig = false;
  int c = typed.sgetc();
  for (; c != EOF && std::isspace(c) == 0; c = typed.snextc()) {
    if (name.size() < kMaxNameBytes) {
      name += static_cast<char>(c);
    } else {
      tooBig = true;
    }
  }
  if (c == EOF) std::cin.setstate(std::ios::eofbit);
  if (name.empty()) {
    std::cin.setstate(std::ios::failbit);
    return Typed::kNothing;
  }
  return tooBig ? Typed::kTooBig : Typed::kFits;
}

// Reads a slot number and answers "invalid input" for one outside the
// garden. False when there is no creature to act on.
bool readSlot(const Garden& garden, int& slot) {
  if (!readNumber(slot)) return false;
  if (garden.isOccupied(slot)) return true;
  sayInvalid();
  return false;
}

// Lists the colours or the coats that an egg of `kind` asks for and reads
// the number chosen (the egg makes one outside the list 0). True, with 0,
// for a kind that asks for nothing.
bool readGene(int kind, int& gene) {
  gene = 0;
  switch (geneOf(kind)) {
    case EggGene::kColor:
      printColors();
      std::cout << "Enter number of chosen color: ";
      return readNumber(gene);
    case EggGene::kCoat:
      printCoats();
      std::cout << "Enter number of chosen Jewel Coat: ";
      return readNumber(gene);
    case EggGene::kNone:
      return true;
  }
  return true;
}

void printMainMenu(const Garden& garden) {
  say("Welcome to Tumblenook. Please select an action.");
  say("");
  say("0) Leave the Garden");
  say("1) Hatch a new Mirl");
  if (garden.emptySlot > 0) {
    say("2) Name a Mirl");
    say("3) Give a Mirl an item");
    say("4) Pet a Mirl");
    say("5) View a Mirl''s Statistics");
  }
  if (garden.emptySlot > 1) say("6) Breed two Mirl");
  say("");
  std::cout << "Enter an option: ";
}

// Shows the main menu and reads the choice. A word that is not a number
// counts as 0, and so does the end of input; a number too large for an int
// is a number outside the menu. After a leave signal the menu is not shown
// again, which would look as if the game asked once more.
int chooseFromMainMenu(const Garden& garden) {
  if (leaveSignalArrived()) return kLeave;
  printMainMenu(garden);
  int choice = 0;
  if (!readNumber(choice)) return kLeave;
  if (choice == kLeave) dropRestOfLine();  // nothing of its line is the shell's
  return choice;
}

// Asks for the number of one of the `count` items just listed. False when
// none was typed, or with "invalid input" when it is not on the list.
bool readItem(const char* prompt, int count, int& index) {
  std::cout << prompt;
  if (!readNumber(index)) return false;
  if (index >= 0 && index < count) return true;
  sayInvalid();
  return false;
}

// Lists the items of `kind`, with the note of a catalogue file that could
// not be read or held names unsafe to print.
void listItems(const ItemCollection& items, int kind) {
  switch (kind) {
    case kFood:
      items.printFruits();
      return noteCatalogue(items.getFruitsNote());
    case kDrive:
      return items.printOrvanDrives();
    default:
      items.printAnimals();
      return noteCatalogue(items.getAnimalsNote());
  }
}

// The question that asks for an item of `kind`.
const char* itemQuestion(int kind) {
  switch (kind) {
    case kFood:
      return "Which fruit should be given? ";
    case kDrive:
      return "Which Orvan Drive should be given? ";
    default:
      return "Which animal should be given? ";
  }
}

void printStatisticsMenu() {
  say("Which statistics should be printed?");
  say("1) Name, Age, and Reincarnations");
  say("2) Stats");
  say("3) Evolution");
  say("4) Breed");
  say("5) Genotype");
  say("0) Return to main menu");
  say("");
  std::cout << "Enter option: ";
}

void showStatistics(int view, const Mirl& creature) {
  switch (view) {
    case kNameAge:
      std::cout << creature.getName() << " is " << creature.getAge()
                << " mirl hours old and has reincarnated "
                << creature.getReincarnations() << " times" << std::endl;
      break;
    case kSkills:
      creature.printStats();
      break;
    case kForm: {
      const Evolution evolution = creature.getEvolution();
      std::cout << creature.getName() << " is a "
                << tableEntry(EVOLUTIONS, evolution.getEvolution()) << " mirl."
                << std::endl;
      evolution.printSliders();
      break;
    }
    case kLooks: {
      const Breed genotype = creature.getBreed();
      genotype.printPhenotype();
      if (genotype.isPure()) say("This mirl is purebred!");
      break;
    }
    case kGenes:
      creature.getBreed().printGenotype();
      break;
    default:
      break;
  }
}

// The age tick after a choice; a creature reborn says so.
void passHour(Garden& garden) {
  for (const AgeEvent& event : garden.ageMirl()) {
    if (event.kind == AgeEvent::Kind::kReincarnated) {
      std::cout << garden.mirl[event.slot].getName() << " reincarnated"
                << std::endl;
    }
  }
}

}  // namespace

void userInterface(Garden& garden) {
  int choice = -1;
  while (choice != kLeave) {
    choice = chooseFromMainMenu(garden);
    switch (choice) {
      case kLeave:
        say("Goodbye!");
        break;
      case kHatch:
        hatch(garden);
        break;
      case kName:
        nameMirl(garden);
        break;
      case kGiveItem:
        giveItem(garden);
        break;
      case kPet:
        pet(garden);
        break;
      case kStatistics:
        statistics(garden);
        break;
      case kBreed:
        breed(garden);
        break;
      default:
        sayInvalid();
        break;
    }
    passHour(garden);
  }
}

void hatch(Garden& garden) {
  if (!garden.hasRoom())
    return sayFull("Garden is full, cannot hatch a new mirl.");
  say("Which type of mirl egg should be hatched?");
  for (const EggKindInfo& egg : EGG_KINDS) {
    std::cout << egg.kind << ") " << egg.name << std::endl;
  }
  std::cout << "Enter choice: ";
  int egg = 0;
  if (!readNumber(egg) || !isEggKind(egg)) return;
  int gene = 0;
  if (!readGene(egg, gene)) return;
  hatchEgg(garden, egg, gene);
}

void breed(Garden& garden) {
  garden.listMirl();
  std::cout << "Which mirl should be bred? ";
  int first = 0;
  int second = 0;
  const Typed typed = readTyped(first);
  if (typed == Typed::kNothing) return;
  // A first number too large for any slot took the rest of its line, the
  // second number with it.
  if (typed == Typed::kTooBig) return sayInvalid();
  if (!readNumber(second)) return;
  switch (breedRefusal(garden, first, second)) {
    case BreedRefusal::kSameCreature:
      return say("A mirl cannot be bred with itself.");
    case BreedRefusal::kNotInGarden:
      return sayInvalid();
    case BreedRefusal::kChild:
      return say("Child mirl cannot be bred.");
    case BreedRefusal::kGardenFull:
      return sayFull("The garden is full, cannot breed a new Mirl.");
    case BreedRefusal::kNone:
      return breedInGarden(garden, first, second);
  }
}

void nameMirl(Garden& garden) {
  garden.listMirl();
  std::cout << "Which Mirl would you like to name? ";
  int slot = 0;
  if (!readSlot(garden, slot)) return;
  std::cout << "What would you like to name it? ";
  std::string name;
  switch (readName(name)) {
    case Typed::kFits:
      // A name unsafe to print would reach the terminal raw in every listing.
      if (nameRefusal(name) != NameRefusal::kNone) return sayInvalid();
      return garden.mirl[slot].setName(name);
    case Typed::kTooBig:
      return sayInvalid();
    case Typed::kNothing:
      return;
  }
}

void pet(Garden& garden) {
  garden.listMirl();
  std::cout << "Pet which mirl: ";
  int slot = 0;
  if (!readSlot(garden, slot)) return;
  std::cout << "Which Alignment?(-1: Hero, 0: Neutral, 1: Dark) ";
  int alignment = 0;
  if (!readNumber(alignment)) return;
  garden.mirl[slot].pet(alignment);
}

void giveItem(Garden& garden) {
  const ItemCollection items;
  garden.listMirl();
  std::cout << "Which Mirl should get the item? ";
  int slot = 0;
  if (!readSlot(garden, slot)) return;
  say("Which kind of item do you want to give?");
  say("1) Food");
  say("2) Orvan Drives");
  say("3) Small Animals");
  std::cout << "enter choice: ";
  int kind = 0;
  if (!readNumber(kind) || kind < kFood || kind > kSmallAnimal) return;
  listItems(items, kind);
  int index = 0;
  if (!readItem(itemQuestion(kind), itemCount(items, kind), index)) return;
  giveFromCatalogue(garden.mirl[slot], items, kind, index);
}

void statistics(Garden& garden) {
  int view = -1;
  while (view != kBack) {
    printStatisticsMenu();
    if (!readNumber(view)) return;
    if (view >= kNameAge && view <= kGenes) {
      garden.listMirl();
      std::cout << "Which mirl's statistics should be printed? ";
      int slot = 0;
      if (!readNumber(slot)) return;
      if (garden.isOccupied(slot)) {
        showStatistics(view, garden.mirl[slot]);
      } else {
        sayInvalid();
      }
    } else if (view != kBack) {
      say("Invalid Input");
    }
    passHour(garden);
  }
}
