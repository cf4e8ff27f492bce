// The breeding planner, a part of the full screen: the player sets a goal
// for an egg (a colour, a coat, shiny, two-tone, purebred, in any mix) and
// the planner lists every pair of grown creatures of the garden, ranked by
// the exact chance that their egg meets the goal (forecast.h), with the
// chance that it is purebred. From a pair the player may go on to breed it.
//
// The planner's state is a small value that its own keys change, without a
// terminal; drawing only reads it and the garden. Nothing here draws a
// random number: the ranking is counted, not sampled.

#ifndef TUMBLENOOK_PLANNER_VIEW_H_
#define TUMBLENOOK_PLANNER_VIEW_H_

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "canvas.h"
#include "forecast.h"
#include "garden.h"
#include "key.h"

// The parts of a goal, in the order the planner lists them.
enum class GoalPart { kColour, kCoat, kShiny, kTwoTone, kPurebred };
inline constexpr int kGoalParts = 5;

struct PlannerState {
  BreedingGoal goal;
  // Where the highlight is: 0 to kGoalParts - 1 on a part of the goal (in
  // GoalPart order), from kGoalParts on the pairs of the ranking, best
  // first (pair cursor - kGoalParts).
  int cursor = 0;
};

// What a key asks of the game.
enum class PlannerResult {
  kNone,   // the planner changed (or not): draw it again
  kClose,  // Esc: back to the garden
  kBreed,  // breed the highlighted pair: see plannedPairAt()
};

// The grown creatures of `garden` (isGrown), by slot, as the planner ranks
// them.
std::vector<BreedingCandidate> grownCandidates(const Garden& garden);

// The ranking: every pair of grown creatures for the state's goal, best
// first (planBreeding).
std::vector<PlannedPair> plannedPairs(const PlannerState& state,
                                      const Garden& garden);

// The pair under the highlight, or nothing when the highlight is on the goal
// (or past the pairs, after the garden changed).
std::optional<PlannedPair> plannedPairAt(const PlannerState& state,
                                         const Garden& garden);

// Acts on `key`:
//   Up, Down, PageUp, PageDown, Home, End  move the highlight over the goal's
//                                          parts and then the pairs;
//   Right, Space, Enter on a part          the next value: the next colour
//                                          or coat (after the last, "any"
//                                          again), or shiny, two-tone,
//                                          purebred switched on or off;
//   Left on a part                         the value before;
//   Backspace on a part                    that part back to "any";
//   b, or Enter on a pair                  kBreed, for plannedPairAt();
//   Esc                                    kClose.
// Other keys do nothing.
PlannerResult onPlannerKey(PlannerState& state, const Key& key,
                           const Garden& garden);

// The keys that act now, as {key, what it does}, for a key bar.
std::vector<std::array<std::string, 2>> plannerKeys(const PlannerState& state,
                                                    const Garden& garden);

// The name a goal shows for colour `color`: the table's entry without its
// outer blanks.
std::string goalColourName(int color);
// The same for coat `coat`; "no coat" for 0, and the two alike Metal coats
// told apart as "Metal (13)" and "Metal (14)".
std::string goalCoatName(int coat);

// Draws the planner in a frame filling the region of `height` rows by
// `width` columns at `row`, `column` of `canvas`: the goal, then what stands
// in the way (too few grown creatures, a goal no pair can reach, a full
// garden), then the pairs, scrolled to keep the highlighted one in view,
// and the keys on the last line inside the frame. Draws nothing outside the
// region.
void drawPlanner(Canvas& canvas, int row, int column, int height, int width,
                 const PlannerState& state, const Garden& garden);

#endif  // TUMBLENOOK_PLANNER_VIEW_H_
