#include "garden.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <iostream>
#include <limits>
#include <sstream>
#include <utility>

#include "items.h"
#include "names.h"

Mirl mirl[CAPACITY];
int emptySlot = 0;

namespace {

constexpr int kEvolveAge = 20;
constexpr int kReincarnateAge = 50;
constexpr int kLastChildForm = 2;  // forms 0 to 2 are eggs and children

enum MenuChoice { kLeave, kHatch, kName, kGiveItem, kPet, kStatistics, kBreed };
enum EggType { kNormalEgg = 1, kMonotoneEgg, kShinyMonotoneEgg, kJewelEgg };
enum ItemKind { kFood = 1, kDrive, kSmallAnimal };
enum StatisticsView { kBack, kNameAge, kSkills, kForm, kLooks, kGenes };

void say(const char* line) { std::cout << line << std::endl; }

void sayInvalid() { say("invalid input"); }

// Reads a number typed at a prompt inside an action. On a word that is not
// a number the rest of its line is dropped and the stream made usable again,
// so the main menu goes on; at the end of input the stream stays failed, and
// the main menu then leaves.
bool readNumber(int& value) {
  if (std::cin >> value) return true;
  if (!std::cin.eof()) {
    std::cin.clear();
    std::cin.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  }
  return false;
}

bool isOccupied(int slot) { return slot >= 0 && slot < emptySlot; }

// Reads a slot number and answers "invalid input" for one outside the
// garden. False when there is no creature to act on.
bool readSlot(int& slot) {
  if (!readNumber(slot)) return false;
  if (isOccupied(slot)) return true;
  sayInvalid();
  return false;
}

void addToGarden(Mirl creature) { mirl[emptySlot++] = std::move(creature); }

// Reads a colour or coat number for an egg; a number outside the table
// becomes 0.
bool readGene(const char* prompt, int count, int& gene) {
  std::cout << prompt;
  if (!readNumber(gene)) return false;
  if (gene < 0 || gene >= count) gene = 0;
  return true;
}

void printMainMenu() {
  say("Welcome to Tumblenook. Please select an action.");
  say("");
  say("0) Leave the Garden");
  say("1) Hatch a new Mirl");
  if (emptySlot > 0) {
    say("2) Name a Mirl");
    say("3) Give a Mirl an item");
    say("4) Pet a Mirl");
    say("5) View a Mirl''s Statistics");
  }
  if (emptySlot > 1) say("6) Breed two Mirl");
  say("");
  std::cout << "Enter an option: ";
}

void giveFood(const ItemCollection& items, Mirl& creature) {
  items.printFruits();
  std::cout << "Which fruit should be given? ";
  int index = 0;
  if (!readNumber(index)) return;
  if (index < 0 || index >= items.getFruitCount()) return sayInvalid();
  creature.giveFruit(items.getFruit(index));
}

void giveDrive(const ItemCollection& items, Mirl& creature) {
  items.printOrvanDrives();
  std::cout << "Which Orvan Drive should be given? ";
  int index = 0;
  if (!readNumber(index)) return;
  if (index < 0 || index >= ItemCollection::DRIVE_COUNT) return sayInvalid();
  const OrvanDrive drive = items.getOrvanDrive(index);
  creature.giveStatItem(drive.getStats());
  creature.giveEvolutionItem(drive.getEvolution());
}

void giveAnimal(const ItemCollection& items, Mirl& creature) {
  items.printAnimals();
  std::cout << "Which animal should be given? ";
  int index = 0;
  if (!readNumber(index)) return;
  if (index < 0 || index >= items.getAnimalCount()) return sayInvalid();
  const Animal animal = items.getAnimal(index);
  creature.giveStatItem(animal.getStats());
  creature.giveEvolutionItem(animal.getEvolution());
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

// Saves or copies go through a temporary file in the same folder, which is
// flushed to disk and then renamed over the target, so that a reader sees
// the old file or the new one and never part of one.
std::string folderOf(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  ::close(fd);
  return synced;
}

// Returns 0, or the errno of the first step that failed; on failure the
// temporary file is removed and `path` is untouched.
int replaceFile(const std::string& path,
                const std::function<void(std::ofstream&)>& write) {
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return errno;
  int error = 0;
  const auto check = [&error](bool ok) {
    if (!ok && error == 0) error = errno != 0 ? errno : EIO;
  };
  const mode_t mask = ::umask(0);
  ::umask(mask);
  errno = 0;
  check(::fchmod(fd, 0666 & ~mask) == 0);
  if (error == 0) {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    write(out);
    out.close();
    check(!out.fail());
  }
  if (error == 0) check(::fsync(fd) == 0);
  check(::close(fd) == 0);
  if (error == 0) check(::rename(temp.c_str(), path.c_str()) == 0);
  if (error != 0) {
    ::unlink(temp.c_str());
    return error;
  }
  // The rename is durable only once the folder itself is on disk.
  check(syncFolder(folderOf(path)));
  return error;
}

void reportFailure(const char* what, const std::string& path, int error) {
  std::cerr << "tumblenook: " << what << ' ' << path << ": "
            << std::strerror(error) << std::endl;
}

// The whole content of the file at `path`; empty when it cannot be read.
std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Where to keep a copy of `bytes`, the damaged garden at `path`:
// "<path>.bak", or when that holds an earlier copy of other damage, the first
// of "<path>.bak.1", "<path>.bak.2", ... that is free or holds these very
// bytes, so that no earlier copy is ever replaced. Empty when all are taken.
std::string backupPath(const std::string& path, const std::string& bytes) {
  constexpr int kMaxBackups = 100;
  for (int number = 0; number < kMaxBackups; ++number) {
    std::string candidate = path + ".bak";
    if (number > 0) candidate += "." + std::to_string(number);
    if (::access(candidate.c_str(), F_OK) != 0 || readAll(candidate) == bytes) {
      return candidate;
    }
  }
  return "";
}

// Copies the file at `path` to a backup, so that what could not be loaded
// survives the next save.
bool keepBackup(const std::string& path) {
  const std::string bytes = readAll(path);
  const std::string backup = backupPath(path, bytes);
  const int error =
      backup.empty()
          ? EEXIST
          : replaceFile(backup, [&bytes](std::ofstream& out) { out << bytes; });
  if (error != 0) {
    reportFailure("cannot keep a copy of the damaged garden",
                  backup.empty() ? path + ".bak" : backup, error);
    return false;
  }
  std::cerr << "tumblenook: " << path
            << " held records that could not be loaded; the whole file is "
               "kept as "
            << backup << std::endl;
  return true;
}

}  // namespace

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

void userInterface() {
  int choice = -1;
  while (choice != kLeave) {
    printMainMenu();
    // A word that is not a number counts as 0, and so does the end of input.
    if (!(std::cin >> choice)) choice = kLeave;
    switch (choice) {
      case kLeave:
        say("Goodbye!");
        break;
      case kHatch:
        hatch();
        break;
      case kName:
        nameMirl();
        break;
      case kGiveItem:
        giveItem();
        break;
      case kPet:
        pet();
        break;
      case kStatistics:
        statistics();
        break;
      case kBreed:
        breed();
        break;
      default:
        sayInvalid();
        break;
    }
    ageMirl();
  }
}

void hatch() {
  if (emptySlot >= CAPACITY) {
    return say("Garden is full, cannot hatch a new mirl.");
  }
  say("Which type of mirl egg should be hatched?");
  say("1) Normal");
  say("2) Monotone");
  say("3) Shiny Monotone");
  say("4) Jewel");
  std::cout << "Enter choice: ";
  int egg = 0;
  if (!readNumber(egg)) return;
  int gene = 0;
  switch (egg) {
    case kNormalEgg:
      addToGarden(Mirl());
      break;
    case kMonotoneEgg:
    case kShinyMonotoneEgg:
      printColors();
      if (!readGene("Enter number of chosen color: ", COLOR_COUNT, gene)) {
        return;
      }
      addToGarden(Mirl(gene, 0, egg == kShinyMonotoneEgg, false));
      break;
    case kJewelEgg:
      printCoats();
      if (!readGene("Enter number of chosen Jewel Coat: ", COAT_COUNT, gene)) {
        return;
      }
      addToGarden(Mirl(0, gene, false, true));
      break;
    default:
      break;
  }
}

void breed() {
  listMirl();
  std::cout << "Which mirl should be bred? ";
  int first = 0;
  int second = 0;
  if (!readNumber(first) || !readNumber(second)) return;
  if (first == second) return say("A mirl cannot be bred with itself.");
  if (!isOccupied(first) || !isOccupied(second)) return sayInvalid();
  if (mirl[first].getEvolution().getEvolution() <= kLastChildForm ||
      mirl[second].getEvolution().getEvolution() <= kLastChildForm) {
    return say("Child mirl cannot be bred.");
  }
  if (emptySlot >= CAPACITY) {
    return say("The garden is full, cannot breed a new Mirl.");
  }
  addToGarden(Mirl(mirl[first], mirl[second]));
}

void nameMirl() {
  listMirl();
  std::cout << "Which Mirl would you like to name? ";
  int slot = 0;
  if (!readSlot(slot)) return;
  std::cout << "What would you like to name it? ";
  std::string name;
  if (!(std::cin >> name)) return;
  mirl[slot].setName(name);
}

void pet() {
  listMirl();
  std::cout << "Pet which mirl: ";
  int slot = 0;
  if (!readSlot(slot)) return;
  std::cout << "Which Alignment?(-1: Hero, 0: Neutral, 1: Dark) ";
  int alignment = 0;
  if (!readNumber(alignment)) return;
  mirl[slot].pet(alignment);
}

void giveItem() {
  const ItemCollection items;
  listMirl();
  std::cout << "Which Mirl should get the item? ";
  int slot = 0;
  if (!readSlot(slot)) return;
  say("Which kind of item do you want to give?");
  say("1) Food");
  say("2) Orvan Drives");
  say("3) Small Animals");
  std::cout << "enter choice: ";
  int kind = 0;
  if (!readNumber(kind)) return;
  switch (kind) {
    case kFood:
      return giveFood(items, mirl[slot]);
    case kDrive:
      return giveDrive(items, mirl[slot]);
    case kSmallAnimal:
      return giveAnimal(items, mirl[slot]);
    default:
      return;
  }
}

void statistics() {
  int view = -1;
  while (view != kBack) {
    printStatisticsMenu();
    if (!readNumber(view)) return;
    if (view >= kNameAge && view <= kGenes) {
      listMirl();
      std::cout << "Which mirl's statistics should be printed? ";
      int slot = 0;
      if (!readNumber(slot)) return;
      if (isOccupied(slot)) {
        showStatistics(view, mirl[slot]);
      } else {
        sayInvalid();
      }
    } else if (view != kBack) {
      say("Invalid Input");
    }
    ageMirl();
  }
}

bool loadGarden(const std::string& path) {
  std::ifstream in(path);
  if (!in.is_open()) {
    const int error = errno;
    if (error == ENOENT) return true;  // no garden yet
    // A garden that exists but cannot be read must not be overwritten.
    reportFailure("cannot read", path, error);
    return false;
  }
  bool complete = true;
  while ((in >> std::ws) && !in.eof()) {
    if (emptySlot >= CAPACITY) {
      complete = false;
      break;
    }
    Mirl creature(in);
    if (in.fail()) {
      complete = false;
      break;
    }
    addToGarden(std::move(creature));
  }
  return complete || keepBackup(path);
}

bool saveGarden(const std::string& path) {
  const int error = replaceFile(path, [](std::ofstream& out) {
    for (int slot = 0; slot < emptySlot; ++slot) mirl[slot].save(out);
  });
  if (error != 0) reportFailure("cannot save", path, error);
  return error == 0;
}

void clearGarden() { emptySlot = 0; }
