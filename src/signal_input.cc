#include "signal_input.h"

#include <signal.h>
#include <sys/select.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <iostream>

namespace {

constexpr int kLeaveSignals[] = {SIGINT, SIGHUP, SIGTERM};
constexpr int kShellSignalBase = 128;

// The first leave signal that arrived, or 0.
volatile std::sig_atomic_t leaveSignal = 0;

extern "C" void onLeaveSignal(int signal) {
  if (leaveSignal == 0) leaveSignal = signal;
}

}  // namespace

sigset_t leaveSignalSet() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kLeaveSignals) sigaddset(&set, signal);
  return set;
}

SignalInput::int_type SignalInput::underflow() {
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

int SignalInput::sync() {
  if (gptr() == nullptr || gptr() == end_) return 0;
  if (::lseek(STDIN_FILENO, gptr() - end_, SEEK_CUR) >= 0) {
    end_ = gptr();
    setg(gptr(), gptr(), gptr());
  }
  return 0;
}

// Reads more input into the buffer; false at its end, on a read error and
// on a leave signal. The leave signals stay blocked from the test of the
// flag until the wait for input, which unblocks them atomically: a signal
// that comes just before the wait interrupts it instead of leaving the
// game waiting for a line.
bool SignalInput::fill() {
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
  // At the end nothing new was read: the bytes already handed out stay
  // where they are, so that sync() seeks back over none of them, and never
  // forward past the end of the input.
  if (!ended_) end_ = buffer_ + got;
  return !ended_;
}

// Handlers without SA_RESTART, so that a read blocked at a prompt returns.
// Each blocks the other leave signals while it runs: two signals pending at
// once are then taken one after the other, in the order the kernel hands
// them over, instead of the later one's handler running inside the earlier
// one's and ending the game by the later signal.
void installSignalHandlers() {
  struct sigaction action {};
  action.sa_handler = onLeaveSignal;
  action.sa_mask = leaveSignalSet();
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

bool leaveSignalArrived() { return leaveSignal != 0; }

void finishInput(SignalInput& input) {
  input.pubsync();
  if (leaveSignal != 0 && ::isatty(STDIN_FILENO) == 1) {
    ::tcflush(STDIN_FILENO, TCIFLUSH);
  }
  holdLeaveSignals();
}

void holdLeaveSignals() {
  const sigset_t set = leaveSignalSet();
  ::sigprocmask(SIG_BLOCK, &set, nullptr);
}

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
