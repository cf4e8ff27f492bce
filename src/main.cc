// Tumblenook: a console garden of up to eight Mirl. The flow only: the
// options, the signals, then load, play, save.

#include <cstdlib>
#include <ctime>
#include <iostream>
#include <optional>

#include "commands.h"
#include "console.h"
#include "garden_file.h"
#include "signal_input.h"

int main(int argc, char** argv) {
  if (const std::optional<int> status = runOptions(argc, argv)) return *status;
  installSignalHandlers();
  static SignalInput input;
  std::cin.rdbuf(&input);
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  if (!claimGarden(kGardenFile) || !loadGarden(kGardenFile)) {
    return EXIT_FAILURE;
  }
  userInterface();
  finishInput(input);
  if (!saveGarden(kGardenFile)) return EXIT_FAILURE;
  return endAsSignalled();
}
