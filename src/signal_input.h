// Leaving on a signal: SIGINT, SIGHUP and SIGTERM make the game leave as at
// the end of input. The action in progress ends unchanged and its hour
// passes; then, without its menu shown again, the main menu says
// "Goodbye!", the garden ages its hour and is saved; the game then
// ends as killed by that signal, so that the shell sees 128 + its number.
//
// Standard input reaches the console through SignalInput, which ends when a
// leave signal arrives. A closed standard output gives write errors instead
// of SIGPIPE, so that it never stops the save.

#ifndef TUMBLENOOK_SIGNAL_INPUT_H_
#define TUMBLENOOK_SIGNAL_INPUT_H_

#include <signal.h>

#include <streambuf>

// Standard input as the console reads it, which ends when a leave signal
// arrives: the read blocked at a prompt returns (the handlers do not restart
// it), and a signal that arrives while the game is busy ends the input at
// the next read. The console gets one line at a time, so that nothing typed
// after the signal is acted on.
class SignalInput : public std::streambuf {
 protected:
  int_type underflow() override;

  // Hands back what was read ahead and not taken, where the input can seek
  // (a file), as the C library does for its own input at exit: whatever
  // reads the input next, a shell reading a script, starts just after the
  // game's last line.
  int sync() override;

 private:
  bool fill();

  static constexpr int kBufferSize = 4096;
  char buffer_[kBufferSize] = {};
  char* end_ = buffer_;  // end of the bytes read
  bool ended_ = false;
};

// Installs the handlers of the leave signals and ignores SIGPIPE. A signal
// ignored when the game starts (nohup) stays ignored.
void installSignalHandlers();

// True once a leave signal has arrived: the console then leaves without
// showing its menu again.
bool leaveSignalArrived();

// The leave signals, as a set: for a wait that they must end.
sigset_t leaveSignalSet();

// Blocks the leave signals, so that a second one cannot interrupt the save.
void holdLeaveSignals();

// Once the game has left its menu: hands back what `input` read ahead,
// drops a line half typed at a terminal when a signal came (it is not the
// shell's), and holds the leave signals.
void finishInput(SignalInput& input);

// After leaving on a signal and saving: ends the process as killed by that
// signal, the shell's convention, so that a script that runs the game stops
// too. Returns EXIT_SUCCESS when no signal came.
int endAsSignalled();

#endif  // TUMBLENOOK_SIGNAL_INPUT_H_
