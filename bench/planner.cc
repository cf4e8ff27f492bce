// Measures what opening the egg planner costs beyond the view it replaces,
// in process, without a terminal: the garden's view composed (80 x 24), and
// the planner opened (e), composed and closed (Esc), each many times.
//
//   planner FOLDER [REPS [WHAT]]
//
// Reads FOLDER/mirl.dat without a lock and FOLDER's catalogue (the screen
// reads it when it starts), then prints the grown creatures, the pairs the
// planner ranks and the CPU time of each. WHAT is "both" (the default),
// "view" or "open": one of them alone, for callgrind, which counts the
// instructions of the one against the other.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "actions.h"
#include "garden.h"
#include "garden_file.h"
#include "key.h"
#include "planner_view.h"
#include "screen_game.h"
#include "screen_view.h"

namespace {

constexpr int kRows = 24;
constexpr int kColumns = 80;
constexpr double kMicrosPerSecond = 1e6;
constexpr double kNanosPerMicro = 1e3;

double cpuMicros() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * kMicrosPerSecond + t.tv_nsec / kNanosPerMicro;
}

// The garden's view as the screen composes it at the top level.
int composeView(const ScreenGame& game) {
  return composeScreen(game, kRows, kColumns).rows();
}

// The planner opened from the top level, composed as the screen shows it,
// and closed again.
int openPlanner(ScreenGame& game) {
  game.onKey(Key::typed(L'e'));
  const int rows = composeScreen(game, kRows, kColumns).rows();
  game.onKey(Key::named(KeyKind::kEscape));
  return rows;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: planner FOLDER [REPS [both|view|open]]\n");
    return EXIT_FAILURE;
  }
  const int reps = argc > 2 ? std::atoi(argv[2]) : 1000;
  const char* what = argc > 3 ? argv[3] : "both";
  if (reps < 1 || chdir(argv[1]) != 0) return EXIT_FAILURE;
  Garden garden;
  if (!viewGarden(garden, "mirl.dat")) return EXIT_FAILURE;
  ScreenGame game(garden);
  int grown = 0;
  for (int slot = 0; slot < garden.emptySlot; ++slot)
    grown += isGrown(garden.mirl[slot]) ? 1 : 0;
  const auto pairs = plannedPairs(PlannerState{}, garden).size();
  int sink = 0;
  double view = 0;
  double open = 0;
  if (std::strcmp(what, "open") != 0) {
    const double start = cpuMicros();
    for (int rep = 0; rep < reps; ++rep) sink += composeView(game);
    view = (cpuMicros() - start) / reps;
  }
  if (std::strcmp(what, "view") != 0) {
    const double start = cpuMicros();
    for (int rep = 0; rep < reps; ++rep) sink += openPlanner(game);
    open = (cpuMicros() - start) / reps;
  }
  std::printf(
      "%d grown, %zu pairs ranked; garden's view %.1f us, planner opened, "
      "drawn and closed %.1f us (CPU, mean of %d)%s\n",
      grown, pairs, view, open, reps, sink > 0 ? "" : " ");
  return EXIT_SUCCESS;
}
