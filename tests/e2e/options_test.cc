// The command line: each option does its one job and leaves the folder it
// runs in as it was; --list shows the garden without changing it, in colour
// only on a terminal.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "garden.h"
#include "session.h"
#include "test_util.h"

namespace e2e {
namespace {

constexpr char kUsage[] = "Usage: tumblenook [OPTION]\n";

TEST(Options, DoTheirJobAndTouchNoFolder) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;  // the start of standard output
    bool usageOnError;
  };
  const std::string version = "tumblenook " TUMBLENOOK_VERSION "\n";
  const std::string empty = "The garden is empty.\n";
  const Case cases[] = {
      {{"--help"}, 0, kUsage, false},     {{"-h"}, 0, kUsage, false},
      {{"--version"}, 0, version, false}, {{"-V"}, 0, version, false},
      {{"--list"}, 0, empty, false},      {{"-l"}, 0, empty, false},
      {{"--bogus"}, 2, "", true},         {{"-x"}, 2, "", true},
      {{"stray"}, 2, "", true},           {{"--", "-l"}, 2, "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0]);
    GameSetup game("0\n");  // would leave, and save, if it were played
    game.args = c.args;
    game.shippedCatalogue = false;
    const GameResult run = runGame(game);
    EXPECT_EQ(c.status, run.status);
    EXPECT_EQ(c.out, run.out.substr(0, c.out.size()));
    EXPECT_EQ(c.usageOnError, run.err.find(kUsage) != std::string::npos);
    if (c.usageOnError) {
      EXPECT_EQ("", run.out);
    }
    EXPECT_EQ(0, run.inputRead);
    EXPECT_TRUE(run.files.empty());
  }
}

TEST(Options, ListShowsTheGardenAndChangesNothing) {
  const std::string sound = saveFile(garden(8));
  const std::string damaged = saveFile(garden(2)) + "Name: Bad\nAge: old\n";
  for (const auto& [file, blocks] :
       {std::pair{sound, CAPACITY}, std::pair{damaged, 2}}) {
    GameSetup game("", FileMap{{"mirl.dat", file}});
    game.args = {"--list"};
    const GameResult run = runGame(game);
    EXPECT_EQ(0, run.status);
    for (int slot = 0; slot < CAPACITY; ++slot) {
      const std::string header = std::to_string(slot) + ": Mi";
      EXPECT_EQ(slot < blocks, run.out.find(header) != std::string::npos);
    }
    EXPECT_EQ(std::string::npos, run.out.find('\033'));
    EXPECT_EQ(file == damaged ? 1 : 0,
              std::count(run.err.begin(), run.err.end(), '\n'));
    for (auto& [name, bytes] : game.files) EXPECT_EQ(bytes, run.file(name));
    EXPECT_EQ(3u, run.files.size());  // the garden and the catalogue
  }
}

// What `tumblenook --list` prints on a garden of one, its output on a
// terminal or a pipe, with TERM and NO_COLOR set as given (null: unset).
std::string listed(bool terminal, const char* term, const char* noColor) {
  const std::filesystem::path folder = makeTempFolder("tumblenook-tty");
  writeFile(folder / "mirl.dat", saveFile(garden(1)));
  int reader = -1, writer = -1;
  if (terminal) {
    reader = posix_openpt(O_RDWR | O_NOCTTY);
    if (reader < 0 || grantpt(reader) != 0 || unlockpt(reader) != 0) {
      ADD_FAILURE() << "no terminal";
      return "";
    }
  } else {
    int ends[2];
    if (pipe(ends) != 0) return "";
    reader = ends[0], writer = ends[1];
  }
  const std::string slave = terminal ? ptsname(reader) : "";
  const pid_t pid = fork();
  if (pid == 0) {
    setsid();
    const int out = terminal ? open(slave.c_str(), O_RDWR) : writer;
    dup2(out, STDOUT_FILENO);
    if (chdir(folder.c_str()) != 0) _exit(127);
    clearenv();
    if (term != nullptr) setenv("TERM", term, 1);
    if (noColor != nullptr) setenv("NO_COLOR", noColor, 1);
    execl(TUMBLENOOK_GAME, TUMBLENOOK_GAME, "--list", nullptr);
    _exit(127);
  }
  if (writer >= 0) close(writer);
  std::string text;
  char buffer[4096];
  ssize_t got = 0;
  // A terminal whose other end has closed answers EIO.
  while ((got = read(reader, buffer, sizeof buffer)) > 0 || errno == EINTR) {
    if (got > 0) text.append(buffer, got);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  close(reader);
  std::filesystem::remove_all(folder);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  return text;
}

TEST(Options, ListIsInColourOnlyOnAColourTerminal) {
  struct Case {
    bool terminal;
    const char* term;
    const char* noColor;
    bool colour;
  };
  for (const Case& c :
       {Case{true, "xterm", nullptr, true},
        Case{false, "xterm", nullptr, false},
        Case{true, "dumb", nullptr, false}, Case{true, nullptr, nullptr, false},
        Case{true, "xterm", "", false}}) {
    SCOPED_TRACE(std::string(c.terminal ? "terminal " : "pipe ") +
                 (c.term ? c.term : "-") + (c.noColor ? " NO_COLOR" : ""));
    const std::string text = listed(c.terminal, c.term, c.noColor);
    EXPECT_NE(std::string::npos, text.find("0: Mi0"));
    EXPECT_EQ(c.colour, text.find("\033[") != std::string::npos);
  }
}

}  // namespace
}  // namespace e2e
