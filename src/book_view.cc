#include "book_view.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "names.h"
#include "screen_words.h"

namespace {

// The first of the forms that no evolution picks (the Orvan and character
// forms): adultForm() gives 5 to 19.
constexpr int kFirstNeverEvolvedForm = kPowerForms + kFormsPerFamily;
// The blank columns between two cells of a grid.
constexpr int kCellGap = 2;
// The columns the frame and its margins take from a region's width.
constexpr int kFrameColumns = 4;
// The rows the frame takes from a region's height.
constexpr int kFrameRows = 2;

// A piece of text on a line of the page, at its column.
struct Span {
  int column;
  std::string text;
  Style style;
};
using Line = std::vector<Span>;

// One entry of a grid: a name, its first if seen, and its mark when only an
// import brings it.
struct Entry {
  std::string name;
  std::optional<First> first;
  const char* mark = "";  // kImportOnlyMark, kNeverEvolvedMark or none
};

// The letter of how a first came: r, b or i.
std::string originLetter(Origin origin) {
  return std::string(1, originName(origin)[0]);
}

std::string cellText(const Entry& entry) {
  return entry.name + entry.mark + " " +
         (entry.first ? originLetter(entry.first->origin) : "?");
}

// A section: its heading with how many entries are seen, then the entries
// as a grid of equal cells, as many to a line as `width` holds.
void addGrid(std::vector<Line>& page, const std::string& heading,
             const std::vector<Entry>& entries, int width) {
  const int seen = static_cast<int>(std::count_if(
      entries.begin(), entries.end(),
      [](const Entry& entry) { return entry.first.has_value(); }));
  page.push_back({{0,
                   heading + " " + std::to_string(seen) + " of " +
                       std::to_string(entries.size()) + " seen",
                   Style::kBold}});
  int cell = 0;
  for (const Entry& entry : entries) {
    cell = std::max(cell, displayWidth(cellText(entry)) + kCellGap);
  }
  const int perLine = std::max(1, (width + kCellGap) / std::max(cell, 1));
  for (std::size_t at = 0; at < entries.size(); ++at) {
    if (at % perLine == 0) page.emplace_back();
    const Entry& entry = entries[at];
    page.back().push_back({static_cast<int>(at % perLine) * cell,
                           cellText(entry),
                           entry.first ? Style::kBold : Style::kDim});
  }
}

// `text` wrapped to `width`, a line of the page each.
void addText(std::vector<Line>& page, const std::string& text, int width,
             Style style = Style::kPlain) {
  for (std::string& line : wrapText(text, width)) {
    page.push_back({{0, std::move(line), style}});
  }
}

std::vector<Entry> formEntries(const Book& book) {
  std::vector<Entry> entries;
  for (int form = 0; form < EVOLUTION_COUNT; ++form) {
    if (!isAdultForm(form)) continue;
    const char* mark = "";
    if (isHeroOrDarkForm(form)) mark = kImportOnlyMark;
    if (form >= kFirstNeverEvolvedForm) mark = kNeverEvolvedMark;
    entries.push_back({EVOLUTIONS[form], book.form(form), mark});
  }
  return entries;
}

std::vector<Entry> colourEntries(const Book& book) {
  std::vector<Entry> entries;
  entries.reserve(COLOR_COUNT);
  for (int color = 0; color < COLOR_COUNT; ++color) {
    entries.push_back(
        {cleanTableName(COLORS, COLOR_COUNT, color), book.color(color)});
  }
  return entries;
}

// The coats from 1: coat 0 is no coat, which the book does not note.
std::vector<Entry> coatEntries(const Book& book) {
  std::vector<Entry> entries;
  for (int coat = 1; coat < COAT_COUNT; ++coat) {
    entries.push_back(
        {cleanTableName(COATS, COAT_COUNT, coat), book.coat(coat)});
  }
  return entries;
}

std::vector<Entry> traitEntries(const Book& book) {
  return {{"shiny", book.trait(Trait::kShiny)},
          {"two-tone", book.trait(Trait::kTwoTone)},
          {"purebred", book.trait(Trait::kPurebred)}};
}

std::vector<Entry> sRankEntries(const Book& book) {
  std::vector<Entry> entries;
  entries.reserve(kSkillCount);
  for (int skill = 0; skill < kSkillCount; ++skill) {
    entries.push_back({SKILLS[skill], book.sRank(static_cast<Skill>(skill))});
  }
  return entries;
}

// The hours and the counts, as cells of a grid with no heading.
void addCounts(std::vector<Line>& page, const Book& book, int width) {
  auto count = [&](const char* label, int value) {
    return std::string(label) + " " + std::to_string(value);
  };
  const std::string cells[] = {
      count("hours", book.hours()),
      count("eggs hatched", book.tally(Tally::kEggsHatched)),
      count("eggs bred", book.tally(Tally::kEggsBred)),
      count("evolved", book.tally(Tally::kEvolved)),
      count("reincarnated", book.tally(Tally::kReincarnated)),
      count("released", book.tally(Tally::kReleased)),
      count("imported", book.tally(Tally::kImported)),
      count("most lives of one mirl", book.mostReincarnations()),
  };
  int cell = 0;
  for (const std::string& text : cells) {
    cell = std::max(cell, displayWidth(text) + kCellGap);
  }
  const int perLine = std::max(1, (width + kCellGap) / cell);
  int at = 0;
  for (const std::string& text : cells) {
    if (at % perLine == 0) page.emplace_back();
    page.back().push_back({(at % perLine) * cell, text, Style::kPlain});
    ++at;
  }
}

std::string reincarnationText(const Book& book) {
  const std::optional<First> first = book.reincarnation();
  if (!first) return "first reincarnation: not yet";
  return std::string("first reincarnation: ") + originName(first->origin) +
         ", hour " + std::to_string(first->hour);
}

// The whole page for a content area `width` columns wide.
std::vector<Line> bookPage(const Book& book, int width) {
  std::vector<Line> page;
  addCounts(page, book, width);
  page.emplace_back();
  addGrid(page, "forms", formEntries(book), width);
  addText(page,
          std::string(kImportOnlyMark) +
              " Hero and Dark: only a Child whose alignment moved becomes one, "
              "and no mirl raised or bred in play is such a Child, so only an "
              "import brings them.",
          width, Style::kDim);
  addText(page,
          std::string(kNeverEvolvedMark) +
              " no evolution reaches these: only an import brings them.",
          width, Style::kDim);
  page.emplace_back();
  addGrid(page, "colours", colourEntries(book), width);
  page.emplace_back();
  addGrid(page, "coats", coatEntries(book), width);
  page.emplace_back();
  addGrid(page, "traits", traitEntries(book), width);
  page.emplace_back();
  addGrid(page, "S ranks", sRankEntries(book), width);
  page.emplace_back();
  const bool reincarnated = book.reincarnation().has_value();
  addText(page, reincarnationText(book), width,
          reincarnated ? Style::kBold : Style::kDim);
  page.emplace_back();
  addText(page, "r raised, b bred, i imported, ? not seen yet", width,
          Style::kDim);
  return page;
}

int contentWidth(int columns) { return std::max(columns - kFrameColumns, 0); }

}  // namespace

int bookLineCount(const Book& book, int columns) {
  return static_cast<int>(bookPage(book, contentWidth(columns)).size());
}

int bookScrollLimit(const Book& book, int rows, int columns) {
  return std::max(
      0, bookLineCount(book, columns) - std::max(rows - kFrameRows, 0));
}

int drawBook(Canvas& canvas, int row, int column, int height, int width,
             const Book& book, int first) {
  const int room = contentWidth(width);
  const std::vector<Line> page = bookPage(book, room);
  const int count = static_cast<int>(page.size());
  if (height < kFrameRows || width < kFrameColumns) return count;
  const int shown = height - kFrameRows;
  first = std::clamp(first, 0, std::max(0, count - shown));
  std::string title = "Gardener's book";
  if (first > 0) title += " \u2191";
  if (first + shown < count) title += " \u2193";
  canvas.frame(row, column, height, width, title);
  for (int line = 0; line < shown && first + line < count; ++line) {
    for (const Span& span : page[first + line]) {
      if (span.column >= room) continue;
      canvas.put(row + 1 + line, column + 2 + span.column, span.text,
                 span.style, Colour::kDefault, room - span.column);
    }
  }
  return count;
}
