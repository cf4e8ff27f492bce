// Plays whole sessions of the real game as a player would: runGame() starts
// the built `tumblenook` in a fresh temporary folder holding `files`, with
// `input` as its whole standard input and `args` on its command line, and
// returns its standard output and error, its exit status, how much of its
// input it read, its peak memory and every file left in the folder (then
// removed).
//
// Runs are reproducible: the srand shim is preloaded and replaces the clock
// seed by `seed`. The test's environment is passed on, so sanitizer options
// reach the game, plus verify_asan_link_order=0, which a sanitized game needs
// to accept the shim. A game still running after `timeout` is killed and the
// test fails; one writing more than 64 MiB to a file is stopped by SIGXFSZ.

#ifndef TUMBLENOOK_TESTS_E2E_GAME_RUNNER_H_
#define TUMBLENOOK_TESTS_E2E_GAME_RUNNER_H_

#include <chrono>
#include <map>
#include <string>
#include <utility>
#include <vector>

using FileMap = std::map<std::string, std::string>;  // relative path: bytes

struct GameSetup {
  explicit GameSetup(std::string stdinBytes = "", FileMap initial = {})
      : input(std::move(stdinBytes)), files(std::move(initial)) {}

  std::string input;
  std::vector<std::string> args;  // the command line after the game's name
  FileMap files;  // parent folders are made: "mirl.dat/x" makes a folder
  bool shippedCatalogue = true;  // add fruits.dat, animals.dat unless given
  unsigned seed = 1;
  std::chrono::milliseconds timeout{10000};
};

struct GameResult {
  std::string out, err;
  int status = -1;  // exit status; -1 when killed
  bool timedOut = false;
  // The offset the game left in its standard input, a file: on leaving, the
  // C library puts it just after the last byte the game took.
  long long inputRead = -1;
  long peakKib = 0;  // the game's peak resident memory
  FileMap files;     // every regular file in the folder after the run

  std::string file(const std::string& path) const {
    const auto found = files.find(path);
    return found == files.end() ? "" : found->second;
  }
};

GameResult runGame(const GameSetup& setup);

#endif  // TUMBLENOOK_TESTS_E2E_GAME_RUNNER_H_
