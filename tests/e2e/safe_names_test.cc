// Names that are safe to print, whichever way they reach the game: a name
// typed at the naming prompt that is unsafe is refused, and one read from
// the garden or the catalogue is repaired with "_" for each unsafe
// character, with a note on standard error. No escape or bell byte of a
// name ever reaches standard output. Each row says how its name arrives (an
// Arrival: a new way in is one more function and its rows), the name, what
// the game shows instead and how many notes it writes.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "session.h"
#include "trade_code.h"

namespace e2e {
namespace {

// The name of the window-retitling, screen-clearing, recolouring attack.
const std::string kAttack = "Pip\x1B]0;PWNED\x07\x1B[2J\x1B[31m";

struct NameCase;
// Plays a game into which the name of a row arrives in its own way, checks
// what is particular to that way, and returns the run.
using Arrival = GameResult (*)(const NameCase&);

struct NameCase {
  const char* what;
  Arrival arrives;
  std::string name;   // as it arrives
  std::string shown;  // as the game then shows and keeps it
  int notes;          // lines on standard error
};

long lines(const std::string& text) {
  return std::count(text.begin(), text.end(), '\n');
}

bool holds(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Names the egg Pip `c.name`, then leaves; checks the answer and the save.
GameResult typed(const NameCase& c) {
  const bool refused = c.shown != c.name;
  Session s(1);
  s.choose("2\n0\n" + c.name,
           "0: Pip\nWhich Mirl would you like to name? What would you like "
           "to name it? " +
               std::string(refused ? "invalid input\n" : ""))
      .leave();
  const GameResult run = runGame(setup(s.input, {Record()}));
  EXPECT_EQ(s.output, run.out);
  EXPECT_EQ(Record(c.shown, s.hours).text(), run.file("mirl.dat"));
  EXPECT_EQ(0u, run.files.count("mirl.dat.bak"));
  return run;
}

// Views the name of a creature of 49 hours, which reincarnates as the hour
// passes, then leaves; then lists the same garden with --list.
GameResult inGarden(const NameCase& c) {
  const bool repaired = c.shown != c.name;
  const std::string file = Record(c.name, 49).text();
  Session s(1);
  s.choose("5").view("1\n0").view("0").leave();
  const GameResult run = runGame(setup(s.input, {Record(c.name, 49)}));
  EXPECT_TRUE(holds(run.out, "0: " + c.shown + "\n" + kWhichStats + c.shown +
                                 " is 49 mirl hours old"));
  EXPECT_TRUE(holds(run.out, c.shown + " reincarnated\n"));
  Record reborn(c.shown, s.hours - 1, 1);
  for (SkillRecord& skill : reborn.skills) skill.level = 1;
  EXPECT_EQ(reborn.text(), run.file("mirl.dat"));
  EXPECT_EQ(repaired ? file : "", run.file("mirl.dat.bak"));
  EXPECT_EQ(repaired, holds(run.err,
                            "mirl.dat held names unsafe to print, "
                            "repaired with \"_\"; the whole file is "
                            "kept as mirl.dat.bak\n"));

  GameSetup list("", FileMap{{"mirl.dat", file}});
  list.args = {"--list"};
  const GameResult listed = runGame(list);
  EXPECT_TRUE(holds(listed.out, "0: " + c.shown + "\n"));
  EXPECT_FALSE(holds(listed.out, "\x1B"));
  EXPECT_EQ(repaired ? 1 : 0, lines(listed.err)) << listed.err;
  EXPECT_EQ(repaired, holds(listed.err,
                            "mirl.dat holds names unsafe to "
                            "print; showing them with \"_\""));
  EXPECT_EQ(file, listed.file("mirl.dat"));
  EXPECT_EQ(0u, listed.files.count("mirl.dat.bak"));
  return run;
}

// Shows the list of the catalogue file whose only entry holds the name,
// then leaves.
GameResult inCatalogue(const NameCase& c, bool fruits) {
  const std::string path = fruits ? "fruits.dat" : "animals.dat";
  GameSetup game = setup(
      std::string("3\n0\n") + (fruits ? "1" : "3") + "\n0\n0\n", {Record()});
  game.files[path] = "A B C D E F G H\n" + std::string(fruits ? "" : "2 ") +
                     c.name + " 1 0 0 0 0 0 0\n";
  const GameResult run = runGame(game);
  EXPECT_TRUE(holds(run.out, "choice: 0) " + c.shown + "\nWhich "));
  EXPECT_EQ(c.shown != c.name,
            holds(run.err, path + " holds names unsafe to print"));
  return run;
}

// Imports the code of a creature with the name into an empty garden, as an
// argument or (with `input`) on standard input.
GameResult imported(const NameCase& c, bool input) {
  const std::string code = *encodeCode(Record(c.name).text());
  GameSetup game(input ? code + "\n" : "");
  game.args = {"--import", input ? "-" : code};
  const GameResult run = runGame(game);
  EXPECT_EQ(c.shown + " joined the garden in slot 0.\n", run.out);
  EXPECT_EQ(Record(c.shown).text(), run.file("mirl.dat"));
  return run;
}

GameResult inImportCode(const NameCase& c) { return imported(c, false); }

// Keeps the code in a file named as the creature: `--import NAME` is
// refused with a hint that names the file safely, then `--import - < NAME`.
GameResult inCodeFile(const NameCase& c) {
  GameSetup game("", FileMap{{c.name, "x"}});
  game.args = {"--import", c.name};
  const GameResult run = runGame(game);
  EXPECT_TRUE(holds(run.err, "use --import - < " + c.shown + "\n")) << run.err;
  EXPECT_FALSE(holds(run.err, "\x1B"));
  return imported(c, true);
}

GameResult inFruits(const NameCase& c) { return inCatalogue(c, true); }
GameResult inAnimals(const NameCase& c) { return inCatalogue(c, false); }

TEST(SafeNames, TypedOnesAreRefusedStoredOnesRepairedNoneReachTheTerminal) {
  const std::string emile = "\xC3\x89mile";
  const std::string bird = "\xE5\xB0\x8F\xE9\xB3\xA5";
  const NameCase cases[] = {
      {"typed attack", typed, kAttack, "Pip", 0},
      {"typed C1 control", typed, "Ab\xC2\x85", "Pip", 0},
      {"typed cut UTF-8", typed, "Ab\xE5\xB0", "Pip", 0},
      {"typed right-to-left override", typed, "Pip\xE2\x80\xAEkcab", "Pip", 0},
      {"typed UTF-8", typed, emile, emile, 0},
      {"stored attack", inGarden, kAttack, "Pip_]0;PWNED__[2J_[31m", 1},
      {"stored invalid UTF-8", inGarden, "M\xFF\xC0\xAF", "M___", 1},
      {"stored isolate", inGarden, "a\xE2\x81\xA6z", "a_z", 1},
      {"stored UTF-8", inGarden, bird, bird, 0},
      {"fruit attack", inFruits, "Kiwi\x1B[2J\x07", "Kiwi_[2J_", 1},
      {"fruit UTF-8", inFruits, emile, emile, 0},
      {"animal 8-bit CSI", inAnimals, "Moth\x9B[31m", "Moth_[31m", 1},
      {"imported attack", inImportCode, kAttack, "Pip_]0;PWNED__[2J_[31m", 1},
      {"imported UTF-8", inImportCode, bird, bird, 0},
      {"code file attack", inCodeFile, kAttack, "Pip_]0;PWNED__[2J_[31m", 1},
      {"code file UTF-8", inCodeFile, bird, bird, 0},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.what);
    const GameResult run = c.arrives(c);
    EXPECT_EQ(0, run.status);
    EXPECT_FALSE(holds(run.out, "\x1B")) << "an escape reached the terminal";
    EXPECT_FALSE(holds(run.out, "\x07")) << "a bell reached the terminal";
    if (c.shown != c.name) {
      EXPECT_FALSE(holds(run.out, c.name));
    }
    EXPECT_EQ(c.notes, lines(run.err)) << run.err;
  }
}

}  // namespace
}  // namespace e2e
