#include "game_runner.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <signal.h>
#include <sys/prctl.h>
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
// What lets root ignore file modes; an unprivileged game runs without.
constexpr int kModeOverrides[] = {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH,
                                  CAP_FOWNER};

// Writes a file of the game's folder, making the folders it lies in.
void place(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  if (!writeFile(path, bytes)) ADD_FAILURE() << "cannot write " << path;
}

// Run by the game's process before exec: root then obeys file modes like
// any player, and keeps its own files (the build tree) in reach.
bool dropPrivileges(const GameSetup& setup) {
  if (!setup.unprivileged || geteuid() != 0) return true;
  for (const int capability : kModeOverrides) {
    if (prctl(PR_CAPBSET_DROP, capability, 0, 0, 0) != 0) return false;
  }
  return true;
}

// The test's own environment, with the shims, the seed, the faults and the
// ASan option.
std::vector<std::string> gameEnvironment(const GameSetup& setup) {
  const auto named = [](const std::string& var, const char* name) {
    return var.rfind(name, 0) == 0;
  };
  std::string asan = "verify_asan_link_order=0";
  std::vector<std::string> env = {
      std::string("LD_PRELOAD=" TUMBLENOOK_SRAND_SHIM) +
          (setup.faults.empty() ? "" : ":" TUMBLENOOK_FAULT_SHIM),
      "TUMBLENOOK_TEST_SEED=" + std::to_string(setup.seed)};
  env.insert(env.end(), setup.faults.begin(), setup.faults.end());
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

// Starts the game in `folder` with its standard streams on the descriptors
// `streams` (input, output, error).
pid_t startGame(const fs::path& folder, const GameSetup& setup,
                const int (&streams)[3]) {
  std::vector<std::string> env = gameEnvironment(setup);
  std::vector<char*> envp;
  for (std::string& var : env) envp.push_back(var.data());
  envp.push_back(nullptr);
  char game[] = TUMBLENOOK_GAME;
  std::vector<std::string> args = setup.args;
  std::vector<char*> argv = {game};
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid != 0) return pid;
  for (int stream = 0; stream < 3; ++stream) dup2(streams[stream], stream);
  const rlimit limit = {kMaxFileBytes, kMaxFileBytes};
  setrlimit(RLIMIT_FSIZE, &limit);
  if (!dropPrivileges(setup)) _exit(126);
  if (setup.nohup) signal(SIGHUP, SIG_IGN);  // kept by exec, as nohup needs
  if (chdir(folder.c_str()) == 0) execve(game, argv.data(), envp.data());
  _exit(127);
}

// Plays `setup` in `folder`, with its input and output files in `io`.
GameResult play(const fs::path& folder, const fs::path& io,
                const GameSetup& setup) {
  place(io / "in", setup.input);
  const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
  // The input is opened here, so that the file offset the game leaves can
  // be read after it ended.
  int streams[3] = {open((io / "in").c_str(), O_RDONLY | O_CLOEXEC),
                    open((io / "out").c_str(), flags, 0600),
                    open((io / "err").c_str(), flags, 0600)};
  int inputPipe[2] = {-1, -1};
  int outputPipe[2] = {-1, -1};
  if (setup.meanwhile && !setup.inputEnds && pipe2(inputPipe, O_CLOEXEC) == 0) {
    close(streams[0]);
    streams[0] = inputPipe[0];
    if (write(inputPipe[1], setup.input.data(), setup.input.size()) < 0) {
      ADD_FAILURE() << "cannot write the game's input";
    }
  }
  if (setup.brokenOutput && pipe2(outputPipe, O_CLOEXEC) == 0) {
    close(outputPipe[0]);  // nobody reads
    close(streams[1]);
    streams[1] = outputPipe[1];
  }
  const pid_t pid = startGame(folder, setup, streams);
  close(streams[1]);
  close(streams[2]);
  bool waiting = static_cast<bool>(setup.meanwhile);
  const auto deadline = std::chrono::steady_clock::now() + setup.timeout;
  int status = 0;
  rusage usage{};
  GameResult result;
  while (pid > 0 && wait4(pid, &status, WNOHANG, &usage) == 0) {
    if (waiting &&
        readFile(io / "out").find(setup.waitFor) != std::string::npos) {
      setup.meanwhile(pid, folder);
      if (inputPipe[1] >= 0) close(inputPipe[1]);
      waiting = false;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      wait4(pid, &status, 0, &usage);
      result.timedOut = true;
      ADD_FAILURE() << "the game did not end in " << setup.timeout.count()
                    << " ms";
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (waiting && inputPipe[1] >= 0) close(inputPipe[1]);
  if (pid > 0 && WIFEXITED(status)) result.status = WEXITSTATUS(status);
  if (pid > 0 && WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  result.inputRead = lseek(streams[0], 0, SEEK_CUR);
  result.peakKib = usage.ru_maxrss;
  close(streams[0]);
  result.out = readFile(io / "out");
  result.err = readFile(io / "err");
  if (setup.inspect) setup.inspect(folder);
  return result;
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
  if (setup.prepare) setup.prepare(folder);
  GameResult result = play(folder, io, setup);
  fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file()) {
      result.files[fs::relative(entry.path(), folder).string()] =
          readFile(entry.path());
    }
  }
  fs::remove_all(io);
  return result;
}

GameResult runGameIn(const fs::path& folder, const GameSetup& setup) {
  const fs::path io = makeTempFolder("tumblenook-e2e");
  GameResult result = play(folder, io, setup);
  fs::remove_all(io);
  return result;
}
