// What the console does with typing it cannot use as it stands: lines too
// long for one read, numbers too large for an int, names too long to keep.
// The game must take every byte of the line it answers and not one byte of
// the next: what it leaves unread, a shell would run.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions.h"
#include "session.h"

namespace e2e {
namespace {

// Longer than any buffer the C library reads at once.
const std::string kLongWord(10000, 'a');
const std::string kHuge = "99999999999999999999";
// Typed after the game has left: it must stay unread.
const std::string kForTheShell = "touch LEAKED\n";

struct ConsoleCase {
  const char* what;
  Garden before;
  Session session;  // what is typed, what the game answers
  Garden after;     // the garden it saves, before the hours pass
};

std::string named(const Garden& g) {
  return listing(g) +
         "Which Mirl would you like to name? What would you like to name it? ";
}

std::vector<ConsoleCase> cases() {
  const Garden one = garden(1), two = garden(2);
  Garden child(1), hero(1), longName = one, monotone = one;
  child[0].form = hero[0].form = 2;  // a pat moves a child only
  hero[0].heroDark = 50;             // a huge pat saturates, then is saved
  longName[0].name = std::string(kMaxNameBytes, 'n');
  Garden keptLong = one;  // a longer name in the file is kept whole
  keptLong[0].name = std::string(2 * kMaxNameBytes, 'k');
  monotone.push_back(Record("_"));
  monotone.back().twotone = {0, 0};  // monotone colour 0
  const std::string item =
      listing(one) +
      "Which Mirl should get the item? Which kind of item do you want to "
      "give?\n1) Food\n2) Orvan Drives\n3) Small Animals\nenter choice: 0) "
      "none\n1) Yellow\n2) Green\n3) Red\n4) Purple\n5) Blue\n6) Gold\n7) "
      "Black\nWhich Orvan Drive should be given? invalid input\n";
  std::string colors;
  for (int c = 0; c < COLOR_COUNT; ++c) {
    colors += std::to_string(c) + ") " + COLORS[c] + "\n";
  }
  return {
      {"a long word at the main menu", one,
       Session(1).choose(kLongWord + "; touch LEAKED", "Goodbye!\n"), one},
      {"a long line after 0", one,
       Session(1).choose("0 " + kLongWord, "Goodbye!\n"), one},
      {"a huge number at the main menu", one,
       Session(1).choose(kHuge + " x", "invalid input\n").leave(), one},
      {"a huge slot", one,
       Session(1)
           .choose("2\n" + kHuge + " x",
                   listing(one) + "Which Mirl would you like to name? "
                                  "invalid input\n")
           .leave(),
       one},
      {"a huge first slot to breed", two,
       Session(2)
           .choose("6\n" + kHuge + " 1",
                   listing(two) + "Which mirl should be bred? invalid input\n")
           .leave(),
       two},
      {"a huge item", one,
       Session(1).choose("3\n0\n2\n" + kHuge + " x", item).leave(), one},
      {"a huge colour", one,
       Session(1)
           .choose("1\n2\n-" + kHuge + " x",
                   kEggMenu + colors + "Enter number of chosen color: ")
           .nowHolds(2)
           .leave(),
       monotone},
      {"a huge pat", child,
       Session(1)
           .choose("4\n0\n" + kHuge + " x",
                   listing(child) +
                       "Pet which mirl: Which Alignment?(-1: Hero, 0: "
                       "Neutral, 1: Dark) ")
           .leave(),
       hero},
      {"a huge statistics view", one,
       Session(1)
           .choose("5")
           .view(kHuge + " x", "Invalid Input\n")
           .view("0")
           .leave(),
       one},
      {"the longest name", one,
       Session(1).choose("2\n0\n" + longName[0].name, named(one)).leave(),
       longName},
      {"a long name from the garden file", keptLong, Session(1).leave(),
       keptLong},
      {"a name one byte too long", one,
       Session(1)
           .choose("2\n0\n" + longName[0].name + "n",
                   named(one) + "invalid input\n")
           .leave(),
       one},
  };
}

TEST(Console, TakesTheWholeLineItAnswersAndNoMore) {
  for (const ConsoleCase& c : cases()) {
    SCOPED_TRACE(c.what);
    const Session& s = c.session;
    const GameResult run = runGame(setup(s.input + kForTheShell, c.before));
    EXPECT_EQ(s.output, run.out);
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(static_cast<long long>(s.input.size()), run.inputRead);
    EXPECT_EQ(withoutRankLines(saveFile(aged(c.after, s.hours))),
              withoutRankLines(run.file("mirl.dat")));
  }
}

TEST(Console, DropsAVeryLongNameWithoutKeepingIt) {
  // The peak memory of a child counts what it held before it started the
  // game, a copy of this test. So one input, held once, is played twice: as
  // a short name and a long line after the 0, which is dropped (the game's
  // peak without the name), then changed in place into a long name.
  GameSetup game = setup("", garden(1));
  std::string& input = game.input;
  input.assign(16 << 20, 'n');
  input.replace(0, 8, "2\n0\nP 0 ");
  input.replace(input.size() - 3, 3, "\n0\n");
  const long dropped = runGame(game).peakKib;
  input.replace(4, 4, "nnnn");
  const long tooLong = runGame(game).peakKib;
  constexpr long kSlackKib = 4 << 10;
  EXPECT_LT(tooLong, dropped + kSlackKib);
}

}  // namespace
}  // namespace e2e
