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
//
// A setup may also shape the folder beyond files (links, FIFOs, modes), play
// on while a test acts on the running game (sends a signal, starts a second
// game), break standard output, make file modes hold for a game run by
// root, start the game as nohup does, and preload the fault shim
// (fault_shim.cc) with the faults it names.

#ifndef TUMBLENOOK_TESTS_E2E_GAME_RUNNER_H_
#define TUMBLENOOK_TESTS_E2E_GAME_RUNNER_H_

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
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

  using Folder = std::filesystem::path;
  // Run on the game's folder before the game starts and after it ends.
  std::function<void(const Folder&)> prepare, inspect;
  // When set, `meanwhile` runs once the output holds `waitFor`. Unless
  // `inputEnds`, standard input is a pipe that stays open after `input`
  // (which must fit in the pipe) until `meanwhile` returns.
  std::string waitFor;
  std::function<void(pid_t game, const Folder&)> meanwhile;
  bool inputEnds = false;
  bool brokenOutput = false;        // standard output a pipe nobody reads
  bool unprivileged = false;        // as root too, file modes hold for the game
  bool nohup = false;               // started with SIGHUP ignored
  std::vector<std::string> faults;  // NAME=VALUE settings of the fault shim
};

struct GameResult {
  std::string out, err;
  int status = -1;  // exit status; -1 when killed
  int signal = 0;   // the signal that killed the game
  bool timedOut = false;
  // The offset the game left in its standard input, a file (-1 for a
  // pipe): on leaving, it is just after the last byte the game took.
  long long inputRead = -1;
  long peakKib = 0;  // the game's peak resident memory
  FileMap files;     // every regular file in the folder after the run

  std::string file(const std::string& path) const {
    const auto found = files.find(path);
    return found == files.end() ? "" : found->second;
  }
};

GameResult runGame(const GameSetup& setup);

// Plays `setup` in the existing folder of another game, placing no files and
// removing nothing; `result.files` stays empty.
GameResult runGameIn(const std::filesystem::path& folder,
                     const GameSetup& setup);

#endif  // TUMBLENOOK_TESTS_E2E_GAME_RUNNER_H_
