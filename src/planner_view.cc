#include "planner_view.h"

#include <algorithm>
#include <string_view>

#include "actions.h"
#include "names.h"
#include "screen_words.h"

namespace {

// The columns a chance takes in a pair's line: "100.0%" and a blank.
constexpr int kChanceColumns = 7;
// The columns of a goal part's label.
constexpr int kLabelColumns = 10;

// Where the planner draws: a region of the canvas, rows counted from its
// top and columns from its left, so that no line passes its edges.
class Area {
 public:
  Area(Canvas& canvas, int top, int left, int rows, int columns)
      : canvas_(canvas),
        top_(top),
        left_(left),
        rows_(std::max(rows, 0)),
        columns_(std::max(columns, 0)) {}

  int rows() const { return rows_; }
  int columns() const { return columns_; }

  // Puts `text` at `row`, `column` of the region, cut at its right edge.
  void put(int row, int column, std::string_view text,
           Style style = Style::kPlain) {
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return;
    canvas_.put(top_ + row, left_ + column, text, style, Colour::kDefault,
                columns_ - column);
  }

  // Gives `width` cells from `row`, `column` the style, inside the region.
  void paint(int row, int column, int width, Style style) {
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return;
    canvas_.paint(top_ + row, left_ + column,
                  std::min(width, columns_ - column), style);
  }

 private:
  Canvas& canvas_;
  int top_;
  int left_;
  int rows_;
  int columns_;
};

// The value `step` places on from `value` in the cycle "any" (nothing),
// 0, 1, ..., count - 1, "any" again. A value outside the table counts as
// "any".
std::optional<int> cycled(std::optional<int> value, int count, int step) {
  const int places = count + 1;  // the table's entries and "any"
  int at = (value && *value >= 0 && *value < count) ? *value + 1 : 0;
  at = ((at + step) % places + places) % places;
  if (at == 0) return std::nullopt;
  return at - 1;
}

bool onGoal(const PlannerState& state) { return state.cursor < kGoalParts; }

int grownCount(const Garden& garden) {
  int grown = 0;
  for (int slot = 0; slot < garden.emptySlot; ++slot) {
    if (isGrown(garden.mirl[slot])) ++grown;
  }
  return grown;
}

// The pairs the ranking has: every unordered pair of grown creatures.
int pairCount(const Garden& garden) {
  const int grown = grownCount(garden);
  return grown * (grown - 1) / 2;
}

// Changes the goal's part `part` by `step` (a boolean part switches).
void changePart(BreedingGoal& goal, GoalPart part, int step) {
  switch (part) {
    case GoalPart::kColour:
      goal.color = cycled(goal.color, COLOR_COUNT, step);
      break;
    case GoalPart::kCoat:
      goal.coat = cycled(goal.coat, COAT_COUNT, step);
      break;
    case GoalPart::kShiny:
      goal.shiny = !goal.shiny;
      break;
    case GoalPart::kTwoTone:
      goal.twoTone = !goal.twoTone;
      break;
    case GoalPart::kPurebred:
      goal.purebred = !goal.purebred;
      break;
  }
}

void clearPart(BreedingGoal& goal, GoalPart part) {
  switch (part) {
    case GoalPart::kColour:
      goal.color.reset();
      break;
    case GoalPart::kCoat:
      goal.coat.reset();
      break;
    case GoalPart::kShiny:
      goal.shiny = false;
      break;
    case GoalPart::kTwoTone:
      goal.twoTone = false;
      break;
    case GoalPart::kPurebred:
      goal.purebred = false;
      break;
  }
}

// The label and the value shown for a part of the goal.
std::string partLine(const BreedingGoal& goal, GoalPart part) {
  auto label = [](std::string text) {
    text.resize(kLabelColumns, ' ');
    return text;
  };
  auto tick = [](bool on) { return std::string(on ? "[x]" : "[ ]"); };
  switch (part) {
    case GoalPart::kColour:
      return label("colour") + "< " +
             (goal.color ? goalColourName(*goal.color) : "any") + " >";
    case GoalPart::kCoat:
      return label("coat") + "< " +
             (goal.coat ? goalCoatName(*goal.coat) : "any") + " >";
    case GoalPart::kShiny:
      return label("shiny") + tick(goal.shiny);
    case GoalPart::kTwoTone:
      return label("two-tone") + tick(goal.twoTone);
    case GoalPart::kPurebred:
      return label("purebred") + tick(goal.purebred);
  }
  return "";
}

// A pair's line: the goal chance, the purebred chance, then both parents
// by slot and name, each name cut to its share of `columns`.
std::string pairLine(const PlannedPair& pair, const Garden& garden,
                     int columns) {
  auto padded = [](std::string text) {
    text.resize(std::max<std::size_t>(text.size(), kChanceColumns), ' ');
    return text;
  };
  const int nameRoom = std::max(1, (columns - 2 * kChanceColumns - 7) / 2);
  auto parent = [&](int slot) {
    return std::to_string(slot) + " " +
           fitWidth(garden.mirl[slot].getName(), nameRoom);
  };
  return padded(chancePercent(pair.goalChance)) +
         padded(chancePercent(pair.pureChance)) + parent(pair.firstSlot) +
         " + " + parent(pair.secondSlot);
}

// What stands in the way of the goal, one line each.
std::vector<std::string> obstacles(const std::vector<PlannedPair>& pairs,
                                   const Garden& garden) {
  std::vector<std::string> lines;
  const int grown = grownCount(garden);
  if (grown < 2) {
    lines.push_back("Breeding needs two grown mirl; the garden has " +
                    std::to_string(grown) + ".");
  } else if (std::none_of(pairs.begin(), pairs.end(), [](const PlannedPair& p) {
               return p.goalChance > 0;
             })) {
    lines.emplace_back("No pair can lay an egg that meets this goal.");
  }
  if (!garden.hasRoom()) {
    lines.emplace_back(
        "The garden is full: breeding needs an empty slot for the egg.");
  }
  return lines;
}

void drawGoal(Area& area, int& row, const PlannerState& state) {
  area.put(row++, 0, "The egg should show:", Style::kBold);
  for (int part = 0; part < kGoalParts; ++part) {
    area.put(row, 0, partLine(state.goal, static_cast<GoalPart>(part)));
    if (state.cursor == part) {
      area.paint(row, 0, area.columns(), Style::kReverse);
    }
    ++row;
  }
}

void drawPairs(Area& area, int row, const PlannerState& state,
               const std::vector<PlannedPair>& pairs, const Garden& garden) {
  area.put(row++, 0, "egg    pure   pair (slot and name)", Style::kBold);
  const int shownRows = area.rows() - row;
  if (shownRows <= 0) return;
  const int count = static_cast<int>(pairs.size());
  const int highlighted = state.cursor - kGoalParts;
  // The highlighted pair stays in view; on the goal, the best pairs show.
  const int first =
      std::clamp(highlighted - shownRows + 1, 0, std::max(0, count - 1));
  for (int at = first; at < count && row < area.rows(); ++at, ++row) {
    const PlannedPair& pair = pairs[at];
    area.put(row, 0, pairLine(pair, garden, area.columns()),
             pair.goalChance > 0 ? Style::kPlain : Style::kDim);
    if (at == highlighted) area.paint(row, 0, area.columns(), Style::kReverse);
  }
}

}  // namespace

std::string goalColourName(int color) {
  return cleanTableName(COLORS, COLOR_COUNT, color);
}

std::string goalCoatName(int coat) {
  return coat == 0 ? "no coat" : cleanTableName(COATS, COAT_COUNT, coat);
}

std::vector<BreedingCandidate> grownCandidates(const Garden& garden) {
  std::vector<BreedingCandidate> candidates;
  for (int slot = 0; slot < garden.emptySlot; ++slot) {
    if (isGrown(garden.mirl[slot])) {
      candidates.push_back({slot, garden.mirl[slot].getBreed()});
    }
  }
  return candidates;
}

std::vector<PlannedPair> plannedPairs(const PlannerState& state,
                                      const Garden& garden) {
  return planBreeding(grownCandidates(garden), state.goal);
}

std::optional<PlannedPair> plannedPairAt(const PlannerState& state,
                                         const Garden& garden) {
  if (onGoal(state)) return std::nullopt;
  const std::vector<PlannedPair> pairs = plannedPairs(state, garden);
  const std::size_t at = static_cast<std::size_t>(state.cursor - kGoalParts);
  if (at >= pairs.size()) return std::nullopt;
  return pairs[at];
}

PlannerResult onPlannerKey(PlannerState& state, const Key& key,
                           const Garden& garden) {
  const int last = kGoalParts + pairCount(garden) - 1;
  state.cursor = std::clamp(state.cursor, 0, last);
  const auto part = static_cast<GoalPart>(state.cursor);
  switch (key.kind) {
    case KeyKind::kEscape:
      return PlannerResult::kClose;
    case KeyKind::kUp:
      state.cursor = std::max(state.cursor - 1, 0);
      return PlannerResult::kNone;
    case KeyKind::kDown:
      state.cursor = std::min(state.cursor + 1, last);
      return PlannerResult::kNone;
    case KeyKind::kPageUp:
      state.cursor = std::max(state.cursor - kScrollPage, 0);
      return PlannerResult::kNone;
    case KeyKind::kPageDown:
      state.cursor = std::min(state.cursor + kScrollPage, last);
      return PlannerResult::kNone;
    case KeyKind::kHome:
      state.cursor = 0;
      return PlannerResult::kNone;
    case KeyKind::kEnd:
      state.cursor = last;
      return PlannerResult::kNone;
    case KeyKind::kLeft:
    case KeyKind::kRight:
      if (onGoal(state)) {
        changePart(state.goal, part, key.kind == KeyKind::kLeft ? -1 : 1);
      }
      return PlannerResult::kNone;
    case KeyKind::kBackspace:
      if (onGoal(state)) clearPart(state.goal, part);
      return PlannerResult::kNone;
    case KeyKind::kEnter:
      if (!onGoal(state)) return PlannerResult::kBreed;
      changePart(state.goal, part, 1);
      return PlannerResult::kNone;
    default:
      break;
  }
  if (key.is(L' ') && onGoal(state)) changePart(state.goal, part, 1);
  if (key.is(L'b') && !onGoal(state)) return PlannerResult::kBreed;
  return PlannerResult::kNone;
}

std::vector<std::array<std::string, 2>> plannerKeys(const PlannerState& state,
                                                    const Garden& garden) {
  std::vector<std::array<std::string, 2>> keys = {
      {"\u2191\u2193", "goal and pairs"}};
  if (onGoal(state)) {
    keys.push_back({"\u2190\u2192", "change"});
    keys.push_back({"Space", "next"});
    keys.push_back({"Backspace", "any"});
  } else if (state.cursor - kGoalParts < pairCount(garden)) {
    // On a pair: the ranking holds every pair, so no need to rank them.
    keys.push_back({"b", "breed this pair"});
  }
  keys.push_back({"Esc", "back"});
  return keys;
}

void drawPlanner(Canvas& canvas, int row, int column, int height, int width,
                 const PlannerState& state, const Garden& garden) {
  if (height < 2 || width < 2) return;
  canvas.frame(row, column, height, width, "Breeding planner");
  // The keys take the last line inside the frame when the goal fits above.
  const int inside = height - 2;
  const bool keysShown = inside > kGoalParts + 2;
  Area area(canvas, row + 1, column + 2, inside - (keysShown ? 1 : 0),
            width - 4);
  int line = 0;
  drawGoal(area, line, state);
  ++line;
  const std::vector<PlannedPair> pairs = plannedPairs(state, garden);
  for (const std::string& obstacle : obstacles(pairs, garden)) {
    area.put(line++, 0, obstacle, Style::kBold);
  }
  if (grownCount(garden) >= 2) drawPairs(area, line, state, pairs, garden);
  if (!keysShown) return;
  Area keys(canvas, row + inside, column + 2, 1, width - 4);
  int at = 0;
  for (const auto& key : plannerKeys(state, garden)) {
    keys.put(0, at, key[0], Style::kReverse);
    at += displayWidth(key[0]);
    keys.put(0, at, " " + key[1] + "  ", Style::kDim);
    at += displayWidth(key[1]) + 3;
  }
}
