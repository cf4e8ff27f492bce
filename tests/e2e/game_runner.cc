#include "game_runner.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <thread>
#include <vector>

#include "test_util.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

// A game that floods its output is stopped (by SIGXFSZ) at this size.
constexpr rlim_t kMaxFileBytes = 64 << 20;

// Writes a file of the game's folder, making the folders it lies in.
void place(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  if (!writeFile(path, bytes)) ADD_FAILURE() << "cannot write " << path;
}

// The test's own environment, with the shim, the seed and the ASan option.
std::vector<std::string> gameEnvironment(unsigned seed) {
  const auto named = [](const std::string& var, const char* name) {
    return var.rfind(name, 0) == 0;
  };
  std::string asan = "verify_asan_link_order=0";
  std::vector<std::string> env = {
      "LD_PRELOAD=" TUMBLENOOK_SRAND_SHIM,
      "TUMBLENOOK_TEST_SEED=" + std::to_string(seed)};
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string var = *entry;
    if (named(var, "ASAN_OPTIONS=")) {
      asan = var.substr(var.find('=') + 1) + ":" + asan;
    } else if (!named(var, "LD_PRELOAD=") &&
               !named(var, "TUMBLENOOK_TEST_SEED=")) {
      env.push_back(var);
    }
  }
  env.push_back("ASAN_OPTIONS=" + asan);
  return env;
}

// Starts the game in `folder` with `input` as its standard input and its
// output and error on `io` files.
pid_t startGame(const fs::path& folder, int input, const fs::path& io,
                const GameSetup& setup) {
  std::vector<std::string> env = gameEnvironment(setup.seed);
  std::vector<char*> envp;
  for (std::string& var : env) envp.push_back(var.data());
  envp.push_back(nullptr);
  char game[] = TUMBLENOOK_GAME;
  std::vector<std::string> args = setup.args;
  std::vector<char*> argv = {game};
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const std::string paths[] = {io / "out", io / "err"};
  const pid_t pid = fork();
  if (pid != 0) return pid;
  const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
  const int fds[] = {input, open(paths[0].c_str(), flags, 0600),
                     open(paths[1].c_str(), flags, 0600)};
  for (int stream = 0; stream < 3; ++stream) dup2(fds[stream], stream);
  const rlimit limit = {kMaxFileBytes, kMaxFileBytes};
  setrlimit(RLIMIT_FSIZE, &limit);
  if (chdir(folder.c_str()) == 0) execve(game, argv.data(), envp.data());
  _exit(127);
}

}  // namespace

GameResult runGame(const GameSetup& setup) {
  const fs::path io = makeTempFolder("tumblenook-e2e"), folder = io / "garden";
  fs::create_directory(folder);
  for (const auto& [name, bytes] : setup.files) place(folder / name, bytes);
  for (const char* name : {"fruits.dat", "animals.dat"}) {
    if (setup.shippedCatalogue && setup.files.count(name) == 0) {
      fs::copy_file(fs::path(TUMBLENOOK_DATA_DIR) / name, folder / name);
    }
  }
  place(io / "in", setup.input);
  // Opened here, so that the file offset the game leaves can be read after
  // it ended.
  const int input = open((io / "in").c_str(), O_RDONLY | O_CLOEXEC);
  const pid_t pid = startGame(folder, input, io, setup);
  const auto deadline = std::chrono::steady_clock::now() + setup.timeout;
  int status = 0;
  rusage usage{};
  bool timedOut = false;
  while (pid > 0 && wait4(pid, &status, WNOHANG, &usage) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      wait4(pid, &status, 0, &usage);
      timedOut = true;
      ADD_FAILURE() << "the game did not end in " << setup.timeout.count()
                    << " ms";
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  GameResult result;
  result.timedOut = timedOut;
  if (pid > 0 && WIFEXITED(status)) result.status = WEXITSTATUS(status);
  result.inputRead = lseek(input, 0, SEEK_CUR);
  result.peakKib = usage.ru_maxrss;
  close(input);
  result.out = readFile(io / "out");
  result.err = readFile(io / "err");
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) {
      result.files[fs::relative(entry.path(), folder).string()] =
          readFile(entry.path());
    }
  }
  fs::remove_all(io);
  return result;
}
