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
    std::vector<int> sent;
    bool nohup;  // SIGHUP ignored at the start stays ignored
    int ends;    // the signal the game ends by; 0: it ends at end of input
    bool atQuestion = false;  // sent at the egg menu's question
  } cases[] = {
      {{SIGINT}, false, SIGINT},          {{SIGHUP}, false, SIGHUP},
      {{SIGTERM}, false, SIGTERM},        {{SIGTERM, SIGTERM}, false, SIGTERM},
      {{SIGHUP, SIGTERM}, false, SIGHUP}, {{SIGHUP}, true, 0},
      {{SIGINT}, false, SIGINT, true},    {{SIGHUP}, true, 0, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "signals " << testing::PrintToString(c.sent) << " nohup "
                 << c.nohup << " at question " << c.atQuestion);
    GameSetup game =
        setup(std::string(kHatchEgg) + (c.atQuestion ? "1\n" : ""), garden(1));
    game.nohup = c.nohup;
    game.waitFor = mainMenu(2) + (c.atQuestion ? kEggMenu : "");
    game.meanwhile = [&c](pid_t pid, const Folder&) {
      for (const int signal : c.sent) kill(pid, signal);
    };
    const GameResult run = runGame(game);
    EXPECT_EQ(c.ends, run.signal);  // the shell sees 128 + signal
    EXPECT_EQ(c.ends == 0 ? 0 : -1, run.status);
    // After a signal the menu is not shown again; the end of input shows it.
    const std::string last = c.atQuestion && c.ends == 0 ? mainMenu(2) : "";
    EXPECT_TRUE(endsWith(run.out, game.waitFor + last + "Goodbye!\n"));
    EXPECT_EQ("", run.err);
    EXPECT_EQ(2, count(run.file("mirl.dat"), "Name:"));
    const int hours = c.atQuestion ? 3 : 2;
    EXPECT_EQ(0u, run.file("mirl.dat").find(saveFile(aged(garden(1), hours))));
    // The garden and its book, each with the hours played; no temporary.
    EXPECT_EQ(2u, gardenFiles(run.files).size());
    EXPECT_NE(std::string::npos,
              run.file("book.txt").find("\nhours " + std::to_string(hours)));
  }
}

TEST(NeverLose, ASignalWhileBusyLeavesAtTheNextLineAndSIGKILLOnlyTheSession) {
  constexpr int kChoices = 300000;  // far more than a few seconds' play
  std::string manyChoices;
  for (int n = 0; n < kChoices; ++n) manyChoices += "9\n";
  GameSetup busy = setup(manyChoices, garden(1));
  busy.inputEnds = true;
  busy.waitFor = "invalid input";
  busy.meanwhile = [](pid_t pid, const Folder&) { kill(pid, SIGINT); };
  GameResult run = runGame(busy);
  EXPECT_EQ(SIGINT, run.signal);
  EXPECT_EQ(1, count(run.out, "Goodbye!\n"));
  EXPECT_LT(count(run.out, "invalid input"), kChoices / 2);
  EXPECT_EQ(1, count(run.file("mirl.dat"), "Name:"));
  EXPECT_NE(saveFile(garden(1)), run.file("mirl.dat"));

  GameSetup killed = setup(kHatchEgg, garden(1));
  killed.waitFor = mainMenu(2);
  killed.meanwhile = [](pid_t pid, const Folder&) { kill(pid, SIGKILL); };
  run = runGame(killed);
  EXPECT_EQ(SIGKILL, run.signal);
  EXPECT_EQ(saveFile(garden(1)), run.file("mirl.dat"));
}

// A signal that comes as the game starts to wait for a line still ends
// the wait: the game leaves and saves while its input is open and silent.
TEST(NeverLose, ASignalJustBeforeTheWaitForInputIsNotMissed) {
  GameSetup game = setup("", garden(1));
  game.faults = {"TUMBLENOOK_FAULT_LATE_SIGNAL=" + std::to_string(SIGTERM)};
  game.waitFor = mainMenu(1);
  bool leftOnItsOwn = true;  // also when it ended before the check began
  game.meanwhile = [&leftOnItsOwn](pid_t, const Folder& folder) {
    leftOnItsOwn = false;
    for (int tries = 0; tries < 200 && !leftOnItsOwn; ++tries) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      leftOnItsOwn = readFile(folder / "mirl.dat") != saveFile(garden(1));
    }
  };
  const GameResult run = runGame(game);
  EXPECT_TRUE(leftOnItsOwn);
  EXPECT_EQ(SIGTERM, run.signal);
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

Prepare file(const std::string& name, const std::string& bytes) {
  return [name, bytes](const Folder& folder) {
    ASSERT_TRUE(writeFile(folder / name, bytes));
  };
}

Prepare both(const Prepare& first, const Prepare& second) {
  return [first, second](const Folder& folder) {
    first(folder);
    second(folder);
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
// Far longer still: the game's peak memory must not grow with it.
constexpr std::uintmax_t kHugeBytes = std::uintmax_t{24} << 20;
constexpr long kSlackKib = 4 << 10;

// A garden of kHugeBytes, its records then zeros, made without holding it:
// what a test holds when it starts a game counts in the game's peak memory.
Prepare huge(const std::string& name) {
  return [name](const Folder& folder) {
    ASSERT_TRUE(writeFile(folder / name, kGarden));
    fs::resize_file(folder / name, kHugeBytes);
  };
}

struct Case {
  const char* what;
  Prepare prepare;
  int status;          // 0, or 1: the old garden stays
  const char* err;     // what standard error must hold ("" nothing)
  Prepare inspect;     // more checks of the folder
  std::string fault;   // of the fault shim
  bool played = true;  // false: refused before the menu, or only viewed
  std::string input = "1\n1\n0\n";
  bool unprivileged = false;
  std::vector<std::string> args{};  // the command line; none plays
  bool lean = false;  // peak memory as with a garden of two records
};

Case refused(const char* what, Prepare prepare, const char* err,
             std::string fault = "") {
  return {what, std::move(prepare), 1, err, {}, std::move(fault), false};
}

Case plays(const char* what, Prepare prepare, const char* err,
           Prepare inspect = {}, std::string fault = "") {
  return {what, std::move(prepare), 0,
          err,  std::move(inspect), std::move(fault)};
}

Case asPlayer(Case c) {
  c.unprivileged = true;
  return c;
}

Case typing(std::string input, Case c) {
  c.input = std::move(input);
  return c;
}

Case lean(Case c) {
  c.lean = true;
  return c;
}

// Shown with --list, not played: nothing is written.
Case viewing(Case c) {
  c.args = {"--list"};
  c.played = false;
  return c;
}

void expectFile(const Folder& path, const std::string& bytes, mode_t bits) {
  EXPECT_EQ(bytes, readFile(path)) << path;
  EXPECT_EQ(bits, modeOf(path)) << path;
}

TEST(NeverLose, HostileFilesAndFaults) {
  const Prepare good = file("mirl.dat", kGarden);
  const Prepare damaged = file("mirl.dat", kDamaged);
  const Case cases[] = {
      refused("garden FIFO", fifo("mirl.dat"), "not a regular file"),
      refused("link to /dev/zero", link("mirl.dat", "/dev/zero"),
              "not a regular file"),
      refused("link to /dev/urandom", link("mirl.dat", "/dev/urandom"),
              "not a regular file"),
      refused("dangling link", link("mirl.dat", "gone/mirl.dat"),
              "No such file or directory"),
      asPlayer(refused("read-only folder", both(good, mode(".", 0555)),
                       "Permission denied")),
      refused("read error at once", good, "Input/output error",
              "TUMBLENOOK_FAULT_READ=mirl.dat:0"),
      refused("read error in a damaged garden", damaged, "Input/output error",
              "TUMBLENOOK_FAULT_READ=mirl.dat:100"),
      refused("read error copying a long garden", file("mirl.dat", kOverlong),
              "Input/output error", "TUMBLENOOK_FAULT_READ=mirl.dat:290000"),
      {"temporary swapped for a link", both(good, file("victim", "precious")),
       1, "cannot save",
       [](const Folder& f) {
         EXPECT_EQ("precious", readFile(f / "victim"));
         EXPECT_EQ(kGarden, readFile(f / "mirl.dat"));
       },
       "TUMBLENOOK_FAULT_SWAP_TEMP=victim"},
      plays("long garden", file("mirl.dat", kOverlong), "kept as mirl.dat.bak",
            [](const Folder& f) {
              EXPECT_EQ(kOverlong, readFile(f / "mirl.dat.bak"));
              EXPECT_EQ(3, count(readFile(f / "mirl.dat"), "Name:"));
            }),
      plays("backup FIFO", both(damaged, fifo("mirl.dat.bak")),
            "kept as mirl.dat.bak.1",
            [](const Folder& f) {
              EXPECT_EQ(kDamaged, readFile(f / "mirl.dat.bak.1"));
            }),
      plays("private garden", both(good, mode("mirl.dat", 0600)), "",
            [](const Folder& f) { EXPECT_EQ(0600u, modeOf(f / "mirl.dat")); }),
      plays("group-readable garden", both(good, mode("mirl.dat", 0640)), "",
            [](const Folder& f) { EXPECT_EQ(0640u, modeOf(f / "mirl.dat")); }),
      lean(plays("huge garden", huge("mirl.dat"), "kept as mirl.dat.bak",
                 [](const Folder& f) {
                   EXPECT_EQ(kHugeBytes, fs::file_size(f / "mirl.dat.bak"));
                 })),
      lean(viewing(plays("huge garden listed", huge("mirl.dat"),
                         "could not be loaded"))),
      plays("link to a private damaged garden",
            both(both(file("real.dat", kDamaged), mode("real.dat", 0600)),
                 link("mirl.dat", "real.dat")),
            "kept as",
            [](const Folder& f) {
              EXPECT_TRUE(fs::is_symlink(f / "mirl.dat"));
              EXPECT_EQ(3, count(readFile(f / "real.dat"), "Name:"));
              EXPECT_EQ(0600u, modeOf(f / "real.dat"));
              expectFile(f / "real.dat.bak", kDamaged, 0600);
            }),
      plays("folder sync refused", good, "", {}, "TUMBLENOOK_FAULT_DIRSYNC=1"),
      asPlayer(plays("folder not readable", both(good, mode(".", 0300)),
                     "may not survive a power cut")),
      plays("temporaries of a killed game",
            both(both(good, file(".mirl.dat.old.tumblenook-temp.a1B2c3", "o")),
                 both(file(".mirl.dat.tumblenook-temp.a1B2c3", "half"),
                      file("mirl.dat.tumblenook", "mine"))),
            "",
            [](const Folder& f) {
              EXPECT_FALSE(fs::exists(f / ".mirl.dat.tumblenook-temp.a1B2c3"));
              EXPECT_EQ("mine", readFile(f / "mirl.dat.tumblenook"));
              EXPECT_EQ("o",
                        readFile(f / ".mirl.dat.old.tumblenook-temp.a1B2c3"));
            }),
      typing("3\n0\n1\n0\n0\n",
             plays("fruit list a FIFO", both(good, fifo("fruits.dat")),
                   "cannot read fruits.dat: not a regular file")),
      typing("3\n0\n3\n0\n0\n",
             plays(
                 "animal list missing",
                 [good](const Folder& f) {
                   good(f);
                   fs::remove(f / "animals.dat");
                 },
                 "cannot read animals.dat: No such file or directory")),
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FileMap before;
    const bool refused = !c.played && c.args.empty();
    GameSetup game(c.input);
    game.args = c.args;
    game.prepare = [&](const Folder& folder) {
      c.prepare(folder);
      if (!refused) return;  // held here, it would count in the game's peak
      for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file()) {
          before[entry.path().filename().string()] = readFile(entry.path());
        }
      }
    };
    if (!c.fault.empty()) game.faults = {c.fault};
    game.unprivileged = c.unprivileged;
    game.inspect = c.inspect;
    game.timeout = std::chrono::milliseconds(5000);
    // A game started now starts from what this test holds now.
    const long plainPeak =
        c.lean ? runGame(GameSetup(c.input, {{"mirl.dat", kGarden}})).peakKib
               : 0;
    const GameResult run = runGame(game);
    if (c.lean) {
      EXPECT_LT(run.peakKib, plainPeak + kSlackKib);
    }
    EXPECT_EQ(c.status, run.status);
    EXPECT_EQ(std::string(c.err).empty() ? 0 : 1, count(run.err, "\n"))
        << run.err;
    EXPECT_NE(std::string::npos, run.err.find(c.err)) << run.err;
    EXPECT_EQ(c.played, endsWith(run.out, "Goodbye!\n"));
    if (refused) {
      EXPECT_EQ("", run.out);
      FileMap after = run.files;
      after.erase("mirl.dat.lock");
      EXPECT_EQ(before, after);
    }
  }
}

}  // namespace
}  // namespace e2e
