#include "commands.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

#include "actions.h"
#include "file_bytes.h"
#include "garden.h"
#include "garden_file.h"
#include "portrait.h"
#include "safe_text.h"
#include "terminal.h"
#include "trade_code.h"

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
    "      --screen      play on the full screen of a terminal; there ? lists\n"
    "                    every key, l the log, e the egg planner, k the book\n"
    "  -l, --list        show every creature of the garden, changing nothing\n"
    "      --export N    print the code of the creature in slot N (from 0)\n"
    "      --import CODE bring the creature of CODE into the first empty "
    "slot;\n"
    "                    with CODE -, the code is read from standard input\n"
    "      --release N   print the code of the creature in slot N, then let\n"
    "                    it go; the creatures after it move down one slot\n"
    "      --book        print the gardener's book: every form, colour and\n"
    "                    coat the garden has held, and its counts (book.txt)\n"
    "  -h, --help        show this help and exit\n"
    "  -V, --version     show the version and exit\n"
    "A long option may be shortened while it names one option only: --lis.\n"
    "\n"
    "A code is one line of text: keep it in a file, or give it to a friend\n"
    "to --import. No hour passes for any option.\n"
    "\n"
    "Exit status: 0 when all went well; 1 when the garden could not be read\n"
    "or saved, another game holds it, or an option was refused; 2 for a\n"
    "usage error: an unknown option, a missing or wrong value, or two\n"
    "commands at once. Ctrl-C leaves and saves; the shell then sees 128 +\n"
    "the signal (130).\n";

// What the command line asks for.
enum class Command {
  kPlay,
  kScreen,
  kList,
  kExport,
  kImport,
  kRelease,
  kBook,
  kHelp,
  kVersion,
  kUsageError
};

// The command and the value it was given: a code, or a slot.
struct Options {
  Command command = Command::kPlay;
  std::string value;
  int slot = -1;
};

// An option: its long name, the command it is, its short letter (0 for
// none), and whether it takes a value.
struct Option {
  const char* name;
  Command command;
  char letter;
  bool takesValue;
};
constexpr Option kOptions[] = {{"help", Command::kHelp, 'h', false},
                               {"version", Command::kVersion, 'V', false},
                               {"list", Command::kList, 'l', false},
                               {"screen", Command::kScreen, 0, false},
                               {"export", Command::kExport, 0, true},
                               {"import", Command::kImport, 0, true},
                               {"release", Command::kRelease, 0, true},
                               {"book", Command::kBook, 0, false}};

// Says what is wrong with the command line, as GNU tools do: one line, then
// where to read more.
Command usageError(const std::string& message) {
  std::cerr << "tumblenook: " << message << "\n"
            << "Try 'tumblenook --help' for more information.\n";
  return Command::kUsageError;
}

// The option that `name` ("--list", "--lis", "-l") names, or null with a
// usage error: a long name may be cut short while it names one option only.
const Option* findOption(const std::string& name) {
  const bool isLong = name.rfind("--", 0) == 0;
  const std::string given = name.substr(isLong ? 2 : 1);
  const Option* found = nullptr;
  int matches = 0;
  for (const Option& option : kOptions) {
    if (!isLong) {
      if (given.size() == 1 && given[0] == option.letter) return &option;
      continue;
    }
    const std::string full = option.name;
    if (full == given) return &option;
    if (!given.empty() && full.rfind(given, 0) == 0) {
      found = &option;
      ++matches;
    }
  }
  if (matches == 1) return found;
  usageError(std::string(matches > 1 ? "ambiguous" : "unknown") + " option '" +
             safeText(name) + "'");
  return nullptr;
}

// The option at argv[i] with its value, from "--name=VALUE" or the next
// argument; kUsageError, said, when it is no option or its value is wrong.
Options readOption(int argc, char** argv, int& i) {
  const std::string argument = argv[i];
  const std::string::size_type equals =
      argument.rfind("--", 0) == 0 ? argument.find('=') : std::string::npos;
  const Option* option = findOption(argument.substr(0, equals));
  Options read;
  if (option == nullptr) {
    read.command = Command::kUsageError;
    return read;
  }
  const std::string name = std::string("--") + option->name;
  read.command = option->command;
  if (!option->takesValue) {
    if (equals != std::string::npos) {
      read.command = usageError("option '" + name + "' takes no value");
    }
    return read;
  }
  if (equals != std::string::npos) {
    read.value = argument.substr(equals + 1);
  } else if (i + 1 < argc) {
    read.value = argv[++i];
  } else {
    read.command = usageError("option '" + name + "' needs a value");
  }
  return read;
}

// The slot number `text` spells, in `slot`; false when it is no number.
bool parseSlot(const std::string& text, int& slot) {
  char* end = nullptr;
  errno = 0;
  const long number = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0') return false;
  // Beyond int, the nearest int: a slot outside every garden all the same.
  slot = errno == ERANGE
             ? (number < 0 ? INT_MIN : INT_MAX)
             : static_cast<int>(std::clamp<long>(number, INT_MIN, INT_MAX));
  return true;
}

bool takesSlot(Command command) {
  return command == Command::kExport || command == Command::kRelease;
}

// Reads the options; help wins over version, which wins over the commands.
// At most one command: --screen, --list, --export, --import or --release. Any
// other argument, an operand after "--" included, is a usage error.
Options parseOptions(int argc, char** argv) {
  bool help = false;
  bool version = false;
  bool options = true;
  Options chosen;
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    if (options && std::strcmp(argument, "--") == 0) {
      options = false;
      continue;
    }
    Options next;
    if (!options || argument[0] != '-' || argument[1] == '\0') {
      next.command =
          usageError("unexpected argument '" + safeText(argument) + "'");
    } else {
      next = readOption(argc, argv, i);
    }
    if (next.command == Command::kHelp) {
      help = true;
      continue;
    }
    if (next.command == Command::kVersion) {
      version = true;
      continue;
    }
    if (next.command != Command::kUsageError &&
        chosen.command != Command::kPlay) {
      next.command = usageError(
          "one of --screen, --list, --export, --import, --release and --book "
          "at a time");
    } else if (takesSlot(next.command) && !parseSlot(next.value, next.slot)) {
      next.command =
          usageError("'" + safeText(next.value) + "' is not a slot number");
    }
    if (next.command == Command::kUsageError) return next;
    chosen = next;
  }
  if (help) chosen.command = Command::kHelp;
  if (version && !help) chosen.command = Command::kVersion;
  return chosen;
}

// Plays on the screen, once it is sure that the terminal can hold it.
// Otherwise says why, touching nothing: the exit status of a usage error.
std::optional<int> screenCanStart(PlayOn& playOn) {
  std::string why;
  if (!terminalUsable(why)) {
    std::cerr << "tumblenook: " << why << "; play the line game instead\n";
    return kUsageError;
  }
  playOn = PlayOn::kScreen;
  return std::nullopt;
}

// The exit status of an option that printed `out`: a failure to write it is
// one too.
int printed(std::ostream& out) {
  if (out.flush()) return EXIT_SUCCESS;
  std::cerr << "tumblenook: cannot write the output" << std::endl;
  return EXIT_FAILURE;
}

// Says on standard error why an option was refused; the exit status.
int refuse(const std::string& why) {
  std::cerr << "tumblenook: " << why << std::endl;
  return EXIT_FAILURE;
}

// Shows every creature of the garden, changing nothing: no hour passes and
// no file is written.
int listGarden(Garden& garden) {
  if (!viewGarden(garden, kGardenFile)) return EXIT_FAILURE;
  const bool colour = wantColour(isatty(STDOUT_FILENO) == 1,
                                 std::getenv("NO_COLOR"), std::getenv("TERM"));
  if (garden.emptySlot == 0) std::cout << "The garden is empty.\n";
  for (int slot = 0; slot < garden.emptySlot; ++slot) {
    if (slot > 0) std::cout << '\n';
    printPortrait(std::cout, slot, garden.mirl[slot], colour);
  }
  return printed(std::cout);
}

// Prints the gardener's book kept beside the garden, changing nothing.
int printBook(Garden& garden) {
  if (!viewBook(garden.book, kGardenFile)) return EXIT_FAILURE;
  std::cout << bookText(garden.book);
  return printed(std::cout);
}

// The code argument of --import that reads the code from standard input.
constexpr char kFromInput[] = "-";

// The most bytes of standard input that --import - reads: a few times the
// longest code, for the line ends and blanks of a wrapped one.
constexpr std::size_t kMaxCodeInput = 4096;

// Why `slot` holds no creature, in words that give the slots that do.
std::string noCreatureIn(const Garden& garden, int slot) {
  const std::string number = std::to_string(slot);
  const int count = garden.emptySlot;
  if (count == 0) {
    return "there is no creature in slot " + number + ": the garden is empty";
  }
  return "slot " + number + " is outside the garden: " +
         (count == 1
              ? std::string("its creature is in slot 0")
              : "its creatures are in slots 0 to " + std::to_string(count - 1));
}

// The code of the creature in `slot`, or nothing, with a message, when there
// is none or its record is too long for a code.
std::optional<std::string> codeOf(const Garden& garden, int slot) {
  if (!garden.isOccupied(slot)) {
    refuse(noCreatureIn(garden, slot));
    return std::nullopt;
  }
  std::optional<std::string> code = codeOfCreature(garden.mirl[slot]);
  if (!code) {
    refuse("the name of " + garden.mirl[slot].getName() +
           " is too long for a code; give it a shorter one first");
  }
  return code;
}

// For a code typed as an argument that names a file rather than holds a
// code: how to give the file's code instead. Empty for any other argument.
std::string fileHint(const std::string& argument) {
  struct stat status {};
  if (::stat(argument.c_str(), &status) != 0 || S_ISDIR(status.st_mode)) {
    return "";
  }
  const std::string file = safeText(argument);
  return "; to import the code kept in " + file + ", use --import - < " + file;
}

// The creature that `code` holds, or nothing, with a message that says what
// is wrong with the code or with the record it holds. A `typed` code that
// names a file gets a hint.
std::optional<Mirl> creatureOf(const std::string& code, bool typed) {
  const CodedCreature coded = creatureOfCode(code);
  if (coded.fault != CodeFault::kNone) {
    refuse(describeCodeFault(coded.fault) + (typed ? fileHint(code) : ""));
  } else if (!coded.creature) {
    refuse("the code holds no creature that this game can load");
  }
  return coded.creature;
}

// The code on standard input, as `--import -` takes it; nothing, with a
// message, when the input cannot be read or is longer than any code with
// its line ends could be.
std::optional<std::string> codeFromInput() {
  const FileBytes input = readBytes(STDIN_FILENO, kMaxCodeInput);
  if (input.error != 0) {
    refuse("cannot read the code from standard input: " +
           describeError(input.error));
    return std::nullopt;
  }
  if (!input.whole) {
    refuse("the code is too long: standard input holds more than " +
           std::to_string(kMaxCodeInput) + " bytes");
    return std::nullopt;
  }
  return input.bytes;
}

// Prints the code of the creature in `slot`, changing nothing. Like --list,
// it takes no lock, so it works while a game plays the garden.
int exportCreature(Garden& garden, int slot) {
  if (!viewGarden(garden, kGardenFile)) return EXIT_FAILURE;
  const std::optional<std::string> code = codeOf(garden, slot);
  if (!code) return EXIT_FAILURE;
  std::cout << *code << '\n';
  return printed(std::cout);
}

// Adds the creature of the code given as `argument` (or on standard input,
// for kFromInput) to the first empty slot and saves the garden, as a game
// that hatched it would, but without an hour passing.
int importCreature(Garden& garden, const std::string& argument) {
  const bool typed = argument != kFromInput;
  const std::optional<std::string> code =
      typed ? std::optional<std::string>(argument) : codeFromInput();
  if (!code) return EXIT_FAILURE;
  const std::optional<Mirl> creature = creatureOf(*code, typed);
  if (!creature) return EXIT_FAILURE;
  if (!claimGarden(kGardenFile) || !loadGarden(garden, kGardenFile)) {
    return EXIT_FAILURE;
  }
  if (!garden.hasRoom()) {
    return refuse("the garden is full; release a creature first");
  }
  const int slot = garden.emptySlot;
  importIntoGarden(garden, *creature);
  if (!saveGarden(garden, kGardenFile)) return EXIT_FAILURE;
  // The garden has changed: a failure to say so is reported, not returned.
  std::cout << garden.mirl[slot].getName() << " joined the garden in slot "
            << slot << ".\n";
  printed(std::cout);
  if (creature->wasNameRepaired()) {
    std::cerr << "tumblenook: the name in the code was unsafe to print; it "
                 "is repaired with \""
              << kUnsafeStandIn << '"' << std::endl;
  }
  return EXIT_SUCCESS;
}

// Prints the code of the creature in `slot`, then takes it out of the
// garden and saves it. The creature leaves only once its code is written,
// so that `--release N > file` never loses it.
int releaseCreature(Garden& garden, int slot) {
  // Where there is no garden, there is nothing to let go: the refusal comes
  // before the garden is claimed, so that it leaves not even a lock behind.
  struct stat status {};
  if (::lstat(kGardenFile, &status) != 0 && errno == ENOENT) {
    return refuse(noCreatureIn(garden, slot));
  }
  if (!claimGarden(kGardenFile) || !loadGarden(garden, kGardenFile)) {
    return EXIT_FAILURE;
  }
  const std::optional<std::string> code = codeOf(garden, slot);
  if (!code) return EXIT_FAILURE;
  const std::string name = garden.mirl[slot].getName();
  std::cout << *code << '\n';
  if (!std::cout.flush()) {
    return refuse("cannot write the code, so " + name + " stays");
  }
  releaseFromGarden(garden, slot);
  if (!saveGarden(garden, kGardenFile)) return EXIT_FAILURE;
  std::cerr << "tumblenook: " << name
            << " left the garden; --import with its code brings it back"
            << std::endl;
  return EXIT_SUCCESS;
}

// The player's garden folder, found as tumblenook-play finds it:
// $TUMBLENOOK_GARDEN, else $XDG_DATA_HOME/tumblenook, else
// $HOME/.local/share/tumblenook, an empty variable counting as unset (HOME
// aside). Empty when not even HOME is set: there is no garden folder then.
std::string playersGardenFolder() {
  const char* own = std::getenv("TUMBLENOOK_GARDEN");
  if (own != nullptr && *own != '\0') return own;
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data != nullptr && *data != '\0') {
    return std::string(data) + "/tumblenook";
  }
  const char* home = std::getenv("HOME");
  return home == nullptr ? "" : std::string(home) + "/.local/share/tumblenook";
}

// After an option that looked for the garden in the current folder: where
// that folder holds none and the player's garden folder holds one, one line
// on standard error says where it is, for `tumblenook` run from the wrong
// folder shows an empty garden. Gives back the option's `status`.
int notePlayersGarden(int status) {
  struct stat info {};
  if (::lstat(kGardenFile, &info) == 0 || errno != ENOENT) return status;
  const std::string folder = playersGardenFolder();
  const std::string garden = folder + "/" + kGardenFile;
  if (folder.empty() || ::lstat(garden.c_str(), &info) != 0) return status;
  std::cerr << "tumblenook: this folder holds no garden; yours is in "
            << safeText(folder)
            << ": tumblenook-play plays it, and takes this option too"
            << std::endl;
  return status;
}

}  // namespace

std::optional<int> runOptions(int argc, char** argv, Garden& garden,
                              PlayOn& playOn) {
  const Options options = parseOptions(argc, argv);
  playOn = PlayOn::kLine;
  switch (options.command) {
    case Command::kPlay:
      return std::nullopt;
    case Command::kScreen:
      return screenCanStart(playOn);
    case Command::kList:
      return notePlayersGarden(listGarden(garden));
    case Command::kExport:
      return notePlayersGarden(exportCreature(garden, options.slot));
    case Command::kImport:
      return importCreature(garden, options.value);
    case Command::kRelease:
      return notePlayersGarden(releaseCreature(garden, options.slot));
    case Command::kBook:
      return notePlayersGarden(printBook(garden));
    case Command::kHelp:
      std::cout << kUsage;
      return printed(std::cout);
    case Command::kVersion:
      std::cout << "tumblenook " TUMBLENOOK_VERSION "\n";
      return printed(std::cout);
    case Command::kUsageError:
      return kUsageError;
  }
  return kUsageError;
}
