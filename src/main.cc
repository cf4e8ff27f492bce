// Tumblenook: a garden of up to eight Mirl, played on the line or on the
// full screen. The flow only: the options, the signals, then load, play,
// save.

#include <cstdlib>
#include <ctime>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "commands.h"
#include "console.h"
#include "garden_file.h"
#include "screen.h"
#include "signal_input.h"

namespace {

// Plays the line game on standard input and output.
void playOnLine(Garden& garden) {
  static SignalInput input;
  std::cin.rdbuf(&input);
  userInterface(garden);
  finishInput(input);
}

}  // namespace

int main(int argc, char** argv) {
  Garden garden;
  PlayOn playOn = PlayOn::kLine;
  if (const std::optional<int> status =
          runOptions(argc, argv, garden, playOn)) {
    return *status;
  }
  installSignalHandlers();
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  if (!claimGarden(kGardenFile) || !loadGarden(garden, kGardenFile)) {
    return EXIT_FAILURE;
  }
  std::vector<std::string> released;
  if (playOn == PlayOn::kScreen) {
    bool started = false;
    released = playOnScreen(garden, started);
    holdLeaveSignals();
    if (!started) {
      std::cerr << "tumblenook: the screen could not start" << std::endl;
      return EXIT_FAILURE;
    }
  } else {
    playOnLine(garden);
  }
  if (!keepReleasedCodes(kReleasedCodesFile, released) ||
      !saveGarden(garden, kGardenFile)) {
    return EXIT_FAILURE;
  }
  return endAsSignalled();
}
