#include "screen_view.h"

#include <algorithm>
#include <array>

#include "breed.h"
#include "forecast.h"
#include "garden.h"
#include "names.h"
#include "portrait.h"

namespace {

// The layout at 80x24: a title row, the garden's eight boxes in two columns
// of four on the left, the selected creature's statistics on the right, then
// the answer line and the key bar, which a larger window keeps at its
// bottom.
constexpr int kTitleRow = 0;
constexpr int kGardenRow = 1;
constexpr int kBoxRows = 5;
constexpr int kBoxColumns = 22;
constexpr int kBoxesPerRow = 2;
constexpr int kDrawingColumns = 10;
constexpr int kBoxTextColumns = kBoxColumns - kDrawingColumns;
constexpr int kStatsColumn = 45;
constexpr int kStatsWidth = kScreenColumns - kStatsColumn;
constexpr int kStatsRows = 20;

// A dialog's box: centred over the garden.
constexpr int kDialogWidth = 46;
constexpr int kBreedDialogWidth = kScreenColumns;  // covers the statistics
constexpr int kDialogTop = 2;
constexpr int kDialogListRows = 15;

// The nearest of the terminal's eight colours to each colour and coat.
constexpr Colour kColorTints[COLOR_COUNT] = {
    Colour::kDefault, Colour::kYellow,  Colour::kWhite,  Colour::kYellow,
    Colour::kCyan,    Colour::kMagenta, Colour::kBlue,   Colour::kWhite,
    Colour::kGreen,   Colour::kRed,     Colour::kGreen,  Colour::kMagenta,
    Colour::kRed,     Colour::kBlue,    Colour::kDefault};
constexpr Colour kCoatTints[COAT_COUNT] = {
    Colour::kDefault, Colour::kYellow,  Colour::kWhite,   Colour::kRed,
    Colour::kBlue,    Colour::kGreen,   Colour::kMagenta, Colour::kCyan,
    Colour::kRed,     Colour::kDefault, Colour::kGreen,   Colour::kYellow,
    Colour::kWhite,   Colour::kWhite,   Colour::kWhite,   Colour::kCyan,
    Colour::kYellow,  Colour::kMagenta};

Colour tintOf(const Breed& looks) {
  const int coat = looks.getCoat(0);
  if (coat != 0 && inTable(COATS, coat)) return kCoatTints[coat];
  const int color = looks.getColor(0);
  return inTable(COLORS, color) ? kColorTints[color] : Colour::kDefault;
}

// When the creature next changes: its evolution, its reincarnation, or
// never again, for one read from a file at 50 hours or more. `in` goes
// between the change and its hours where there is room for it.
std::string nextChange(int age, const std::string& in = " in ") {
  if (age < kEvolveAge) {
    return "evolves" + in + std::to_string(kEvolveAge - age) + "h";
  }
  if (age < kReincarnateAge) {
    return "reborn" + in + std::to_string(kReincarnateAge - age) + "h";
  }
  return "past 50h, for good";
}

// The form's name on up to two lines: its family, then its alignment.
std::array<std::string, 2> formLines(const Mirl& creature) {
  const std::string form = creature.getEvolution().getEvolutionText();
  const std::string::size_type slash = form.find('/');
  if (slash == std::string::npos) return {form, ""};
  return {form.substr(0, slash), form.substr(slash + 1)};
}

void drawBox(Canvas& canvas, const Garden& garden, int slot, bool selected) {
  const int row = kGardenRow + (slot / kBoxesPerRow) * kBoxRows;
  const int column = (slot % kBoxesPerRow) * kBoxColumns;
  const int text = column + kDrawingColumns;
  if (!garden.isOccupied(slot)) {
    canvas.put(row, text, std::to_string(slot) + " empty", Style::kDim);
    return;
  }
  const Mirl& creature = garden.mirl[slot];
  const Breed looks = creature.getBreed();
  const std::array<std::string, kPortraitDrawingLines> drawing =
      drawingOf(creature.getEvolution().getEvolution());
  const Style drawn = looks.getShine(0) ? Style::kBold : Style::kPlain;
  for (int line = 0; line < kPortraitDrawingLines; ++line) {
    canvas.put(row + line, column, drawing[line], drawn, tintOf(looks),
               kDrawingColumns);
  }
  const std::array<std::string, 2> form = formLines(creature);
  const std::string lines[kBoxRows] = {
      std::to_string(slot) + " " + creature.getName(), form[0], form[1],
      "age " + std::to_string(creature.getAge()),
      nextChange(creature.getAge(), " ")};
  for (int line = 0; line < kBoxRows; ++line) {
    canvas.put(row + line, text, lines[line],
               line == 0 ? Style::kBold : Style::kPlain, Colour::kDefault,
               kBoxTextColumns);
  }
  // The selected box shows its name line in reverse video: enough to find
  // it at a glance, and little to redraw when the selection moves.
  if (selected) canvas.paint(row, text, kBoxTextColumns, Style::kReverse);
}

std::string padded(std::string text, std::size_t width) {
  if (text.size() < width) text.resize(width, ' ');
  return text;
}

void drawStatistics(Canvas& canvas, const Garden& garden, int slot) {
  if (!garden.isOccupied(slot)) {
    canvas.frame(kGardenRow, kStatsColumn, kStatsRows, kStatsWidth, "garden");
    canvas.put(kGardenRow + 2, kStatsColumn + 2, "The garden is empty.");
    canvas.put(kGardenRow + 3, kStatsColumn + 2, "Press h to hatch an egg.");
    return;
  }
  const Mirl& creature = garden.mirl[slot];
  canvas.frame(kGardenRow, kStatsColumn, kStatsRows, kStatsWidth,
               creature.getName());
  const int column = kStatsColumn + 2;
  const int room = kStatsWidth - 4;
  int row = kGardenRow + 1;
  auto line = [&](const std::string& text, Style style = Style::kPlain) {
    canvas.put(row++, column, text, style, Colour::kDefault, room);
  };
  const int lives = creature.getReincarnations();
  line("age " + std::to_string(creature.getAge()) + "h, " +
       std::to_string(lives) +
       (lives == 1 ? " reincarnation" : " reincarnations"));
  const Evolution evolution = creature.getEvolution();
  line(evolution.getEvolutionText() + ", " + nextChange(creature.getAge()));
  ++row;
  for (int skill = 0; skill < kSkillCount; ++skill) {
    const Stat stat = creature.getSkill(static_cast<Skill>(skill));
    line(padded(SKILLS[skill], 8) + stat.getRankLetter() + " " +
         padded(std::to_string(stat.getLevel()), 3) + stat.getExperienceBar() +
         " " + std::to_string(stat.getPoints()));
  }
  ++row;
  line("Hero  <" + evolution.sliderBar(evolution.getHeroDark()) + "> Dark  " +
       std::to_string(evolution.getHeroDark()));
  line("Swim  <" + evolution.sliderBar(evolution.getSwimFly()) + "> Fly   " +
       std::to_string(evolution.getSwimFly()));
  line("Run   <" + evolution.sliderBar(evolution.getRunPower()) + "> Power " +
       std::to_string(evolution.getRunPower()));
  ++row;
  const Breed looks = creature.getBreed();
  line(looks.getPhenotype(), Style::kBold);
  line(looks.isPure() ? "purebred" : "not purebred");
  line(std::string("colour ") + tableEntry(COLORS, looks.getColor(0)) + " / " +
       tableEntry(COLORS, looks.getColor(1)));
  line(std::string("coat ") + tableEntry(COATS, looks.getCoat(0)) + " / " +
       tableEntry(COATS, looks.getCoat(1)));
  line("shine " + std::to_string(looks.getShine(0)) + " " +
       std::to_string(looks.getShine(1)) + ", two-tone " +
       std::to_string(looks.getTwotone(0)) + " " +
       std::to_string(looks.getTwotone(1)));
}

// The keys of the top level, always in view.
constexpr const char* kTopKeys[][2] = {
    {"h", "Hatch"},  {"n", "Name"},  {"g", "Give"},
    {"p", "Pet"},    {"b", "Breed"}, {"r", "Release"},
    {"i", "Import"}, {"?", "Help"},  {"q", "Leave"}};

// The keys of the open dialog.
std::vector<std::array<std::string, 2>> dialogKeys(Dialog dialog) {
  switch (dialog) {
    case Dialog::kNone:
      break;
    case Dialog::kHelp:
      return {{"any key", "back to the garden"}};
    case Dialog::kName:
      return {{"type", "the name"},
              {"Backspace", "erase"},
              {"Enter", "name it"},
              {"Esc", "cancel"}};
    case Dialog::kImport:
      return {{"paste", "the code"},
              {"Backspace", "erase"},
              {"Enter", "import"},
              {"Esc", "cancel"}};
    case Dialog::kRelease:
      return {{"y", "let it go"}, {"Esc", "keep it"}};
    default:
      return {{"0-9", "type a number"},
              {"\u2191\u2193", "choose"},
              {"Enter", "pick"},
              {"Esc", "cancel"}};
  }
  std::vector<std::array<std::string, 2>> keys;
  for (const auto& key : kTopKeys) keys.push_back({key[0], key[1]});
  return keys;
}

// The keys on the window's last row, whatever its size.
void drawKeys(Canvas& canvas, Dialog dialog) {
  const int row = canvas.rows() - 1;
  int column = 0;
  for (const auto& key : dialogKeys(dialog)) {
    column += canvas.put(row, column, key[0], Style::kReverse);
    column += canvas.put(row, column, " " + key[1] + "  ");
  }
}

// The first list entry shown, so that the highlighted one is in view.
int firstShown(const Picker& picker, int rows) {
  const int count = static_cast<int>(picker.entries.size());
  return std::clamp(picker.highlighted - rows / 2, 0,
                    std::max(count - rows, 0));
}

// Draws the picker's list in the box at `row`, `column`.
void drawList(Canvas& canvas, const Picker& picker, int row, int column,
              int width) {
  const int first = firstShown(picker, kDialogListRows);
  const int count = static_cast<int>(picker.entries.size());
  const int last = std::min(count, first + kDialogListRows);
  for (int at = first; at < last; ++at) {
    const ListEntry& entry = picker.entries[at];
    canvas.put(row, column, std::to_string(entry.number) + ") " + entry.label,
               Style::kPlain, Colour::kDefault, width);
    if (at == picker.highlighted)
      canvas.paint(row, column, width, Style::kReverse);
    ++row;
  }
  if (count == 0) canvas.put(row, column, "(nothing to pick)", Style::kDim);
}

void drawForecast(Canvas& canvas, const Garden& garden,
                  const ScreenState& state, int row, int column, int width) {
  const Picker& picker = state.picker;
  if (picker.entries.empty()) return;
  const int partner = picker.entries[picker.highlighted].number;
  canvas.put(row++, column, "Their egg would look:", Style::kBold);
  if (partner == state.selected || !garden.isOccupied(partner)) {
    canvas.put(row, column, "(pick another mirl)", Style::kDim);
    return;
  }
  const BreedingForecast forecast = forecastBreeding(
      garden.mirl[state.selected].getBreed(), garden.mirl[partner].getBreed());
  const int shown = static_cast<int>(forecast.appearances.size());
  const int room = kDialogListRows - 2;
  for (int at = 0; at < std::min(shown, room); ++at) {
    const ForecastLook& looks = forecast.appearances[at];
    canvas.put(row++, column,
               padded(chancePercent(looks.chance), 7) + looks.looks,
               Style::kPlain, Colour::kDefault, width);
  }
  if (shown > room) {
    int rest = 0;
    for (int at = room; at < shown; ++at) {
      rest += forecast.appearances[at].chance;
    }
    canvas.put(row++, column,
               padded(chancePercent(rest), 7) + std::to_string(shown - room) +
                   " other looks",
               Style::kDim, Colour::kDefault, width);
  }
  canvas.put(row + 1, column, "purebred: " + chancePercent(forecast.pureChance),
             Style::kBold, Colour::kDefault, width);
}

void drawPickerDialog(Canvas& canvas, const Garden& garden,
                      const ScreenState& state) {
  const bool breeding = state.dialog == Dialog::kBreed;
  const int width = breeding ? kBreedDialogWidth : kDialogWidth;
  const int column = (kScreenColumns - width) / 2;
  const int listed = static_cast<int>(state.picker.entries.size());
  const int height =
      (breeding ? kDialogListRows : std::min(listed, kDialogListRows)) + 5;
  canvas.frame(kDialogTop, column, height, width, state.picker.title);
  const int listWidth = breeding ? 30 : width - 4;
  drawList(canvas, state.picker, kDialogTop + 1, column + 2, listWidth);
  if (breeding) {
    drawForecast(canvas, garden, state, kDialogTop + 1, column + 35,
                 width - 37);
  }
  const int row = kDialogTop + height - 3;
  canvas.put(
      row, column + 2,
      state.picker.typed.empty() ? state.note : "number: " + state.picker.typed,
      Style::kPlain, Colour::kDefault, width - 4);
}

void drawFieldDialog(Canvas& canvas, const ScreenState& state,
                     const std::string& title, const std::string& hint) {
  const int column = (kScreenColumns - kDialogWidth - 20) / 2;
  const int width = kDialogWidth + 20;
  canvas.frame(kDialogTop + 4, column, 7, width, title);
  canvas.put(kDialogTop + 5, column + 2, hint, Style::kDim, Colour::kDefault,
             width - 4);
  // The end of a long field stays in view, where the typing is.
  const int room = width - 5;
  std::string shown = state.field;
  while (displayWidth(shown) > room - 1) shown.erase(0, 1);
  const int used = canvas.put(kDialogTop + 7, column + 2, shown,
                              Style::kUnderline, Colour::kDefault, room);
  canvas.put(kDialogTop + 7, column + 2 + used, " ", Style::kReverse);
  canvas.put(kDialogTop + 9, column + 2, state.note, Style::kPlain,
             Colour::kDefault, width - 4);
}

void drawRelease(Canvas& canvas, const Garden& garden,
                 const ScreenState& state) {
  // As wide as the screen, so that no edge of a box below shows beside it.
  const int width = kScreenColumns;
  canvas.frame(kDialogTop + 3, 0, 14, width,
               "Let " + garden.mirl[state.selected].getName() + " go?");
  int row = kDialogTop + 4;
  canvas.put(row++, 4,
             "Its code brings it back with i (or --import):", Style::kPlain,
             Colour::kDefault, width - 4);
  const int perLine = width - 8;
  for (std::size_t at = 0; at < state.code.size(); at += perLine) {
    canvas.put(row++, 4, state.code.substr(at, perLine), Style::kBold);
  }
  canvas.put(kDialogTop + 15, 4,
             "y lets it go now; the code is kept in released-codes.txt",
             Style::kPlain, Colour::kDefault, width - 4);
}

constexpr const char* kHelpLines[] = {
    "Tumblenook: every key and what it does",
    "",
    "0-7       select the mirl in that slot; arrow keys move the selection",
    "h         hatch an egg: Normal, Monotone, Shiny Monotone or Jewel",
    "n         name the selected mirl (one word, at most 64 bytes)",
    "g         give it a fruit, an Orvan Drive or a small animal",
    "p         pet it (only a Child's alignment moves)",
    "b         breed it with another grown mirl; the forecast shows the egg",
    "r         release it: its code is shown, y lets it go",
    "i         import a creature from its code into the first empty slot",
    "q         leave: one last hour passes and the garden is saved",
    "",
    "In a list, type the number shown beside an entry and press Enter, or",
    "choose with the arrow keys and Enter. Esc cancels any dialog.",
    "Every action you finish is one hour for every mirl; looking, a",
    "cancelled dialog, a refusal, a release and an import cost no hour.",
    "Ctrl-C leaves as q does; Ctrl-Z suspends, and fg comes back.",
};

void drawHelp(Canvas& canvas) {
  canvas.frame(1, 0, kScreenRows - 3, kScreenColumns, "Help");
  int row = 2;
  for (const char* text : kHelpLines) {
    canvas.put(row, 3, text, row == 2 ? Style::kBold : Style::kPlain,
               Colour::kDefault, kScreenColumns - 6);
    ++row;
  }
}

void drawDialog(Canvas& canvas, const Garden& garden,
                const ScreenState& state) {
  switch (state.dialog) {
    case Dialog::kNone:
      return;
    case Dialog::kHelp:
      return drawHelp(canvas);
    case Dialog::kName:
      return drawFieldDialog(canvas, state,
                             "Name " + garden.mirl[state.selected].getName(),
                             "One word, at most 64 bytes, no blanks:");
    case Dialog::kImport:
      return drawFieldDialog(canvas, state, "Import a creature",
                             "Paste its code (blanks are ignored):");
    case Dialog::kRelease:
      return drawRelease(canvas, garden, state);
    default:
      return drawPickerDialog(canvas, garden, state);
  }
}

void drawTooSmall(Canvas& canvas) {
  const std::string lines[] = {"Tumblenook needs a window of at least 80x24;",
                               "this one is " +
                                   std::to_string(canvas.columns()) + "x" +
                                   std::to_string(canvas.rows()) + ".",
                               "Make it larger, or press q to leave."};
  int row = 0;
  for (const std::string& text : lines) canvas.put(row++, 0, text);
}

}  // namespace

bool fitsScreen(int rows, int columns) {
  return rows >= kScreenRows && columns >= kScreenColumns;
}

Canvas composeScreen(const Garden& garden, const ScreenState& state, int rows,
                     int columns) {
  Canvas canvas(rows, columns);
  if (!fitsScreen(rows, columns)) {
    drawTooSmall(canvas);
    return canvas;
  }
  canvas.put(kTitleRow, 0,
             " Tumblenook: " + std::to_string(garden.emptySlot) + " of " +
                 std::to_string(CAPACITY) + " mirl in the garden",
             Style::kBold);
  canvas.paint(kTitleRow, 0, kScreenColumns, Style::kReverse);
  for (int slot = 0; slot < CAPACITY; ++slot) {
    drawBox(canvas, garden, slot,
            slot == state.selected && garden.isOccupied(slot));
  }
  drawStatistics(canvas, garden, state.selected);
  // The answer stands just above the keys, whatever the window's size.
  canvas.put(rows - 2, 1, state.answer, Style::kBold, Colour::kDefault,
             columns - 2);
  drawKeys(canvas, state.dialog);
  drawDialog(canvas, garden, state);
  return canvas;
}
