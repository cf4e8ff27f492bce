// Tumblenook: a console garden of up to eight Mirl.
//
// SIGINT, SIGHUP and SIGTERM make the game leave as at the end of input:
// the action in progress ends unchanged, the main menu says "Goodbye!",
// the garden ages its hour and is saved. The game then ends as killed by
// that signal, so that the shell sees status 128 + its number. Standard
// output that closes early never stops the game from saving.

#include <signal.h>
#include <sys/select.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>
#include <optional>
#include <streambuf>

#include "console.h"
#include "garden.h"
#include "garden_file.h"
#include "portrait.h"

namespace {

constexpr char kSaveFile[] = "mirl.dat";
constexpr int kUsageError = 2;
constexpr int kLeaveSignals[] = {SIGINT, SIGHUP, SIGTERM};
constexpr int kShellSignalBase = 128;

constexpr char kUsage[] =
    "Usage: tumblenook [OPTION]\n"
    "A console garden of up to eight small creatures, the Mirl: hatch, name,\n"
    "feed, pet and breed them, and watch them grow. Without an option the\n"
    "game is played on the garden kept in mirl.dat in the current folder,\n"
    "with the catalogue in fruits.dat and animals.dat beside it.\n"
    "\n"
    "Options:\n"
    "  -l, --list     show every creature of the garden, changing nothing\n"
    "  -h, --help     show this help and exit\n"
    "  -V, --version  show the version and exit\n"
    "\n"
    "Exit status: 0 when all went well; 1 when the garden could not be read\n"
    "or saved, or another game holds it; 2 for an unknown option. Ctrl-C\n"
    "leaves and saves; the shell then sees 128 + the signal (130).\n";

// What the command line asks for.
enum class Command { kPlay, kList, kHelp, kVersion, kUnknown };

bool is(const char* argument, const char* shortName, const char* longName) {
  return std::strcmp(argument, shortName) == 0 ||
         std::strcmp(argument, longName) == 0;
}

// Reads the options; help wins over version, which wins over the list. Any
// other argument, an operand after "--" included, is unknown.
Command parseOptions(int argc, char** argv) {
  bool help = false;
  bool version = false;
  bool list = false;
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const char* argument = argv[i];
    if (options && std::strcmp(argument, "--") == 0) {
      options = false;
    } else if (options && is(argument, "-h", "--help")) {
      help = true;
    } else if (options && is(argument, "-V", "--version")) {
      version = true;
    } else if (options && is(argument, "-l", "--list")) {
      list = true;
    } else {
      std::cerr << "tumblenook: "
                << (options && argument[0] == '-' ? "unknown option"
                                                  : "unexpected argument")
                << " '" << argument << "'\n";
      return Command::kUnknown;
    }
  }
  if (help) return Command::kHelp;
  if (version) return Command::kVersion;
  return list ? Command::kList : Command::kPlay;
}

// The exit status of an option that printed `out`: a failure to write it is
// one too.
int printed(std::ostream& out) {
  if (out.flush()) return EXIT_SUCCESS;
  std::cerr << "tumblenook: cannot write the output" << std::endl;
  return EXIT_FAILURE;
}

// Shows every creature of the garden, changing nothing: no hour passes and
// no file is written.
int listGarden() {
  if (!viewGarden(kSaveFile)) return EXIT_FAILURE;
  const bool colour = wantColour(isatty(STDOUT_FILENO) == 1,
                                 std::getenv("NO_COLOR"), std::getenv("TERM"));
  if (emptySlot == 0) std::cout << "The garden is empty.\n";
  for (int slot = 0; slot < emptySlot; ++slot) {
    if (slot > 0) std::cout << '\n';
    printPortrait(std::cout, slot, mirl[slot], colour);
  }
  return printed(std::cout);
}

// Carries out the options of the command line. Empty when the game is to be
// played; otherwise the exit status.
std::optional<int> runOptions(int argc, char** argv) {
  switch (parseOptions(argc, argv)) {
    case Command::kPlay:
      return std::nullopt;
    case Command::kList:
      return listGarden();
    case Command::kHelp:
      std::cout << kUsage;
      return printed(std::cout);
    case Command::kVersion:
      std::cout << "tumblenook " TUMBLENOOK_VERSION "\n";
      return printed(std::cout);
    case Command::kUnknown:
      std::cerr << kUsage;
      return kUsageError;
  }
  return kUsageError;
}

// The first leave signal that arrived, or 0.
volatile std::sig_atomic_t leaveSignal = 0;

extern "C" void onLeaveSignal(int signal) {
  if (leaveSignal == 0) leaveSignal = signal;
}

sigset_t leaveSignalSet() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kLeaveSignals) sigaddset(&set, signal);
  return set;
}

// Standard input as the console reads it, which ends when a leave signal
// arrives: the read blocked at a prompt returns (the handlers do not restart
// it), and a signal that arrives while the game is busy ends the input at
// the next read. The console gets one line at a time, so that nothing typed
// after the signal is acted on.
class SignalInput : public std::streambuf {
 protected:
  int_type underflow() override {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (ended_ || leaveSignal != 0) {
      ended_ = true;
      return traits_type::eof();
    }
    char* next = egptr() == nullptr ? end_ : egptr();
    if (next == end_) {
      if (!fill()) return traits_type::eof();
      next = buffer_;
    }
    char* const lineEnd = std::find(next, end_, '\n');
    setg(next, next, lineEnd == end_ ? end_ : lineEnd + 1);
    return traits_type::to_int_type(*next);
  }

  // Hands back what was read ahead and not taken, where the input can seek
  // (a file), as the C library does for its own input at exit: whatever
  // reads the input next, a shell reading a script, starts just after the
  // game's last line.
  int sync() override {
    if (gptr() == nullptr || gptr() == end_) return 0;
    if (::lseek(STDIN_FILENO, gptr() - end_, SEEK_CUR) >= 0) {
      end_ = gptr();
      setg(gptr(), gptr(), gptr());
    }
    return 0;
  }

 private:
  // Reads more input into the buffer; false at its end, on a read error and
  // on a leave signal. The leave signals stay blocked from the test of the
  // flag until the wait for input, which unblocks them atomically: a signal
  // that comes just before the wait interrupts it instead of leaving the
  // game waiting for a line.
  bool fill() {
    const sigset_t leave = leaveSignalSet();
    sigset_t previous;
    ::sigprocmask(SIG_BLOCK, &leave, &previous);
    ssize_t got = -1;
    while (leaveSignal == 0) {
      fd_set input;
      FD_ZERO(&input);
      FD_SET(STDIN_FILENO, &input);
      if (::pselect(STDIN_FILENO + 1, &input, nullptr, nullptr, nullptr,
                    &previous) < 0) {
        if (errno == EINTR) continue;
        break;
      }
      got = ::read(STDIN_FILENO, buffer_, sizeof buffer_);
      if (got >= 0 || errno != EINTR) break;
    }
    ::sigprocmask(SIG_SETMASK, &previous, nullptr);
    ended_ = got <= 0;
    end_ = buffer_ + std::max<ssize_t>(got, 0);
    return !ended_;
  }

  static constexpr int kBufferSize = 4096;
  char buffer_[kBufferSize] = {};
  char* end_ = buffer_;  // end of the bytes read
  bool ended_ = false;
};

// Handlers without SA_RESTART, so that a read blocked at a prompt returns.
// A signal ignored when the game starts (nohup) stays ignored. A closed
// standard output gives write errors instead of SIGPIPE.
void installSignalHandlers() {
  struct sigaction action {};
  action.sa_handler = onLeaveSignal;
  sigemptyset(&action.sa_mask);
  for (const int signal : kLeaveSignals) {
    struct sigaction previous {};
    if (::sigaction(signal, nullptr, &previous) == 0 &&
        previous.sa_handler != SIG_IGN) {
      ::sigaction(signal, &action, nullptr);
    }
  }
  action.sa_handler = SIG_IGN;
  ::sigaction(SIGPIPE, &action, nullptr);
}

// After leaving on a signal and saving: ends the process as killed by that
// signal, the shell's convention, so that a script that runs the game stops
// too. Returns only when no signal came.
int endAsSignalled() {
  const int signal = leaveSignal;
  if (signal == 0) return EXIT_SUCCESS;
  std::cout.flush();
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  ::sigaction(signal, &action, nullptr);
  ::raise(signal);  // held back until the signals are unblocked
  const sigset_t set = leaveSignalSet();
  ::sigprocmask(SIG_UNBLOCK, &set, nullptr);
  return kShellSignalBase + signal;
}

}  // namespace

int main(int argc, char** argv) {
  if (const std::optional<int> status = runOptions(argc, argv)) return *status;
  installSignalHandlers();
  static SignalInput input;
  std::cin.rdbuf(&input);
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  if (!claimGarden(kSaveFile) || !loadGarden(kSaveFile)) return EXIT_FAILURE;
  userInterface();
  input.pubsync();
  // A line half typed at the terminal when a signal came is not the shell's.
  if (leaveSignal != 0 && ::isatty(STDIN_FILENO) == 1) {
    ::tcflush(STDIN_FILENO, TCIFLUSH);
  }
  // A second signal must not interrupt the save.
  const sigset_t set = leaveSignalSet();
  ::sigprocmask(SIG_BLOCK, &set, nullptr);
  if (!saveGarden(kSaveFile)) return EXIT_FAILURE;
  return endAsSignalled();
}
