// What a player must never lose a garden to: signals, a closed output, a
// second game on the same garden, read errors, files that are not what they
// seem, and saves that only half fail. Real signals, FIFOs, links and modes;
// read errors, folder syncs and swapped temporaries through the fault shim.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "session.h"
#include "test_util.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using Folder = GameSetup::Folder;

constexpr char kHatchEgg[] = "1\n1\n";

long count(const std::string& text, const std::string& what) {
  long found = 0;
  for (auto at = text.find(what); at != std::string::npos;
       at = text.find(what, at + 1)) {
    ++found;
  }
  return found;
}

bool endsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() &&
         text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The files of a run, without the catalogue and the lock file.
FileMap gardenFiles(FileMap files) {
  for (const char* name : {"fruits.dat", "animals.dat", "mirl.dat.lock"}) {
    files.erase(name);
  }
  return files;
}

TEST(NeverLose, ASignalLeavesAsAtTheEndOfInputAndSaves) {
  const struct {
    int signal, times;
  } cases[] = {{SIGINT, 1}, {SIGHUP, 1}, {SIGTERM, 1}, {SIGTERM, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "signal " << c.signal << " x" << c.times);
    GameSetup game = setup(kHatchEgg, garden(1));
    game.waitFor = mainMenu(2);  // the egg has hatched
    game.meanwhile = [&c](pid_t pid, const Folder&) {
      for (int n = 0; n < c.times; ++n) kill(pid, c.signal);
    };
    const GameResult run = runGame(game);
    EXPECT_EQ(c.signal, run.signal);  // the shell sees 128 + signal
    EXPECT_TRUE(endsWith(run.out, mainMenu(2) + "Goodbye!\n"));
    EXPECT_EQ("", run.err);
    EXPECT_EQ(2, count(run.file("mirl.dat"), "Name:"));
    EXPECT_EQ(0u, run.file("mirl.dat").find(saveFile(aged(garden(1), 2))));
    EXPECT_EQ(1u, gardenFiles(run.files).size());  // no temporary left
  }
}

TEST(NeverLose, ASignalWhileBusyLeavesAtTheNextLineAndSIGKILLOnlyTheSession) {
  std::string manyChoices;
  for (int n = 0; n < 30000; ++n) manyChoices += "9\n";
  GameSetup busy = setup(manyChoices, garden(1));
  busy.waitFor = "invalid input";
  busy.meanwhile = [](pid_t pid, const Folder&) { kill(pid, SIGINT); };
  GameResult run = runGame(busy);
  EXPECT_EQ(SIGINT, run.signal);
  EXPECT_EQ(1, count(run.out, "Goodbye!\n"));
  EXPECT_LT(count(run.out, "invalid input"), 30000);
  EXPECT_EQ(1, count(run.file("mirl.dat"), "Name:"));
  EXPECT_NE(saveFile(garden(1)), run.file("mirl.dat"));

  GameSetup killed = setup(kHatchEgg, garden(1));
  killed.waitFor = mainMenu(2);
  killed.meanwhile = [](pid_t pid, const Folder&) { kill(pid, SIGKILL); };
  run = runGame(killed);
  EXPECT_EQ(SIGKILL, run.signal);
  EXPECT_EQ(saveFile(garden(1)), run.file("mirl.dat"));
}

TEST(NeverLose, AClosedOutputStillSaves) {
  GameSetup game(std::string(kHatchEgg) + "0\n");
  game.brokenOutput = true;
  const GameResult run = runGame(game);
  EXPECT_EQ(0, run.status);
  EXPECT_EQ(1, count(run.file("mirl.dat"), "Name:"));
}

TEST(NeverLose, ASecondGameOnTheGardenStopsTouchingNothing) {
  GameSetup first = setup(kHatchEgg, garden(1));
  first.waitFor = mainMenu(2);
  GameResult second;
  std::string before, after;
  first.meanwhile = [&](pid_t, const Folder& folder) {
    before = readFile(folder / "mirl.dat");
    second = runGameIn(folder, GameSetup("1\n1\n0\n"));
    after = readFile(folder / "mirl.dat");
  };
  const GameResult run = runGame(first);
  EXPECT_EQ(1, second.status);
  EXPECT_EQ("", second.out);
  EXPECT_EQ(1, count(second.err, "\n"));
  EXPECT_NE(std::string::npos, second.err.find("open in another game"));
  EXPECT_EQ(before, after);
  EXPECT_EQ(0, run.status);
  EXPECT_EQ(2, count(run.file("mirl.dat"), "Name:"));
}

// --- Files that are not what they seem, and faults ------------------------

using Prepare = std::function<void(const Folder&)>;

Prepare fifo(const std::string& name) {
  return [name](const Folder& folder) {
    fs::remove(folder / name);
    ASSERT_EQ(0, mkfifo((folder / name).c_str(), 0600));
  };
}

Prepare link(const std::string& name, const std::string& to) {
  return [name, to](const Folder& folder) {
    fs::create_symlink(to, folder / name);
  };
}

Prepare mode(const std::string& name, mode_t bits) {
  return [name, bits](const Folder& folder) {
    ASSERT_EQ(0, chmod((folder / name).c_str(), bits));
  };
}

mode_t modeOf(const Folder& path) {
  struct stat status {};
  return lstat(path.c_str(), &status) == 0 ? status.st_mode & 0777 : 0;
}

const std::string kGarden = saveFile(garden(2));
const std::string kDamaged = kGarden + "Name: Bad\nAge: old\n";
// Longer than the game reads of a garden file: the rest is damage to copy.
const std::string kOverlong = kGarden + std::string(300 * 1024, 'x');

// The one refusal that comes at the end, after play: the old garden stays.
constexpr char kCannotSave[] = "cannot save";

struct Case {
  const char* what;
  FileMap files;
  Prepare prepare;
  std::vector<std::string> faults;
  int status;       // 0, or 1: refused before the menu, touching nothing
  const char* err;  // what standard error must hold ("" nothing)
  Prepare inspect;      // further checks of the folder after the game
  std::string input = "1\n1\n0\n";
  bool unprivileged = false;
};

TEST(NeverLose, HostileFilesAndFaults) {
  const Case cases[] = {
      {"garden FIFO", {}, fifo("mirl.dat"), {}, 1, "not a regular file", {}},
      {"link to /dev/zero", {}, link("mirl.dat", "/dev/zero"), {}, 1,
       "not a regular file", {}},
      {"link to /dev/urandom", {}, link("mirl.dat", "/dev/urandom"), {}, 1,
       "not a regular file", {}},
      {"dangling link", {}, link("mirl.dat", "gone/mirl.dat"), {}, 1,
       "No such file or directory",
       [](const Folder& f) { EXPECT_TRUE(fs::is_symlink(f / "mirl.dat")); }},
      {"read-only folder", {{"mirl.dat", kGarden}}, mode(".", 0555), {}, 1,
       "Permission denied", {}, "1\n1\n0\n", true},
      {"read error at once", {{"mirl.dat", kGarden}}, {},
       {"TUMBLENOOK_FAULT_READ=mirl.dat:0"}, 1, "Input/output error", {}},
      {"read error in a damaged garden", {{"mirl.dat", kDamaged}}, {},
       {"TUMBLENOOK_FAULT_READ=mirl.dat:100"}, 1, "Input/output error", {}},
      {"read error copying a long garden", {{"mirl.dat", kOverlong}}, {},
       {"TUMBLENOOK_FAULT_READ=mirl.dat:290000"}, 1, "Input/output error", {}},
      {"temporary swapped for a link",
       {{"mirl.dat", kGarden}, {"victim", "precious\n"}}, {},
       {"TUMBLENOOK_FAULT_SWAP_TEMP=victim"}, 1, kCannotSave,
       [](const Folder& f) {
         EXPECT_EQ("precious\n", readFile(f / "victim"));
         EXPECT_EQ(kGarden, readFile(f / "mirl.dat"));
       }},
      {"backup FIFO", {{"mirl.dat", kDamaged}}, fifo("mirl.dat.bak"), {}, 0,
       "kept as mirl.dat.bak.1",
       [](const Folder& f) {
         EXPECT_EQ(kDamaged, readFile(f / "mirl.dat.bak.1"));
       }},
      {"private garden", {{"mirl.dat", kGarden}}, mode("mirl.dat", 0600), {}, 0,
       "", [](const Folder& f) { EXPECT_EQ(0600u, modeOf(f / "mirl.dat")); }},
      {"link to a private damaged garden", {{"real.dat", kDamaged}},
       [](const Folder& f) {
         link("mirl.dat", "real.dat")(f);
         mode("real.dat", 0600)(f);
       },
       {}, 0, "kept as",
       [](const Folder& f) {
         EXPECT_TRUE(fs::is_symlink(f / "mirl.dat"));
         EXPECT_EQ(3, count(readFile(f / "real.dat"), "Name:"));
         EXPECT_EQ(kDamaged, readFile(f / "real.dat.bak"));
         EXPECT_EQ(0600u, modeOf(f / "real.dat.bak"));
         EXPECT_EQ(0600u, modeOf(f / "real.dat"));
       }},
      {"folder sync refused", {{"mirl.dat", kGarden}}, {},
       {"TUMBLENOOK_FAULT_DIRSYNC=1"}, 0, "", {}},
      {"folder not readable", {{"mirl.dat", kGarden}}, mode(".", 0300), {}, 0,
       "may not survive a power cut", {}, "1\n1\n0\n", true},
      {"temporaries of a killed game",
       {{"mirl.dat", kGarden},
        {".mirl.dat.tumblenook-temp.a1B2c3", "half"},
        {"mirl.dat.tumblenook", "mine"}},
       {}, {}, 0, "",
       [](const Folder& f) {
         EXPECT_FALSE(fs::exists(f / ".mirl.dat.tumblenook-temp.a1B2c3"));
         EXPECT_EQ("mine", readFile(f / "mirl.dat.tumblenook"));
       }},
      {"fruit list a FIFO", {{"mirl.dat", kGarden}}, fifo("fruits.dat"), {}, 0,
       "cannot read fruits.dat: not a regular file", {}, "3\n0\n1\n0\n0\n"},
      {"animal list missing", {{"mirl.dat", kGarden}},
       [](const Folder& f) { fs::remove(f / "animals.dat"); }, {}, 0,
       "cannot read animals.dat: No such file or directory", {},
       "3\n0\n3\n0\n0\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GameSetup game(c.input, c.files);
    game.prepare = c.prepare;
    game.faults = c.faults;
    game.unprivileged = c.unprivileged;
    game.inspect = c.inspect;
    game.timeout = std::chrono::milliseconds(5000);
    const GameResult run = runGame(game);
    EXPECT_EQ(c.status, run.status);
    EXPECT_EQ(std::string(c.err).empty() ? 0 : 1, count(run.err, "\n"))
        << run.err;
    EXPECT_NE(std::string::npos, run.err.find(c.err)) << run.err;
    if (c.status == 1 && c.err != kCannotSave) {
      EXPECT_EQ("", run.out);
      EXPECT_EQ(c.files, gardenFiles(run.files));
    } else {
      EXPECT_TRUE(endsWith(run.out, "Goodbye!\n"));
    }
  }
}

}  // namespace
}  // namespace e2e
