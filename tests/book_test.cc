// The gardener's book: every first is noted once, with how and when it
// first came; the text comes back exact; and damaged text loses only its
// damaged lines.

#include "book.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A creature read from a save record: its form, reincarnations, one rank
// digit per skill, and its allele pairs of colour, coat, shine and two-tone,
// slot 0 first.
Mirl creature(int form, int reincarnations = 0,
              const std::string& ranks = "22222",
              const std::string& looks = "0 1 0 0 0 0 0 0") {
  std::string record =
      "Name: Pip\nAge: 3\nReincarnation: " + std::to_string(reincarnations) +
      "\n";
  for (char rank : ranks) {
    record +=
        std::string("Skill: 9 1 0\n") + rank + ' ' + rank + ' ' + rank + '\n';
  }
  std::istringstream alleles(looks);
  record += "Evolution: " + std::to_string(form) + " 0 0 0\n";
  for (const char* label : {"Color:", "Coat:", "Shine:", "Two-tone:"}) {
    std::string first, second;
    alleles >> first >> second;
    record += std::string(label) + " " + first + " " + second + "\n";
  }
  std::istringstream in(record);
  return Mirl(in);
}

// The book of a small garden, and its text.
Book smallBook() {
  Book book;
  book.noteCreature(creature(1, 0, "22222", "0 1 0 0 0 0 1 0"),
                    Origin::kRaised);
  book.countHatched();
  for (int hour = 0; hour < 12; ++hour) book.passHour();
  book.noteCreature(creature(9, 2, "25222", "4 4 13 13 1 1 1 1"),
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
    "coat 13 imported 12 Metal\nshiny imported 12\ntwo-tone raised 0\n"
    "purebred imported 12\ns-rank 1 imported 12 Run\n"
    "first-reincarnation imported 12\nend\n";

TEST(Book, TextIsExactAndComesBackExact) {
  EXPECT_EQ(kSmallBook, bookText(smallBook()));
  const BookRead read = readBook(kSmallBook);
  EXPECT_EQ(std::vector<std::string>{}, read.problems);
  EXPECT_EQ(kSmallBook, bookText(read.book));
  EXPECT_EQ(12, read.book.hours());
  EXPECT_EQ(1, read.book.tally(Tally::kReleased));
  EXPECT_EQ(2, read.book.mostReincarnations());
  const First imported{Origin::kImported, 12};
  for (const auto& first :
       {read.book.coat(13), read.book.sRank(kRun),
        read.book.trait(Trait::kShiny), read.book.reincarnation()}) {
    EXPECT_EQ(imported, first);
  }
  EXPECT_EQ(First({Origin::kRaised, 0}), read.book.trait(Trait::kTwoTone));
  EXPECT_EQ(bookText(Book()), bookText(readBook(bookText(Book())).book));
}

// The lines of the firsts in the text of `book`.
std::string firsts(const Book& book) {
  const std::string text = bookText(book);
  const std::size_t start = text.find('\n', text.find("most-")) + 1;
  return text.substr(start, text.rfind("end\n") - start);
}

TEST(Book, NotesWhatTheCreatureShowsAndNothingElse) {
  const std::string normal = "colour 0 bred 1 Normal\n";  // every row's
  const std::pair<Mirl, std::string> cases[] = {
      {creature(1), normal},
      {creature(19), "form 19 bred 1 Power/Dark\n" + normal},
      {creature(23), "form 23 bred 1 Wendo\n" + normal},
      {creature(4), normal},  // a Child form
      {creature(1, 0, "22222", "4 9 0 0 0 0 0 0"),
       "colour 4 bred 1 Sky Blue\n"},
      {creature(1, 0, "22222", "0 1 14 5 0 0 0 0"),
       normal + "coat 14 bred 1 Metal\n"},
      {creature(1, 0, "22222", "0 1 0 5 0 0 0 0"), normal},  // no coat
      {creature(1, 0, "22222", "0 1 0 0 1 0 0 0"), normal + "shiny bred 1\n"},
      {creature(1, 0, "22222", "0 1 0 0 0 1 1 0"),
       normal + "two-tone bred 1\n"},
      {creature(1, 0, "22222", "0 0 0 0 0 0 0 0"),
       normal + "purebred bred 1\n"},
      {creature(1, 0, "25225"),
       normal + "s-rank 1 bred 1 Run\ns-rank 4 bred 1 Stamina\n"},
      {creature(1, 1), normal + "first-reincarnation bred 1\n"},
  };
  for (const auto& [mirl, noted] : cases) {
    Book book;
    book.passHour();
    book.noteCreature(mirl, Origin::kBred);
    EXPECT_EQ(noted, firsts(book));
  }
  Book child;
  child.noteCreature(creature(4), Origin::kRaised);  // without a coat
  EXPECT_FALSE(child.form(4) || child.coat(0));
  // Alleles outside their tables, hatched but not yet validated.
  for (const int wrong : {-1, COAT_COUNT}) {
    Book book;
    book.noteCreature(Mirl(wrong, wrong, false, false), Origin::kRaised);
    EXPECT_EQ(std::string::npos, firsts(book).find("co")) << wrong;
  }
}

TEST(Book, TheFirstToComeStaysFirst) {
  Book book;
  book.noteCreature(creature(6), Origin::kBred);
  book.passHour();
  book.noteCreature(creature(6, 0, "22222", "2 1 0 0 0 0 0 0"),
                    Origin::kImported);
  book.noteCreature(creature(6), Origin::kRaised);
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

// A damaged line is passed over and reported, and every other line kept.
TEST(Book, DamagedLinesAreReportedAndTheRestKept) {
  const std::string head = kSmallBook.substr(0, kSmallBook.rfind("end\n"));
  const auto edited = [&head](const std::string& line) {
    return head + line + "end\n";
  };
  // Line 4 reads "eggs-bred 0": the count stays 0 when it is passed over.
  const auto bred = [](std::string line) {
    return kSmallBook.substr(0, kSmallBook.find("eggs-bred")) + line +
           kSmallBook.substr(kSmallBook.find("evolved"));
  };
  std::string crlf;
  for (char c : kSmallBook) crlf += c == '\n' ? "\r\n" : std::string(1, c);
  const std::pair<std::string, const char*> cases[] = {
      {bred("eggs-bred 4x\n"), "line 4: eggs-bred"},
      {bred("eggs-bred 2147483648\n"), "line 4: eggs-bred"},
      {bred("eggs-bred -1\n"), "line 4: eggs-bred"},
      {bred("eggs-bred 1 2\n"), "line 4: eggs-bred"},
      {edited("colour 5 raised -1 Pink\n"), "line 19: colour 5"},
      {edited("colr 5 raised 3\n"), "line 19: not an entry"},
      {edited("colour 15 raised 3 Invisible\n"), "line 19: colour"},
      {edited("form 4 raised 3 Child\n"), "line 19: form"},
      {edited("coat 0 raised 3 None\n"), "line 19: coat"},
      {edited("shiny stolen 3\n"), "line 19: shiny"},
      {edited("shiny raised 3 at noon\n"), "line 19: shiny"},
      {edited("colour 5 raised 99999999999 Pink\n"), "line 19: colour 5"},
      {edited("colour 5 raised 3 Red\n"), "line 19: colour 5"},
      {edited("hours 300\n"), "line 19: hours: repeats"},
      {edited("form 9 raised 3 Swim/Hero\n"), "line 19: form 9: repeats"},
      {edited("end\n"), "line 20: end: repeats"},
      {edited("\n \n"), ""},
      {crlf, ""},
      {kSmallBook.substr(kSmallBook.find('\n') + 1), "line 1: no title"},
      {head + "colour 5 raised 3 Pi", "line 19: cut short"},
  };
  for (const auto& [text, problem] : cases) {
    const BookRead read = readBook(text);
    SCOPED_TRACE(text);
    ASSERT_EQ(*problem == '\0', read.problems.empty());
    if (*problem) {
      EXPECT_EQ(0u, read.problems[0].find(problem));
    }
    EXPECT_EQ(kSmallBook, bookText(read.book));
  }
}

// A book cut anywhere says so and keeps nothing but what it really held.
TEST(Book, ACutBookKeepsOnlyWhatItHeld) {
  for (std::size_t size = 0; size < kSmallBook.size(); ++size) {
    const BookRead cut = readBook(kSmallBook.substr(0, size));
    EXPECT_FALSE(cut.problems.empty());
    std::istringstream lines(bookText(cut.book));
    for (std::string line; std::getline(lines, line);) {
      if (line.find(' ') + 2 == line.size() && line.back() == '0') continue;
      EXPECT_NE(std::string::npos, kSmallBook.find(line + "\n")) << size;
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

// One mark a form, from -1 to EVOLUTION_COUNT.
TEST(Book, TheHeroAndDarkFormsAreTheTenOfEvolution) {
  std::string heroOrDark, adult;
  for (int form = -1; form <= EVOLUTION_COUNT; ++form) {
    heroOrDark += isHeroOrDarkForm(form) ? 'x' : '.';
    adult += isAdultForm(form) ? 'x' : '.';
  }
  EXPECT_EQ(".......xx.xx.xx.xx.xx.......", heroOrDark);
  EXPECT_EQ("......xxxxxxxxxxxxxxxxxxxxx.", adult);
}

}  // namespace
