#include "commands.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <iostream>

#include "garden.h"
#include "garden_file.h"
#include "portrait.h"

namespace {

constexpr int kUsageError = 2;

constexpr char kUsage[] =
    "Usage: tumblenook [OPTION]\n"
    "A console garden of up to eight small creatures, the Mirl: hatch, name,\n"
    "feed, pet and breed them, and watch them grow. Without an option the\n"
    "game is played on the garden kept in mirl.dat in the current folder,\n"
    "with the catalogue in fruits.dat and animals.dat beside it.\n"
    "\n"
    "Options:\n"
    "  -l, --list     show every creature of the garden, changing nothing\n"
    "  -h, --help     show this help and exit\n"
    "  -V, --version  show the version and exit\n"
    "\n"
    "Exit status: 0 when all went well; 1 when the garden could not be read\n"
    "or saved, or another game holds it; 2 for an unknown option. Ctrl-C\n"
    "leaves and saves; the shell then sees 128 + the signal (130).\n";

// What the command line asks for.
enum class Command { kPlay, kList, kHelp, kVersion, kUnknown };

bool is(const char* argument, const char* shortName, const char* longName) {
  return std::strcmp(argument, shortName) == 0 ||
         std::strcmp(argument, longName) == 0;
}

// Reads the options; help wins over version, which wins over the list. Any
// other argument, an operand after "--" included, is unknown.
Command parseOptions(int argc, char** argv) {
  bool help = false;
  bool version = false;
  bool list = false;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    if (options && std::strcmp(argument, "--") == 0) {
      options = false;
    } else if (options && is(argument, "-h", "--help")) {
      help = true;
    } else if (options && is(argument, "-V", "--version")) {
      version = true;
    } else if (options && is(argument, "-l", "--list")) {
      list = true;
    } else {
      std::cerr << "tumblenook: "
                << (options && argument[0] == '-' ? "unknown option"
                                                  : "unexpected argument")
                << " '" << argument << "'\n";
      return Command::kUnknown;
    }
  }
  if (help) return Command::kHelp;
  if (version) return Command::kVersion;
  return list ? Command::kList : Command::kPlay;
}

// The exit status of an option that printed `out`: a failure to write it is
// one too.
int printed(std::ostream& out) {
  if (out.flush()) return EXIT_SUCCESS;
  std::cerr << "tumblenook: cannot write the output" << std::endl;
  return EXIT_FAILURE;
}

// Shows every creature of the garden, changing nothing: no hour passes and
// no file is written.
int listGarden() {
  if (!viewGarden(kGardenFile)) return EXIT_FAILURE;
  const bool colour = wantColour(isatty(STDOUT_FILENO) == 1,
                                 std::getenv("NO_COLOR"), std::getenv("TERM"));
  if (emptySlot == 0) std::cout << "The garden is empty.\n";
  for (int slot = 0; slot < emptySlot; ++slot) {
    if (slot > 0) std::cout << '\n';
    printPortrait(std::cout, slot, mirl[slot], colour);
  }
  return printed(std::cout);
}

}  // namespace

std::optional<int> runOptions(int argc, char** argv) {
  switch (parseOptions(argc, argv)) {
    case Command::kPlay:
      return std::nullopt;
    case Command::kList:
      return listGarden();
    case Command::kHelp:
      std::cout << kUsage;
      return printed(std::cout);
    case Command::kVersion:
      std::cout << "tumblenook " TUMBLENOOK_VERSION "\n";
      return printed(std::cout);
    case Command::kUnknown:
      std::cerr << kUsage;
      return kUsageError;
  }
  return kUsageError;
}
