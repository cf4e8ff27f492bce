#include "screen_view.h"

#include <algorithm>
#include <array>

#include "book_view.h"
#include "breed.h"
#include "forecast.h"
#include "key_table.h"
#include "names.h"
#include "portrait.h"
#include "screen_words.h"

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
      nextChangeWords(creature.getAge(), " ")};
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

void drawStatistics(Canvas& canvas, const Garden& garden,
                    const ItemCollection& catalogue, int slot) {
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
  line(evolution.getEvolutionText() + ", " +
       nextChangeWords(creature.getAge()));
  const EvolutionForecast forecast = forecastEvolution(creature, catalogue);
  line(headingWords(forecast), Style::kDim);
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
  if (forecast.stage == LifeStage::kEvolving) {
    // Before it evolves, what it may still become matters more than genes
    // it cannot pass on yet: the looks line, then each shape's reach.
    line(creature.getBreed().getPhenotype(), Style::kBold);
    for (const ShapeOutlook& outlook : forecast.shapes) {
      line(reachWords(outlook));
    }
    return;
  }
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

// The keys of the open dialog: at the top level, those of the key table
// that can act now.
std::vector<std::array<std::string, 2>> dialogKeys(const ScreenGame& game) {
  const Dialog& dialog = game.dialog();
  std::vector<std::array<std::string, 2>> keys;
  if (std::holds_alternative<std::monostate>(dialog)) {
    for (const KeyBinding& binding : keyTable()) {
      if (!game.canRun(binding.command)) continue;
      keys.push_back(
          {std::string(1, static_cast<char>(binding.key)), binding.label});
    }
  } else if (std::holds_alternative<HelpDialog>(dialog)) {
    keys = {{"any key", "back to the garden"}};
  } else if (std::holds_alternative<NameDialog>(dialog)) {
    keys = {{"type", "the name"},
            {"Backspace", "erase"},
            {"Enter", "name it"},
            {"Esc", "cancel"}};
  } else if (std::holds_alternative<ImportDialog>(dialog)) {
    keys = {{"paste", "the code"},
            {"Backspace", "erase"},
            {"Enter", "import"},
            {"Esc", "cancel"}};
  } else if (std::holds_alternative<ReleaseDialog>(dialog)) {
    keys = {{"y", "let it go"}, {"Esc", "keep it"}};
  } else if (const auto* planner = std::get_if<PlannerDialog>(&dialog)) {
    keys = plannerKeys(planner->state, game.garden());
  } else if (std::holds_alternative<BookDialog>(dialog) ||
             std::holds_alternative<LogDialog>(dialog)) {
    keys = {{"\u2191\u2193", "scroll"}, {"any other key", "back"}};
  } else {
    keys = {{"0-9", "type a number"},
            {"\u2191\u2193", "choose"},
            {"Enter", "pick"},
            {"Esc", "cancel"}};
  }
  return keys;
}

// The keys on the window's last row, whatever its size.
// The keys at the window's bottom, whatever its size: on its last row,
// with a wide gap where they all fit, a narrow one where that makes them
// fit, and otherwise over the last two rows, so that no key is cut off.
// Returns the rows used.
int drawKeys(Canvas& canvas, const ScreenGame& game) {
  const std::vector<std::array<std::string, 2>> keys = dialogKeys(game);
  int wide = 0;
  for (const auto& key : keys) {
    wide += displayWidth(key[0]) + 1 + displayWidth(key[1]) + 2;
  }
  const int narrow = wide - static_cast<int>(keys.size());
  const std::string gap = wide - 2 <= canvas.columns() ? "  " : " ";
  const bool twoRows = narrow - 1 > canvas.columns();
  int row = canvas.rows() - (twoRows ? 2 : 1);
  int column = 0;
  for (const auto& key : keys) {
    const int width = displayWidth(key[0]) + 1 + displayWidth(key[1]);
    if (twoRows && column > 0 && column + width > canvas.columns()) {
      ++row;
      column = 0;
    }
    column += canvas.put(row, column, key[0], Style::kReverse);
    column += canvas.put(row, column, " " + key[1] + gap);
  }
  return twoRows ? 2 : 1;
}

// Draws the picker's list in the box at `row`, `column`.
void drawList(Canvas& canvas, const ListPicker& picker, int row, int column,
              int width) {
  const int first = picker.firstShown(kDialogListRows);
  const int count = static_cast<int>(picker.entries().size());
  const int last = std::min(count, first + kDialogListRows);
  for (int at = first; at < last; ++at) {
    const ListEntry& entry = picker.entries()[at];
    canvas.put(row, column, std::to_string(entry.number) + ") " + entry.label,
               Style::kPlain, Colour::kDefault, width);
    if (at == picker.highlighted())
      canvas.paint(row, column, width, Style::kReverse);
    ++row;
  }
  if (count == 0) canvas.put(row, column, "(nothing to pick)", Style::kDim);
}

void drawForecast(Canvas& canvas, const ScreenGame& game,
                  const ListPicker& partners, int row, int column, int width) {
  const ListEntry* highlighted = partners.highlightedEntry();
  if (highlighted == nullptr) return;
  const Garden& garden = game.garden();
  const int partner = highlighted->number;
  canvas.put(row++, column, "Their egg would look:", Style::kBold);
  if (partner == game.selected() || !garden.isOccupied(partner)) {
    canvas.put(row, column, "(pick another mirl)", Style::kDim);
    return;
  }
  const BreedingForecast forecast = forecastBreeding(
      garden.mirl[game.selected()].getBreed(), garden.mirl[partner].getBreed());
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

void drawPickerDialog(Canvas& canvas, const ScreenGame& game,
                      const ListPicker& picker) {
  const bool breeding = std::holds_alternative<BreedDialog>(game.dialog());
  const int width = breeding ? kBreedDialogWidth : kDialogWidth;
  const int column = (kScreenColumns - width) / 2;
  const int listed = static_cast<int>(picker.entries().size());
  const int height =
      (breeding ? kDialogListRows : std::min(listed, kDialogListRows)) + 5;
  canvas.frame(kDialogTop, column, height, width, picker.title());
  const int listWidth = breeding ? 30 : width - 4;
  drawList(canvas, picker, kDialogTop + 1, column + 2, listWidth);
  if (breeding) {
    drawForecast(canvas, game, picker, kDialogTop + 1, column + 35, width - 37);
  }
  const int row = kDialogTop + height - 3;
  canvas.put(
      row, column + 2,
      picker.typed().empty() ? picker.note() : "number: " + picker.typed(),
      Style::kPlain, Colour::kDefault, width - 4);
}

void drawFieldDialog(Canvas& canvas, const TextField& field,
                     const std::string& title, const std::string& hint) {
  const int column = (kScreenColumns - kDialogWidth - 20) / 2;
  const int width = kDialogWidth + 20;
  canvas.frame(kDialogTop + 4, column, 7, width, title);
  canvas.put(kDialogTop + 5, column + 2, hint, Style::kDim, Colour::kDefault,
             width - 4);
  // The end of a long field stays in view, where the typing is.
  const int room = width - 5;
  std::string shown = field.text();
  while (displayWidth(shown) > room - 1) shown.erase(0, 1);
  const int used = canvas.put(kDialogTop + 7, column + 2, shown,
                              Style::kUnderline, Colour::kDefault, room);
  canvas.put(kDialogTop + 7, column + 2 + used, " ", Style::kReverse);
  canvas.put(kDialogTop + 9, column + 2, field.note(), Style::kPlain,
             Colour::kDefault, width - 4);
}

void drawRelease(Canvas& canvas, const ScreenGame& game,
                 const ReleaseDialog& release) {
  // As wide as the screen, so that no edge of a box below shows beside it.
  const int width = kScreenColumns;
  canvas.frame(kDialogTop + 3, 0, 14, width,
               "Let " + game.garden().mirl[game.selected()].getName() + " go?");
  int row = kDialogTop + 4;
  canvas.put(row++, 4,
             "Its code brings it back with i (or --import):", Style::kPlain,
             Colour::kDefault, width - 4);
  const int perLine = width - 8;
  for (std::size_t at = 0; at < release.code.size(); at += perLine) {
    canvas.put(row++, 4, release.code.substr(at, perLine), Style::kBold);
  }
  canvas.put(kDialogTop + 15, 4,
             "y lets it go now; the code is kept in released-codes.txt",
             Style::kPlain, Colour::kDefault, width - 4);
}

// The help: the keys that select, then the key table's lines, then how
// lists and time work.
std::vector<std::string> helpLines() {
  std::vector<std::string> lines = {
      "Tumblenook: every key and what it does", "",
      "0-7       select the mirl in that slot; arrow keys move the selection"};
  for (const KeyBinding& binding : keyTable()) {
    if (!binding.help.empty()) lines.push_back(helpLine(binding));
  }
  for (const char* line : {
           "",
           "In a list, type the number beside an entry and press Enter, or",
           "choose with the arrow keys and Enter. Esc cancels any dialog.",
           "Every action you finish is one hour for every mirl; looking, a",
           "cancelled dialog, a refusal, a release and an import cost no hour.",
           "Ctrl-C leaves as q does; Ctrl-Z suspends, and fg comes back.",
       }) {
    lines.emplace_back(line);
  }
  return lines;
}

void drawHelp(Canvas& canvas) {
  canvas.frame(1, 0, kScreenRows - 3, kScreenColumns, "Help");
  int row = 2;
  for (const std::string& text : helpLines()) {
    canvas.put(row, 3, text, row == 2 ? Style::kBold : Style::kPlain,
               Colour::kDefault, kScreenColumns - 6);
    ++row;
  }
}

// The list of the open dialog, for the dialogs that show one.
const ListPicker* listOf(const Dialog& dialog) {
  if (const auto* open = std::get_if<EggKindDialog>(&dialog))
    return &open->list;
  if (const auto* open = std::get_if<GeneDialog>(&dialog)) return &open->list;
  if (const auto* open = std::get_if<ItemKindDialog>(&dialog)) {
    return &open->list;
  }
  if (const auto* open = std::get_if<ItemDialog>(&dialog)) return &open->list;
  if (const auto* open = std::get_if<PetDialog>(&dialog)) return &open->list;
  if (const auto* open = std::get_if<BreedDialog>(&dialog)) return &open->list;
  return nullptr;
}

void drawDialog(Canvas& canvas, const ScreenGame& game) {
  const Dialog& dialog = game.dialog();
  if (std::holds_alternative<HelpDialog>(dialog)) return drawHelp(canvas);
  if (const auto* naming = std::get_if<NameDialog>(&dialog)) {
    return drawFieldDialog(
        canvas, naming->field,
        "Name " + game.garden().mirl[game.selected()].getName(),
        "One word, at most " + std::to_string(kMaxNameBytes) +
            " bytes, no blanks:");
  }
  if (const auto* import = std::get_if<ImportDialog>(&dialog)) {
    return drawFieldDialog(canvas, import->field, "Import a creature",
                           "Paste its code (blanks are ignored):");
  }
  if (const auto* release = std::get_if<ReleaseDialog>(&dialog)) {
    return drawRelease(canvas, game, *release);
  }
  // The planner and the book take the whole window above the answer.
  const int rows = canvas.rows() - 3;
  if (const auto* planner = std::get_if<PlannerDialog>(&dialog)) {
    return drawPlanner(canvas, 1, 0, rows, canvas.columns(), planner->state,
                       game.garden());
  }
  if (const auto* book = std::get_if<BookDialog>(&dialog)) {
    drawBook(canvas, 1, 0, rows, canvas.columns(), game.garden().book,
             book->first);
    return;
  }
  if (const ListPicker* list = listOf(dialog)) {
    drawPickerDialog(canvas, game, *list);
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

Canvas composeScreen(const ScreenGame& game, int rows, int columns) {
  const Garden& garden = game.garden();
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
            slot == game.selected() && garden.isOccupied(slot));
  }
  drawStatistics(canvas, garden, game.catalogue(), game.selected());
  // The answer stands just above the keys, whatever the window's size.
  const int keyRows = drawKeys(canvas, game);
  canvas.put(rows - 1 - keyRows, 1, game.answer(), Style::kBold,
             Colour::kDefault, columns - 2);
  drawDialog(canvas, game);
  return canvas;
}
