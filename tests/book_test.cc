// The gardener's book: every first is noted once, with how and when it
// first came; the text comes back exact; and damaged text loses only its
// damaged lines.

#include "book.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A creature read from a save record: its form, reincarnations, one rank
// digit per skill and the allele pairs of its genotype, slot 0 first.
Mirl creature(int form, int reincarnations = 0,
              const std::string& ranks = "22222",
              const std::string& color = "0 1", const std::string& coat = "0 0",
              const std::string& shine = "0 0",
              const std::string& twotone = "0 0") {
  std::string record =
      "Name: Pip\nAge: 3\nReincarnation: " + std::to_string(reincarnations) +
      "\n";
  for (char rank : ranks) {
    record +=
        std::string("Skill: 9 1 0\n") + rank + ' ' + rank + ' ' + rank + '\n';
  }
  record += "Evolution: " + std::to_string(form) + " 0 0 0\nColor: " + color +
            "\nCoat: " + coat + "\nShine: " + shine + "\nTwo-tone: " + twotone +
            "\n";
  std::istringstream in(record);
  return Mirl(in);
}

// The book of a small garden, and its text.
Book smallBook() {
  Book book;
  book.noteCreature(creature(1), Origin::kRaised);  // colour 0
  book.countHatched();
  for (int hour = 0; hour < 12; ++hour) book.passHour();
  book.noteCreature(creature(9, 2, "25222", "4 4", "13 13", "1 1", "1 1"),
                    Origin::kImported);
  book.countImported();
  book.countReleased();
  return book;
}

const std::string kSmallBook =
    "Tumblenook gardener's book, version 1\nhours 12\neggs-hatched 1\n"
    "eggs-bred 0\nevolved 0\nreincarnated 0\nreleased 1\nimported 1\n"
    "most-reincarnations 2\nform 9 imported 12 Swim/Hero\n"
    "colour 0 raised 0 Normal\ncolour 4 imported 12 Sky Blue\n"
    "coat 13 imported 12 Metal\nshiny imported 12\ntwo-tone imported 12\n"
    "purebred imported 12\ns-rank 1 imported 12 Run\n"
    "first-reincarnation imported 12\nend\n";

TEST(Book, TextIsExactAndComesBackExact) {
  EXPECT_EQ(kSmallBook, bookText(smallBook()));
  const BookRead read = readBook(kSmallBook);
  EXPECT_EQ(std::vector<std::string>{}, read.problems);
  EXPECT_EQ(kSmallBook, bookText(read.book));
  EXPECT_EQ(bookText(Book()), bookText(readBook(bookText(Book())).book));
}

using Getter = std::function<std::optional<First>(const Book&)>;

TEST(Book, NotesWhatTheCreatureShowsAndNothingElse) {
  const auto form = [](int f) {
    return [f](const Book& b) { return b.form(f); };
  };
  const auto color = [](int c) {
    return [c](const Book& b) { return b.color(c); };
  };
  const auto coat = [](int c) {
    return [c](const Book& b) { return b.coat(c); };
  };
  const auto trait = [](Trait t) {
    return [t](const Book& b) { return b.trait(t); };
  };
  const auto rank = [](Skill s) {
    return [s](const Book& b) { return b.sRank(s); };
  };
  const Getter reincarnation = [](const Book& b) { return b.reincarnation(); };
  const struct {
    Mirl mirl;
    Getter first;
    bool seen;
  } cases[] = {
      {creature(19), form(19), true},
      {creature(23), form(23), true},
      {creature(4), form(4), false},  // a Child form
      {creature(1, 0, "22222", "4 9"), color(4), true},
      {creature(1, 0, "22222", "4 9"), color(9), false},  // carried only
      {creature(1, 0, "22222", "0 0", "14 5"), coat(14), true},
      {creature(1, 0, "22222", "0 0", "14 5"), coat(13), false},
      {creature(1, 0, "22222", "0 0", "0 5"), coat(0), false},  // no coat
      {creature(1, 0, "22222", "0 0", "0 0", "1 0"), trait(Trait::kShiny),
       true},
      {creature(1, 0, "22222", "0 0", "0 0", "0 1"), trait(Trait::kShiny),
       false},
      {creature(1, 0, "22222", "0 0", "0 0", "0 0", "1 0"),
       trait(Trait::kTwoTone), true},
      {creature(1, 0, "22222", "0 0", "0 0", "0 0", "0 1"),
       trait(Trait::kTwoTone), false},
      {creature(1, 0, "22222", "3 3"), trait(Trait::kPurebred), true},
      {creature(1, 0, "22222", "3 2"), trait(Trait::kPurebred), false},
      {creature(1, 0, "22225"), rank(kStamina), true},
      {creature(1, 0, "22225"), rank(kFly), false},
      {creature(1, 1), reincarnation, true},
      {creature(1, 0), reincarnation, false},
  };
  int row = 0;
  for (const auto& [mirl, first, seen] : cases) {
    SCOPED_TRACE(row++);
    Book book;
    book.passHour();
    book.noteCreature(mirl, Origin::kBred);
    EXPECT_EQ(seen ? std::optional(First{Origin::kBred, 1}) : std::nullopt,
              first(book));
  }
}

TEST(Book, TheFirstToComeStaysFirst) {
  Book book;
  book.noteCreature(creature(6, 0, "22222", "0 1"), Origin::kBred);
  book.passHour();
  book.noteCreature(creature(6, 0, "22222", "2 1"), Origin::kImported);
  book.noteCreature(creature(6, 0, "22222", "0 1"), Origin::kRaised);
  EXPECT_EQ(First({Origin::kBred, 0}), book.form(6));
  EXPECT_EQ(First({Origin::kBred, 0}), book.color(0));
  EXPECT_EQ(First({Origin::kImported, 1}), book.color(2));
}

TEST(Book, KeepsTheMostReincarnationsOfOneCreature) {
  const std::vector<std::pair<std::vector<int>, int>> cases = {
      {{}, 0}, {{0}, 0}, {{1, 3, 2}, 3}, {{INT_MAX, 1}, INT_MAX}};
  for (const auto& [noted, most] : cases) {
    Book book;
    for (int count : noted)
      book.noteCreature(creature(1, count), Origin::kRaised);
    EXPECT_EQ(most, book.mostReincarnations());
  }
}

TEST(Book, CountsStopAtTheTop) {
  Book book = readBook(
                  "Tumblenook gardener's book, version 1\nhours 2147483647\n"
                  "evolved 2147483646\nend\n")
                  .book;
  book.passHour();
  book.countEvolved();
  book.countEvolved();
  EXPECT_EQ(INT_MAX, book.hours());
  EXPECT_EQ(INT_MAX, book.tally(Tally::kEvolved));
}

// Each damaged line is passed over and reported, and every other line kept.
TEST(Book, DamagedLinesAreReportedAndTheRestKept) {
  const std::string head = kSmallBook.substr(0, kSmallBook.rfind("end\n"));
  const std::pair<const char*, const char*> cases[] = {
      {"eggs-bred 4x\n", "line 19: eggs-bred"},
      {"hours 2147483648\n", "line 19: hours"},
      {"released -1\n", "line 19: released"},
      {"colr 5 raised 3\n", "line 19: not an entry"},
      {"colour 15 raised 3 Invisible\n", "line 19: colour"},
      {"form 4 raised 3 Child\n", "line 19: form"},
      {"coat 0 raised 3 None\n", "line 19: coat"},
      {"shiny stolen 3\n", "line 19: shiny"},
      {"shiny raised 3 at noon\n", "line 19: shiny"},
      {"colour 5 raised 99999999999 Pink\n", "line 19: colour 5"},
      {"colour 5 raised 3 Red\n", "line 19: colour 5"},
      {"hours 300\n", "line 19: hours: repeats"},
      {"form 9 raised 3 Swim/Hero\n", "line 19: form 9: repeats"},
      {"end\n", "line 20: end: repeats"},
  };
  for (const auto& [line, problem] : cases) {
    const BookRead read = readBook(head + line + "end\n");
    SCOPED_TRACE(line);
    ASSERT_EQ(1u, read.problems.size());
    EXPECT_EQ(0u, read.problems[0].find(problem)) << read.problems[0];
    EXPECT_EQ(kSmallBook, bookText(read.book));
  }
}

TEST(Book, EditedTextStillReads) {
  std::string crlf;
  for (char c : kSmallBook)
    crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(0u, readBook(crlf).problems.size());
  EXPECT_EQ(kSmallBook, bookText(readBook(crlf).book));
  // Without its title the book still reads, but says so.
  const BookRead untitled =
      readBook(kSmallBook.substr(kSmallBook.find('\n') + 1));
  EXPECT_EQ(1u, untitled.problems.size());
  EXPECT_EQ(kSmallBook, bookText(untitled.book));
}

// A book cut anywhere says so and keeps nothing but what it really held.
TEST(Book, ACutBookKeepsOnlyWhatItHeld) {
  const BookRead whole = readBook(kSmallBook);
  for (std::size_t size = 0; size < kSmallBook.size(); ++size) {
    SCOPED_TRACE(size);
    const BookRead cut = readBook(kSmallBook.substr(0, size));
    EXPECT_FALSE(cut.problems.empty());
    const std::string text = bookText(cut.book);
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
      // A count not read yet stays 0.
      const bool unread =
          line.find(' ') + 2 == line.size() && line.back() == '0';
      if (!unread) {
        EXPECT_NE(std::string::npos, kSmallBook.find(line + "\n"));
      }
    }
  }
}

TEST(Book, ReportsOfGarbageAreBounded) {
  std::string garbage;
  for (int line = 0; line < 100; ++line) garbage += "x\n";
  const BookRead read = readBook(garbage);
  ASSERT_EQ(kMaxBookProblems + 1, read.problems.size());
  // Line 1 is no title and no entry; no line is "end".
  EXPECT_EQ("and 82 more problems", read.problems.back());
}

TEST(Book, TheHeroAndDarkFormsAreTheTenOfEvolution) {
  std::vector<int> heroOrDark, adult;
  for (int form = -1; form <= EVOLUTION_COUNT; ++form) {
    if (isHeroOrDarkForm(form)) heroOrDark.push_back(form);
    if (isAdultForm(form)) adult.push_back(form);
  }
  EXPECT_EQ(std::vector<int>({6, 7, 9, 10, 12, 13, 15, 16, 18, 19}),
            heroOrDark);
  EXPECT_EQ(21u, adult.size());
  EXPECT_EQ(5, adult.front());
  EXPECT_EQ(25, adult.back());
}

}  // namespace
