// The command line: each option does its one job and leaves the folder it
// runs in as it was; --list shows the garden without changing it, in colour
// only on a terminal.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <tuple>
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
      {true, "TERM=xterm NO_COLOR=", false}};
  for (const auto& [terminal, env, colour] : cases) {
    SCOPED_TRACE(std::string(terminal ? "terminal " : "pipe ") + env);
    const std::string text = listed(terminal, env);
    EXPECT_NE(std::string::npos, text.find("0: Mi0"));
    EXPECT_EQ(colour, text.find("\033[") != std::string::npos);
  }
}

}  // namespace
}  // namespace e2e
