// The gardener's book on the screen: seen and unseen entries told apart by
// style and letter, the counts of each grid, the import-only marks, the
// scrolling, and the drawing kept inside its region.

#include "book_view.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "screen_test_util.h"

namespace {

// A book with a few firsts, read from its own text.
Book sampleBook() {
  const BookRead read = readBook(
      "Tumblenook gardener's book, version 1\n"
      "hours 312\neggs-hatched 4\neggs-bred 2\nevolved 3\nreincarnated 1\n"
      "released 0\nimported 1\nmost-reincarnations 1\n"
      "form 8 raised 10 Swim/Neutral\n"
      "form 9 imported 120 Swim/Hero\n"
      "form 23 imported 121 Wendo\n"
      "colour 4 bred 30 Sky Blue\n"
      "coat 13 imported 44 Metal\n"
      "shiny raised 12\n"
      "s-rank 0 raised 80 Swim\n"
      "first-reincarnation raised 51\n"
      "end\n");
  EXPECT_TRUE(read.problems.empty());
  return read.book;
}

// A canvas of `rows` by `columns` with the whole of it given to the book.
Canvas drawnBook(const Book& book, int rows, int columns, int first = 0) {
  Canvas canvas(rows, columns);
  drawBook(canvas, 0, 0, rows, columns, book, first);
  return canvas;
}

// Where `text` (ASCII) starts on the canvas, or nothing.
std::optional<std::pair<int, int>> find(const Canvas& canvas,
                                        const std::string& text) {
  for (int row = 0; row < canvas.rows(); ++row) {
    for (int column = 0;
         column + static_cast<int>(text.size()) <= canvas.columns(); ++column) {
      bool same = true;
      for (std::size_t at = 0; at < text.size() && same; ++at) {
        same = canvas.at(row, column + static_cast<int>(at)).glyph ==
               std::string(1, text[at]);
      }
      if (same) return std::pair{row, column};
    }
  }
  return std::nullopt;
}

int occurrences(const Canvas& canvas, const std::string& text) {
  int count = 0;
  for (int row = 0; row < canvas.rows(); ++row) {
    const std::string line = canvas.line(row);
    for (std::size_t at = line.find(text); at != std::string::npos;
         at = line.find(text, at + 1)) {
      ++count;
    }
  }
  return count;
}

TEST(BookView, ShowsEachEntrySeenOrNotAndCountsEachGrid) {
  const Canvas canvas = drawnBook(sampleBook(), 60, 80);
  const struct {
    const char* cell;
    Style style;
  } cells[] = {
      {"Swim/Neutral r", Style::kBold},
      {"Swim/Hero* i", Style::kBold},
      {"Wendo+ i", Style::kBold},
      {"Normal/Neutral ?", Style::kDim},
      {"Fly/Dark* ?", Style::kDim},
      {"Orvan/Hero+ ?", Style::kDim},
      {"Sky Blue b", Style::kBold},
      {"Invisible ?", Style::kDim},
      {"Metal (13) i", Style::kBold},
      {"Metal (14) ?", Style::kDim},
      {"Emerald ?", Style::kDim},
      {"shiny r", Style::kBold},
      {"purebred ?", Style::kDim},
      {"Swim r", Style::kBold},
      {"Stamina ?", Style::kDim},
      {"first reincarnation: raised, hour 51", Style::kBold},
      {"forms 3 of 21 seen", Style::kBold},
      {"colours 1 of 15 seen", Style::kBold},
      {"coats 1 of 17 seen", Style::kBold},
      {"traits 1 of 3 seen", Style::kBold},
      {"S ranks 1 of 5 seen", Style::kBold},
      {"hours 312", Style::kPlain},
      {"eggs bred 2", Style::kPlain},
      {"most lives of one mirl 1", Style::kPlain},
  };
  for (const auto& row : cells) {
    SCOPED_TRACE(row.cell);
    const auto at = find(canvas, row.cell);
    ASSERT_TRUE(at.has_value());
    EXPECT_EQ(row.style, canvas.at(at->first, at->second).style);
  }
  // The ten Hero and Dark forms and the six no evolution reaches, each
  // marked once, and each mark explained once.
  EXPECT_EQ(10 + 1, occurrences(canvas, std::string(kImportOnlyMark) + " "));
  EXPECT_EQ(6 + 1, occurrences(canvas, std::string(kNeverEvolvedMark) + " "));
  EXPECT_EQ(1, occurrences(canvas, "* Hero and Dark: only a Child"));
  // Seven firsts of the grids are seen: the rest wait (and the legend
  // explains the "?" once).
  EXPECT_EQ(21 + 15 + 17 + 3 + 5 - 7 + 1, occurrences(canvas, " ?"));
  EXPECT_FALSE(find(canvas, "Swim/Neutral*").has_value());
  // The child forms and the egg are no adult forms.
  EXPECT_FALSE(find(canvas, "Child ?").has_value());
  EXPECT_FALSE(find(canvas, "Egg ?").has_value());
}

TEST(BookView, AnEmptyBookHasSeenNothing) {
  const Canvas canvas = drawnBook(Book(), 60, 80);
  for (const char* text :
       {"forms 0 of 21 seen", "colours 0 of 15 seen", "coats 0 of 17 seen",
        "traits 0 of 3 seen", "S ranks 0 of 5 seen",
        "first reincarnation: not yet", "hours 0"}) {
    EXPECT_TRUE(find(canvas, text).has_value()) << text;
  }
  // Every cell of every grid waits to be seen: 21 forms, 15 colours, 17
  // coats, 3 traits, 5 skills; and the legend explains the "?".
  EXPECT_EQ(21 + 15 + 17 + 3 + 5 + 1, occurrences(canvas, " ?"));
}

TEST(BookView, ScrollsWhatDoesNotFit) {
  const Book book = sampleBook();
  const int limit = bookScrollLimit(book, 24, 80);
  EXPECT_EQ(bookLineCount(book, 80) - 22, limit);
  EXPECT_EQ(0, bookScrollLimit(book, bookLineCount(book, 80) + 2, 80));
  const struct {
    int first;
    const char* title;
    bool top;     // the counts show
    bool bottom;  // the origins' legend shows
  } rows[] = {
      {0, "Gardener's book \u2193 ", true, false},
      {-5, "Gardener's book \u2193 ", true, false},
      {1, "Gardener's book \u2191 \u2193 ", false, false},
      {limit - 1, "Gardener's book \u2191 \u2193 ", false, false},
      {limit, "Gardener's book \u2191 ", false, true},
      {limit + 10, "Gardener's book \u2191 ", false, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.first);
    const Canvas canvas = drawnBook(book, 24, 80, row.first);
    EXPECT_NE(std::string::npos, canvas.line(0).find(row.title))
        << canvas.line(0);
    EXPECT_EQ(row.top, find(canvas, "hours 312").has_value());
    EXPECT_EQ(row.bottom, find(canvas, "r raised, b bred").has_value());
  }
}

TEST(BookView, DrawsNothingOutsideItsRegion) {
  const Book book = sampleBook();
  for (const Region& region : kTestRegions) {
    SCOPED_TRACE(std::to_string(region.columns) + "x" +
                 std::to_string(region.rows));
    constexpr int kTop = 3, kLeft = 5;
    for (int first : {0, 4, 1000}) {
      Canvas canvas(30, 100);
      drawBook(canvas, kTop, kLeft, region.rows, region.columns, book, first);
      expectBlankOutside(canvas, kTop, kLeft, region);
    }
  }
}

}  // namespace
