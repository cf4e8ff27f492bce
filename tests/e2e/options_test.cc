// The command line: each option does its one job and leaves the folder it
// runs in as it was; --list shows the garden without changing it, in colour
// only on a terminal.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "garden.h"
#include "session.h"
#include "test_util.h"
#include "trade_code.h"

namespace e2e {
namespace {

// A garden folder that cannot be: a path under a file. Every game of these
// tests looks for the player's garden there, and not in the home of whoever
// runs them, unless a test names another.
constexpr char kNowhere[] = "/dev/null/tumblenook";

class NoPlayersGarden : public ::testing::Environment {
 public:
  void SetUp() override { setenv("TUMBLENOOK_GARDEN", kNowhere, 1); }
};
[[maybe_unused]] ::testing::Environment* const kNoPlayersGarden =
    ::testing::AddGlobalTestEnvironment(new NoPlayersGarden);

constexpr char kUsage[] = "Usage: tumblenook [OPTION]\n";
constexpr char kTryHelp[] = "Try 'tumblenook --help' for more information.\n";

TEST(Options, DoTheirJobAndTouchNoFolder) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;  // the start of standard output
    bool usageError;  // one line of what is wrong, then kTryHelp
  };
  const std::string version = "tumblenook " TUMBLENOOK_VERSION "\n";
  const std::string empty = "The garden is empty.\n";
  const Case cases[] = {
      {{"--help"}, 0, kUsage, false},
      {{"-h"}, 0, kUsage, false},
      {{"--he"}, 0, kUsage, false},
      {{"--version"}, 0, version, false},
      {{"-V"}, 0, version, false},
      {{"--v"}, 0, version, false},
      {{"--list"}, 0, empty, false},
      {{"-l"}, 0, empty, false},
      {{"--lis"}, 0, empty, false},
      {{"--book"},
       0,
       "Tumblenook gardener's book, version 1\nhours 0\n",
       false},
      {{"--bo"}, 0, "Tumblenook gardener's book, version 1\n", false},
      {{"--book=1"}, 2, "", true},
      {{"--book", "--list"}, 2, "", true},
      {{"--exp=0"}, 1, "", false},  // refused: the garden is empty
      {{"--listing"}, 2, "", true},
      {{"--list=0"}, 2, "", true},
      {{"-"}, 2, "", true},
      {{"--bogus"}, 2, "", true},
      {{"-x"}, 2, "", true},
      {{"stray"}, 2, "", true},
      {{"--", "-l"}, 2, "", true},
      {{"--export"}, 2, "", true},
      {{"--release", "x"}, 2, "", true},
      {{"-l", "--export", "0"}, 2, "", true},
      {{"--import", "x", "--release", "0"}, 2, "", true},
      {{"--\x1b]0;x\x07"}, 2, "", true},
      {{"--export", "\x1b[2J"}, 2, "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0]);
    GameSetup game("0\n");  // would leave, and save, if it were played
    game.args = c.args;
    game.shippedCatalogue = false;
    const GameResult run = runGame(game);
    EXPECT_EQ(c.status, run.status);
    EXPECT_EQ(c.out, run.out.substr(0, c.out.size()));
    EXPECT_EQ(std::string::npos, run.err.find(kUsage));
    EXPECT_EQ(std::string::npos, run.err.find('\x1b'));  // typed, shown safe
    if (c.usageError) {
      EXPECT_EQ("", run.out);
      EXPECT_EQ(2, std::count(run.err.begin(), run.err.end(), '\n'));
      EXPECT_EQ(0u, run.err.find("tumblenook: "));
      EXPECT_NE(std::string::npos, run.err.find(kTryHelp));
    }
    EXPECT_EQ(0, run.inputRead);
    EXPECT_TRUE(run.files.empty());
    if (c.status == 0) {
      EXPECT_EQ("", run.err);  // no note about a garden that is not there
    }
  }
}

TEST(Options, ListShowsTheGardenAndChangesNothing) {
  Garden third = garden(8);
  third[2].name = "Mi 2";  // two words: the record cannot be loaded
  const std::string note =
      "tumblenook: mirl.dat holds 1 record that could "
      "not be loaded; showing the ";
  const std::tuple<std::string, int, std::string> cases[] = {
      {saveFile(garden(8)), CAPACITY, ""},
      {saveFile(garden(2)) + "Name: Bad\nAge: old\n", 2, note + "2 others\n"},
      {saveFile(third), 7, note + "7 others\n"},
  };
  for (const auto& [file, blocks, err] : cases) {
    GameSetup game("", FileMap{{"mirl.dat", file}});
    game.args = {"--list"};
    const GameResult run = runGame(game);
    EXPECT_EQ(0, run.status);
    for (int slot = 0; slot < CAPACITY; ++slot) {
      const std::string header = std::to_string(slot) + ": Mi";
      EXPECT_EQ(slot < blocks, run.out.find(header) != std::string::npos);
    }
    EXPECT_EQ(std::string::npos, run.out.find('\033'));
    EXPECT_EQ(err, run.err);
    for (auto& [name, bytes] : game.files) EXPECT_EQ(bytes, run.file(name));
    EXPECT_EQ(3u, run.files.size());  // the garden and the catalogue
  }
}

// --book prints the book kept beside the garden as it is, touching no file;
// a damaged one is shown as far as it reads, with one note.
TEST(Options, BookPrintsTheGardensBookAndChangesNothing) {
  const std::string book =
      "Tumblenook gardener's book, version 1\nhours 7\neggs-hatched 2\n"
      "eggs-bred 0\nevolved 0\nreincarnated 0\nreleased 0\nimported 0\n"
      "most-reincarnations 0\ncolour 3 raised 1 Brown\nend\n";
  std::string damaged = book;
  damaged.replace(damaged.find("hours 7"), 7, "hours x");
  const std::tuple<std::string, std::string, int> cases[] = {
      {book, book, 0},
      {damaged, "colour 3 raised 1 Brown\n", 1},
  };
  for (const auto& [file, shown, notes] : cases) {
    GameSetup game(
        "", FileMap{{"mirl.dat", saveFile(garden(2))}, {"book.txt", file}});
    game.args = {"--book"};
    const GameResult run = runGame(game);
    EXPECT_EQ(0, run.status);
    EXPECT_NE(std::string::npos, run.out.find(shown)) << run.out;
    EXPECT_EQ(notes, std::count(run.err.begin(), run.err.end(), '\n'));
    for (auto& [name, bytes] : game.files) EXPECT_EQ(bytes, run.file(name));
    EXPECT_FALSE(run.files.count("book.txt.bak"));
  }
}

// The code of `creature`, as --export prints it.
std::string codeOf(const Record& creature) {
  return *encodeCode(creature.text());
}

// A command and what it must do: succeed with `out` on standard output
// leaving `saved` as the garden ("" unchanged), or be refused (status 1,
// `out` empty, standard error holding `says`) leaving the garden as it was.
struct CommandCase {
  const char* what;
  std::vector<std::string> args;
  std::string garden;
  int status = 1;
  std::string out, saved;
  int errLines = 1;
  bool busy = false;  // another game plays the garden meanwhile
  const char* says = "";
  std::string input{};  // standard input
};

CommandCase done(const char* what, std::vector<std::string> args,
                 std::string garden, std::string out, std::string saved = "",
                 int errLines = 0) {
  return {what,           std::move(args),  std::move(garden), 0,
          std::move(out), std::move(saved), errLines};
}

CommandCase refused(const char* what, const char* says,
                    std::vector<std::string> args, std::string garden = "") {
  return {what, std::move(args), std::move(garden), 1, "", "", 1, false, says};
}

CommandCase whileBusy(CommandCase c) {
  c.busy = true;
  return c;
}

// `c`, with `input` on its standard input.
CommandCase given(std::string input, CommandCase c) {
  c.input = std::move(input);
  return c;
}

TEST(Commands, MoveCreaturesInAndOutOrRefuseTouchingNothing) {
  const Garden three = garden(3);
  const std::string all = saveFile(three), two = saveFile(garden(2));
  const std::string mi0 = codeOf(three[0]), mi1 = codeOf(three[1]);
  const std::string rest = three[1].text() + three[2].text();
  std::string changed = mi1;
  changed[mi1.size() / 2] = changed[mi1.size() / 2] == 'A' ? 'B' : 'A';
  const std::string mailed = wrapped(mi1, 76, "\r\n");
  const std::string longest = "mirl1." + std::string(500, 'A');
  const std::string tooLong = longest + "." + codeCheck(longest);
  const std::vector<std::string> fromInput = {"--import", "-"};
  const std::string damaged = two + "Name: Bad\nAge: old\n";
  const std::string joined = "Mi1 joined the garden in slot 2.\n";
  const std::string withMi1 = two + three[1].text();
  const CommandCase cases[] = {
      done("export", {"--export", "1"}, all, mi1 + "\n"),
      done("import", {"--import", mi1}, two, joined, withMi1),
      done("release", {"--release=0"}, all, mi0 + "\n", rest, 1),
      done("import after release", {"--import", " " + mi0 + "\n"}, rest,
           "Mi0 joined the garden in slot 2.\n", rest + three[0].text()),
      done("damaged", {"--import", mi1}, damaged, joined, withMi1, 1),
      given(mailed, done("from input", fromInput, two, joined, withMi1)),
      given(std::string(4096 - mi1.size(), ' ') + mi1,
            done("input at its limit", fromInput, two, joined, withMi1)),
      given(std::string(4097 - mi1.size(), ' ') + mi1,
            refused("input too long", "more than 4096 bytes", fromInput, two)),
      given("", refused("empty input", "not a creature code\n", fromInput)),
      refused("full", "the garden is full", {"--import", mi1},
              saveFile(garden(8))),
      refused("export outside", "creatures are in slots 0 to 2\n",
              {"--export", "3"}, all),
      refused("release outside",
              "slot -1 is outside the garden:", {"--release", "-1"}, all),
      refused("outside one", ": its creature is in slot 0\n", {"--export", "1"},
              saveFile(garden(1))),
      refused("no garden", "no creature in slot 0: the garden is empty\n",
              {"--release", "0"}),
      refused("name too long", "too long for a code", {"--export", "0"},
              Record(std::string(200, 'n')).text()),
      refused("not a code", "this is not a creature code\n",
              {"--import", "Pip"}, all),
      refused("file name",
              "code; to import the code kept in mirl.dat, use "
              "--import - < mirl.dat\n",
              {"--import", "mirl.dat"}, all),
      refused("newer", "newer version", {"--import", "mirl2" + mi1.substr(5)}),
      refused("too long", "code is too long: a code has at most 512",
              {"--import", tooLong}, all),
      refused("changed", "mistyped: its check", {"--import", changed}, all),
      refused("cut", "cut short", {"--import", mi1.substr(0, 200)}),
      refused("no creature", "holds no creature",
              {"--import", *encodeCode("Name: Pip\n")}),
      whileBusy(refused("busy import", "another game", {"--import", mi1}, all)),
      whileBusy(
          refused("busy release", "another game", {"--release", "0"}, all)),
      whileBusy(done("busy export", {"--export", "1"}, all, mi1 + "\n")),
  };
  for (const CommandCase& c : cases) {
    SCOPED_TRACE(c.what);
    GameSetup game(c.input, {{"mirl.dat", c.garden}});
    if (c.garden.empty()) game.files.clear();
    game.args = c.args;
    GameResult run;
    if (c.busy) {
      GameSetup player("", game.files);
      player.waitFor = mainMenu(3);
      player.meanwhile = [&](pid_t, const GameSetup::Folder& folder) {
        run = runGameIn(folder, game);
      };
      runGame(player);
    } else {
      run = runGame(game);
    }
    EXPECT_EQ(c.status, run.status) << run.err;
    EXPECT_EQ(c.out, run.out);
    EXPECT_EQ(c.errLines, std::count(run.err.begin(), run.err.end(), '\n'));
    EXPECT_NE(std::string::npos, run.err.find(c.says)) << run.err;
    if (c.busy) continue;
    EXPECT_EQ(c.saved.empty() ? c.garden : c.saved, run.file("mirl.dat"));
    EXPECT_EQ(c.garden == damaged ? damaged : "", run.file("mirl.dat.bak"));
    // Refused where there is no garden, it leaves not even a lock.
    if (c.garden.empty() && c.status != 0) {
      EXPECT_EQ(0u, run.files.count("mirl.dat.lock"));
    }
  }
}

// The variables that name the player's garden folder, set for the games a
// test starts; the test's own come back when it ends.
class GardenVariables {
 public:
  GardenVariables() {
    for (const char* name : kNames) {
      const char* value = getenv(name);
      saved_.push_back(value ? std::optional<std::string>(value)
                             : std::nullopt);
    }
  }
  ~GardenVariables() {
    for (size_t i = 0; i < saved_.size(); ++i) set(kNames[i], saved_[i]);
  }
  GardenVariables(const GardenVariables&) = delete;
  GardenVariables& operator=(const GardenVariables&) = delete;

  // Sets TUMBLENOOK_GARDEN, XDG_DATA_HOME and HOME, or unsets those given
  // no value.
  void setAll(const std::optional<std::string> (&values)[3]) {
    for (int i = 0; i < 3; ++i) set(kNames[i], values[i]);
  }

 private:
  static constexpr const char* kNames[] = {"TUMBLENOOK_GARDEN", "XDG_DATA_HOME",
                                           "HOME"};
  static void set(const char* name, const std::optional<std::string>& value) {
    if (value) {
      setenv(name, value->c_str(), 1);
    } else {
      unsetenv(name);
    }
  }
  std::vector<std::optional<std::string>> saved_;
};

// Which variable names the garden folder: TUMBLENOOK_GARDEN, else
// XDG_DATA_HOME (the other one empty), else HOME (both empty); none set at
// all; or TUMBLENOOK_GARDEN naming the folder the game runs in.
enum class Named { kOwn, kData, kHome, kNoVariable, kGamesFolder };

TEST(Options, LookingWhereNoGardenIsSaysWhereThePlayersGardenIs) {
  struct Case {
    const char* what;
    Named named;
    bool there;  // the garden folder holds a garden (the others do not)
    bool here;   // the folder the game runs in holds its own
    bool note;
  };
  const Case cases[] = {
      {"own folder", Named::kOwn, true, false, true},
      {"own folder empty", Named::kOwn, false, false, false},
      {"data folder", Named::kData, true, false, true},
      {"data folder empty", Named::kData, false, false, false},
      {"home folder", Named::kHome, true, false, true},
      {"home folder empty", Named::kHome, false, false, false},
      {"a garden here too", Named::kOwn, true, true, false},
      {"no variable", Named::kNoVariable, false, false, false},
      {"here is the garden folder", Named::kGamesFolder, true, true, false},
      {"here is the empty garden folder", Named::kGamesFolder, false, false,
       false},
  };
  const std::vector<std::string> commands[] = {
      {"--list"}, {"--export", "0"}, {"--release", "0"}};
  const std::string kept = saveFile(garden(3));
  for (const Case& c : cases) {
    for (const std::vector<std::string>& args : commands) {
      SCOPED_TRACE(std::string(c.what) + " " + args[0]);
      GardenVariables variables;
      const std::filesystem::path player = makeTempFolder("tumblenook-player");
      const std::string own = player / "own", data = player / "data",
                        home = player / "home";
      const std::string folders[] = {own, data + "/tumblenook",
                                     home + "/.local/share/tumblenook"};
      const int chosen = static_cast<int>(c.named);
      for (int i = 0; i < 3; ++i) {
        const bool holds =
            c.named == Named::kNoVariable || i != chosen ? !c.there : c.there;
        std::filesystem::create_directories(folders[i]);
        if (holds) writeFile(folders[i] + "/mirl.dat", kept);
      }
      GameSetup game(
          "", c.here ? FileMap{{"mirl.dat", saveFile(garden(2))}} : FileMap{});
      game.args = args;
      const GameResult alone = runGame(game);  // no garden folder named
      switch (c.named) {
        case Named::kOwn:
          variables.setAll({own, data, home});
          break;
        case Named::kData:
          variables.setAll({"", data, home});
          break;
        case Named::kHome:
          variables.setAll({"", "", home});
          break;
        case Named::kNoVariable:
          variables.setAll({std::nullopt, std::nullopt, std::nullopt});
          break;
        case Named::kGamesFolder:
          variables.setAll({std::nullopt, data, home});
          game.prepare = [](const GameSetup::Folder& folder) {
            setenv("TUMBLENOOK_GARDEN", folder.c_str(), 1);
          };
          break;
      }
      const GameResult run = runGame(game);
      EXPECT_EQ(alone.status, run.status);
      EXPECT_EQ(alone.out, run.out);
      const std::string note =
          c.note ? "tumblenook: this folder holds no garden; yours is in " +
                       folders[chosen] +
                       ": tumblenook-play plays it, and takes this option "
                       "too\n"
                 : "";
      EXPECT_EQ(alone.err + note, run.err);
      for (const std::string& folder : folders) {  // looked at, not touched
        EXPECT_TRUE(readFile(folder + "/mirl.dat").empty() ||
                    readFile(folder + "/mirl.dat") == kept);
      }
      std::filesystem::remove_all(player);
    }
  }
}

// What `tumblenook --list` prints for a garden of one, on a terminal of
// script(1) or into a pipe, with `env` its only TERM and NO_COLOR.
std::string listed(bool terminal, const std::string& env) {
  TempDir dir;
  writeFile("mirl.dat", saveFile(garden(1)));
  const std::string game = TUMBLENOOK_GAME " --list";
  const std::string command =
      "env -u TERM -u NO_COLOR " + env + " " +
      (terminal ? "script -qec '" + game + "' /dev/null" : game);
  FILE* out = popen(command.c_str(), "r");
  std::string text;
  char buffer[4096];
  for (size_t got; (got = fread(buffer, 1, sizeof buffer, out)) > 0;) {
    text.append(buffer, got);
  }
  EXPECT_EQ(0, pclose(out));
  return text;
}

TEST(Options, ListIsInColourOnlyOnAColourTerminal) {
  const std::tuple<bool, const char*, bool> cases[] = {
      {true, "TERM=xterm", true},
      {false, "TERM=xterm", false},
      {true, "TERM=dumb", false},
      {true, "", false},
      {true, "TERM=xterm NO_COLOR=", true},  // only a value counts
      {true, "TERM=xterm NO_COLOR=1", false}};
  for (const auto& [terminal, env, colour] : cases) {
    SCOPED_TRACE(std::string(terminal ? "terminal " : "pipe ") + env);
    const std::string text = listed(terminal, env);
    EXPECT_NE(std::string::npos, text.find("0: Mi0"));
    EXPECT_EQ(colour, text.find("\033[") != std::string::npos);
  }
}

}  // namespace
}  // namespace e2e
