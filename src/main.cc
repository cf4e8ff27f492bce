// Tumblenook: a console garden of up to eight Mirl.

#include <cstdlib>
#include <ctime>

#include "console.h"
#include "garden_file.h"

namespace {
constexpr char kSaveFile[] = "mirl.dat";
}  // namespace

int main() {
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  if (!loadGarden(kSaveFile)) return EXIT_FAILURE;
  userInterface();
  return saveGarden(kSaveFile) ? EXIT_SUCCESS : EXIT_FAILURE;
}
