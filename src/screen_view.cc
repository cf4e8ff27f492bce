#include "screen_view.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "actions.h"
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
// the news and the key bar, which a larger window keeps at its bottom.
constexpr int kTitleRow = 0;
constexpr int kGardenRow = 1;
constexpr int kBoxRows = 5;
constexpr int kBoxColumns = 22;
constexpr int kDrawingColumns = 10;
constexpr int kBoxTextColumns = kBoxColumns - kDrawingColumns;
constexpr int kStatsColumn = 45;
constexpr int kStatsWidth = kScreenColumns - kStatsColumn;
constexpr int kStatsRows = 20;
// The rows the title, the garden and the statistics take.
constexpr int kMainRows = kGardenRow + kStatsRows;
// The rows kept for the news above the key bar; a longer answer takes more.
constexpr int kNewsRows = 2;
// The rows below the main ones at 80x24: the news and the key bar.
constexpr int kBottomRows = kNewsRows + 1;

// The log stays in view beside the garden from this many columns, or below
// it from this many rows.
constexpr int kLogBesideColumns = 110;
constexpr int kLogBelowRows = 30;

// A dialog's box: centred over the garden, its list as tall as the window
// allows.
constexpr int kDialogWidth = 46;
constexpr int kWideDialogWidth = kScreenColumns;  // covers the statistics
constexpr int kDialogTop = 2;
// The rows of a dialog's box besides its list and note: the frame, a blank
// row under the list and one under the note.
constexpr int kDialogFrameRows = 4;
// The rows above and below a dialog's box: the title and the garden's first
// row, then the answer's last row and the key bar.
constexpr int kDialogMarginRows = kDialogTop + 2;
constexpr int kListWidth = 30;  // the list of a dialog with a side panel
constexpr int kSideColumn = 35;

// The colour of news that stands out: a birth, an evolution, a
// reincarnation.
constexpr Colour kStandOutColour = Colour::kYellow;

constexpr char kUpMark[] = "\u2191 ";
constexpr char kDownMark[] = "\u2193 ";
constexpr char kRule[] = "\u2500";
constexpr char kBullet[] = "\u2022 ";

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

// A box of the screen: its top row, left column and size.
struct Box {
  int row = 0;
  int column = 0;
  int height = 0;
  int width = 0;
};

// Where things go in a window of a given size. The garden, the statistics
// and the dialogs stay where they are at 80x24; the room a larger window
// adds goes to the log and to longer lists.
struct Layout {
  int rows = 0;
  int columns = 0;
  int listRows = 0;        // the most entries a dialog's list shows
  std::optional<Box> log;  // the log kept in view, when there is room
};

Layout layoutOf(int rows, int columns) {
  Layout layout;
  layout.rows = rows;
  layout.columns = columns;
  layout.listRows = rows - kDialogMarginRows - kDialogFrameRows - 1;
  // Beside the garden, down to the news; or below it, the whole width:
  // whichever of the two has more room.
  const int besideArea = columns >= kLogBesideColumns
                             ? (columns - kScreenColumns) * (rows - 4)
                             : 0;
  const int belowArea =
      rows >= kLogBelowRows ? columns * (rows - kMainRows - kBottomRows) : 0;
  if (besideArea > 0 && besideArea >= belowArea) {
    layout.log = Box{kGardenRow, kScreenColumns,
                     rows - kGardenRow - kBottomRows, columns - kScreenColumns};
  } else if (belowArea > 0) {
    layout.log = Box{kMainRows, 0, rows - kMainRows - kBottomRows, columns};
  }
  return layout;
}

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

// Both alleles of a gene in clean words, as "Pink / Pink".
std::string allelePair(const char* const* table, int count, int first,
                       int second) {
  return cleanTableName(table, count, first) + " / " +
         cleanTableName(table, count, second);
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
    line(cleanLooks(creature.getBreed()), Style::kBold);
    for (const ShapeOutlook& outlook : forecast.shapes) {
      line(reachWords(outlook));
    }
    return;
  }
  const Breed looks = creature.getBreed();
  line(cleanLooks(looks), Style::kBold);
  line(looks.isPure() ? "purebred" : "not purebred");
  line("colour " +
       allelePair(COLORS, COLOR_COUNT, looks.getColor(0), looks.getColor(1)));
  line("coat " +
       allelePair(COATS, COAT_COUNT, looks.getCoat(0), looks.getCoat(1)));
  line("shine " + std::to_string(looks.getShine(0)) + " " +
       std::to_string(looks.getShine(1)) + ", two-tone " +
       std::to_string(looks.getTwotone(0)) + " " +
       std::to_string(looks.getTwotone(1)));
}

// How news is drawn: standing out in bold and colour, or plain.
Style newsStyle(bool standsOut) {
  return standsOut ? Style::kBold : Style::kPlain;
}
Colour newsColour(bool standsOut) {
  return standsOut ? kStandOutColour : Colour::kDefault;
}

// "↑ 3 more" or "↓ 4 more".
std::string moreMark(const char* arrow, int count) {
  return arrow + std::to_string(count) + " more";
}

// Puts `mark` on the top or bottom edge of `box`, at its right end.
void markEdge(Canvas& canvas, const Box& box, bool top,
              const std::string& mark) {
  const std::string shown = " " + mark + " ";
  const int width = displayWidth(shown);
  if (width > box.width - 4) return;
  canvas.put(top ? box.row : box.row + box.height - 1,
             box.column + box.width - 2 - width, shown, Style::kBold);
}

// Draws the answers of `log` from the `first`-th newest on, each wrapped,
// in the `height` rows of the box at `row`, `column`, `width` wide, as many
// whole ones as fit (the first one cut when it alone does not). Returns how
// many it showed.
int drawLogEntries(Canvas& canvas, const std::vector<News>& log, int first,
                   int row, int column, int height, int width) {
  const int count = static_cast<int>(log.size());
  const int bullet = displayWidth(kBullet);
  const int end = row + height;
  int shown = 0;
  for (int at = first; at < count && row < end; ++at) {
    const News& news = log[count - 1 - at];
    const std::vector<std::string> lines = wrapText(news.text, width - bullet);
    if (static_cast<int>(lines.size()) > end - row && shown > 0) break;
    canvas.put(row, column, kBullet, Style::kDim);
    row +=
        canvas.putLines(row, column + bullet, lines, end - row, width - bullet,
                        newsStyle(news.standsOut), newsColour(news.standsOut));
    ++shown;
  }
  return shown;
}

// The log kept in view beside or below the garden: the newest answers.
void drawLogPanel(Canvas& canvas, const ScreenGame& game, const Box& box) {
  canvas.frame(box.row, box.column, box.height, box.width, "Log, newest first");
  if (game.log().empty()) {
    canvas.put(box.row + 1, box.column + 2, "(nothing yet)", Style::kDim,
               Colour::kDefault, box.width - 4);
    return;
  }
  const int shown =
      drawLogEntries(canvas, game.log(), 0, box.row + 1, box.column + 2,
                     box.height - 2, box.width - 4);
  const int rest = static_cast<int>(game.log().size()) - shown;
  if (rest > 0) markEdge(canvas, box, false, moreMark(kDownMark, rest));
}

// The answer to the last key, wrapped over the rows above the key bar
// (which takes `keyRows` rows). A
// long one takes more rows, upward over the garden, under a rule; it is
// cut only when even the whole window above the keys cannot hold it.
void drawNews(Canvas& canvas, const ScreenGame& game, int keyRows) {
  const int bottom = canvas.rows() - keyRows;  // the first row of the keys
  const int columns = canvas.columns();
  const int width = columns - 2;
  const std::vector<std::string> lines = wrapText(game.answer(), width);
  const int textRows = std::min(static_cast<int>(lines.size()), bottom - 1);
  if (textRows <= 0) return;
  const int top = bottom - textRows;
  if (textRows > kBottomRows - keyRows) {
    const int ruleRow = top - 1;
    for (int row = std::max(ruleRow, kGardenRow); row < bottom; ++row) {
      canvas.put(row, 0, std::string(columns, ' '));
    }
    if (ruleRow >= kGardenRow) {
      for (int column = 0; column < columns; ++column) {
        canvas.put(ruleRow, column, kRule);
      }
    }
  }
  canvas.putLines(top, 1, lines, textRows, width,
                  newsStyle(game.answerStandsOut()),
                  newsColour(game.answerStandsOut()));
}

// The keys of the open dialog: at the top level, those of the key table
// that can act now.
std::vector<std::array<std::string, 2>> dialogKeys(const ScreenGame& game) {
  const Dialog& dialog = game.dialog();
  std::vector<std::array<std::string, 2>> keys;
  if (std::holds_alternative<std::monostate>(dialog)) {
    for (const KeyBinding& binding : keyTable()) {
      if (!game.canRun(binding.command)) continue;
      keys.push_back({utf8Of(binding.key), binding.label});
    }
  } else if (std::holds_alternative<HelpDialog>(dialog) ||
             std::holds_alternative<LogDialog>(dialog) ||
             std::holds_alternative<BookDialog>(dialog)) {
    keys = {{"\u2191\u2193", "scroll"},
            {"PgUp PgDn", "a page"},
            {"Home End", "the ends"},
            {"any other key", "back"}};
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
  } else {
    keys = {{"0-9", "type a number"},
            {"\u2191\u2193", "choose"},
            {"Enter", "pick"},
            {"Esc", "cancel"}};
  }
  return keys;
}

// The widths of a key bar of `keys`: with two blanks between keys, and
// with one.
std::pair<int, int> barWidths(
    const std::vector<std::array<std::string, 2>>& keys) {
  int wide = 0;
  for (const auto& key : keys) {
    wide += displayWidth(key[0]) + 1 + displayWidth(key[1]) + 2;
  }
  const int count = static_cast<int>(keys.size());
  return {wide - 2, wide - count - 1};
}

// The keys at the window's bottom, whatever its size: on its last row,
// with a wide gap where they all fit, a narrow one where that makes them
// fit, and otherwise over the last two rows, so that no key is cut off.
// Returns the rows used.
int drawKeys(Canvas& canvas, const ScreenGame& game) {
  const std::vector<std::array<std::string, 2>> keys = dialogKeys(game);
  const auto [wide, narrow] = barWidths(keys);
  const std::string gap = wide <= canvas.columns() ? "  " : " ";
  const bool twoRows = narrow > canvas.columns();
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

// Draws the picker's list in its `rows` rows at `row`, `column`, with a
// mark on the row above (`markBox`'s top edge) and the row below when
// entries lie beyond.
void drawList(Canvas& canvas, const ListPicker& picker, const Box& markBox,
              int row, int column, int width, int rows) {
  const int first = picker.firstShown(rows);
  const int count = static_cast<int>(picker.entries().size());
  const int last = std::min(count, first + rows);
  if (count == 0) {
    canvas.put(row, column, "(nothing to pick)", Style::kDim);
    return;
  }
  for (int at = first; at < last; ++at) {
    const ListEntry& entry = picker.entries()[at];
    const int line = row + at - first;
    canvas.put(line, column, std::to_string(entry.number) + ") " + entry.label,
               Style::kPlain, Colour::kDefault, width);
    if (at == picker.highlighted())
      canvas.paint(line, column, width, Style::kReverse);
  }
  if (first > 0) markEdge(canvas, markBox, true, moreMark(kUpMark, first));
  if (last < count) {
    canvas.put(row + rows, column, moreMark(kDownMark, count - last),
               Style::kBold, Colour::kDefault, width);
  }
}

void drawForecast(Canvas& canvas, const ScreenGame& game,
                  const ListPicker& partners, const Box& panel) {
  const ListEntry* highlighted = partners.highlightedEntry();
  if (highlighted == nullptr) return;
  const Garden& garden = game.garden();
  const int partner = highlighted->number;
  int row = panel.row;
  canvas.put(row++, panel.column, "Their egg would look:", Style::kBold);
  if (partner == game.selected() || !garden.isOccupied(partner)) {
    canvas.put(row, panel.column, "(pick another mirl)", Style::kDim);
    return;
  }
  const BreedingForecast forecast =
      forecastBreeding(garden.mirl[game.selected()].getBreed(),
                       garden.mirl[partner].getBreed(), cleanLooks);
  const int shown = static_cast<int>(forecast.appearances.size());
  // Under the looks: a row for the other looks, a blank one and purity.
  const int room = std::max(panel.height - 4, 1);
  const int listed = shown > room ? room - 1 : shown;
  for (int at = 0; at < listed; ++at) {
    const ForecastLook& looks = forecast.appearances[at];
    canvas.put(row++, panel.column,
               padded(chancePercent(looks.chance), 7) + looks.looks,
               Style::kPlain, Colour::kDefault, panel.width);
  }
  if (shown > listed) {
    int rest = 0;
    for (int at = listed; at < shown; ++at) {
      rest += forecast.appearances[at].chance;
    }
    canvas.put(row++, panel.column,
               padded(chancePercent(rest), 7) + std::to_string(shown - listed) +
                   " other looks",
               Style::kDim, Colour::kDefault, panel.width);
  }
  canvas.put(row + 1, panel.column,
             "purebred: " + chancePercent(forecast.pureChance), Style::kBold,
             Colour::kDefault, panel.width);
}

// Beside a give list: what the highlighted item would do to the selected
// creature.
void drawItemEffect(Canvas& canvas, const ScreenGame& game,
                    const ItemDialog& dialog, const Box& panel) {
  const ListEntry* highlighted = dialog.list.highlightedEntry();
  if (highlighted == nullptr || !game.garden().isOccupied(game.selected())) {
    return;
  }
  const Mirl& creature = game.garden().mirl[game.selected()];
  const ItemEffect effect =
      itemEffect(creature, *dialog.items, dialog.kind, highlighted->number);
  int row = panel.row;
  const int end = panel.row + panel.height;
  row += canvas.putWrapped(row, panel.column,
                           "What it would do to " + creature.getName() + ":", 1,
                           panel.width, Style::kBold);
  for (const std::string& line : itemEffectLines(effect, creature.getAge())) {
    if (row >= end) break;
    if (line.empty()) {
      ++row;
      continue;
    }
    row += canvas.putWrapped(row, panel.column, line, end - row, panel.width);
  }
}

// The note of a dialog or, while a number is typed, the number.
std::string pickerNote(const ListPicker& picker) {
  return picker.typed().empty() ? picker.note() : "number: " + picker.typed();
}

void drawPickerDialog(Canvas& canvas, const ScreenGame& game,
                      const Layout& layout, const ListPicker& picker) {
  const Dialog& dialog = game.dialog();
  const auto* giving = std::get_if<ItemDialog>(&dialog);
  const bool breeding = std::holds_alternative<BreedDialog>(dialog);
  const bool side = breeding || giving != nullptr;
  const int width = side ? kWideDialogWidth : kDialogWidth;
  const int column = (kScreenColumns - width) / 2;
  const std::vector<std::string> note = wrapText(pickerNote(picker), width - 4);
  const int noteRows = std::max(static_cast<int>(note.size()), 1);
  const int maxRows = std::max(layout.listRows - (noteRows - 1), 1);
  const int listed = static_cast<int>(picker.entries().size());
  const int listRows = side ? maxRows : std::clamp(listed, 1, maxRows);
  const Box box{kDialogTop, column, listRows + kDialogFrameRows + noteRows,
                width};
  canvas.frame(box.row, box.column, box.height, box.width, picker.title());
  drawList(canvas, picker, box, box.row + 1, column + 2,
           side ? kListWidth : width - 4, listRows);
  const Box panel{box.row + 1, column + kSideColumn, listRows,
                  width - kSideColumn - 2};
  if (breeding) drawForecast(canvas, game, picker, panel);
  if (giving != nullptr) drawItemEffect(canvas, game, *giving, panel);
  canvas.putLines(box.row + listRows + 2, column + 2, note, noteRows,
                  width - 4);
}

void drawFieldDialog(Canvas& canvas, const TextField& field,
                     const std::string& title, const std::string& hint) {
  const int column = (kScreenColumns - kDialogWidth - 20) / 2;
  const int width = kDialogWidth + 20;
  const std::vector<std::string> note = wrapText(field.note(), width - 4);
  const int noteRows = std::max(static_cast<int>(note.size()), 1);
  const int top = kDialogTop + 4;
  canvas.frame(top, column, 6 + noteRows, width, title);
  canvas.put(top + 1, column + 2, hint, Style::kDim, Colour::kDefault,
             width - 4);
  // The end of a long field stays in view, where the typing is, with a
  // column left for the cursor.
  const int room = width - 5;
  const std::string_view shown = lastColumns(field.text(), room - 1);
  const int used = canvas.put(top + 3, column + 2, shown, Style::kUnderline,
                              Colour::kDefault, room);
  canvas.put(top + 3, column + 2 + used, " ", Style::kReverse);
  canvas.putLines(top + 5, column + 2, note, noteRows, width - 4);
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

// The help from its paragraph `first`, with marks where more lies above
// or below.
void drawHelp(Canvas& canvas, const HelpDialog& dialog) {
  const Box box{kGardenRow, 0, canvas.rows() - kBottomRows + 1, kScreenColumns};
  canvas.frame(box.row, box.column, box.height, box.width,
               "Help: every key and what it does");
  const std::vector<std::string>& paragraphs = helpParagraphs();
  const int count = static_cast<int>(paragraphs.size());
  const int first = std::clamp(dialog.first, 0, count - 1);
  const int end = box.row + box.height - 1;
  const int width = box.width - 6;
  int row = box.row + 1;
  int shown = first;
  for (; shown < count && row < end; ++shown) {
    const std::vector<std::string> lines = wrapText(paragraphs[shown], width);
    if (row + static_cast<int>(lines.size()) > end && row > box.row + 1) break;
    row += canvas.putLines(row, 3, lines, end - row, width);
  }
  if (first > 0) markEdge(canvas, box, true, moreMark(kUpMark, first));
  if (shown < count) {
    markEdge(canvas, box, false, moreMark(kDownMark, count - shown));
  }
}

// The log as a dialog: every answer of the game, newest first, from the
// one the player scrolled to.
void drawLogDialog(Canvas& canvas, const ScreenGame& game,
                   const LogDialog& dialog) {
  const Box box{kGardenRow, 0, canvas.rows() - kBottomRows + 1,
                canvas.columns()};
  canvas.frame(box.row, box.column, box.height, box.width,
               "Log: every answer of this game, newest first");
  const int count = static_cast<int>(game.log().size());
  if (count == 0) {
    canvas.put(box.row + 1, 2, "(nothing yet)", Style::kDim);
    return;
  }
  const int first = std::clamp(dialog.first, 0, count - 1);
  const int shown = drawLogEntries(canvas, game.log(), first, box.row + 1, 2,
                                   box.height - 2, box.width - 4);
  if (first > 0) markEdge(canvas, box, true, moreMark(kUpMark, first));
  const int below = count - first - shown;
  if (below > 0) markEdge(canvas, box, false, moreMark(kDownMark, below));
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

void drawDialog(Canvas& canvas, const ScreenGame& game, const Layout& layout) {
  const Dialog& dialog = game.dialog();
  if (const auto* help = std::get_if<HelpDialog>(&dialog)) {
    return drawHelp(canvas, *help);
  }
  if (const auto* log = std::get_if<LogDialog>(&dialog)) {
    return drawLogDialog(canvas, game, *log);
  }
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
  const int rows = fullDialogRows(canvas.rows());
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
    drawPickerDialog(canvas, game, layout, *list);
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

int keyBarRows(const ScreenGame& game, int columns) {
  return barWidths(dialogKeys(game)).second > columns ? 2 : 1;
}

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
  const Layout layout = layoutOf(rows, columns);
  canvas.put(kTitleRow, 0,
             " Tumblenook: " + std::to_string(garden.emptySlot) + " of " +
                 std::to_string(CAPACITY) + " mirl in the garden",
             Style::kBold);
  canvas.paint(kTitleRow, 0, kScreenColumns, Style::kReverse);
  // The planner and the book cover the garden, its statistics and the log
  // box whole: what they would cover is not drawn at all.
  const bool covered = std::holds_alternative<PlannerDialog>(game.dialog()) ||
                       std::holds_alternative<BookDialog>(game.dialog());
  if (!covered) {
    for (int slot = 0; slot < CAPACITY; ++slot) {
      drawBox(canvas, garden, slot,
              slot == game.selected() && garden.isOccupied(slot));
    }
    drawStatistics(canvas, garden, game.catalogue(), game.selected());
    if (layout.log) drawLogPanel(canvas, game, *layout.log);
  }
  const int keyRows = drawKeys(canvas, game);
  drawNews(canvas, game, keyRows);
  drawDialog(canvas, game, layout);
  return canvas;
}
