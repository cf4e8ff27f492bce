// The full-screen game played by its keys, without a terminal: each row
// presses keys on a garden and reads what stays open, the answer, the
// ages (an hour passes for each completed action only), the names and the
// selected slot. The tables keep a line a case, past the usual width.

#include "screen_game.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "actions.h"
#include "screen_util.h"
#include "screen_words.h"

namespace {

// The name of the open dialog, in the order of the Dialog variant.
std::string dialogName(const ScreenGame& game) {
  static const char* const kNames[] = {
      "",    "help",  "egg",     "gene",   "name", "kind",    "item",
      "pet", "breed", "release", "import", "log",  "planner", "book"};
  static_assert(std::size(kNames) == std::variant_size_v<Dialog>);
  return kNames[game.dialog().index()];
}

// The note of the open dialog: its list's or its field's.
std::string noteOf(const ScreenGame& game) {
  return std::visit(
      [](const auto& open) -> std::string {
        using Open = std::decay_t<decltype(open)>;
        if constexpr (std::is_same_v<Open, NameDialog> ||
                      std::is_same_v<Open, ImportDialog>) {
          return open.field.note();
        } else if constexpr (std::is_same_v<Open, EggKindDialog> ||
                             std::is_same_v<Open, GeneDialog> ||
                             std::is_same_v<Open, ItemKindDialog> ||
                             std::is_same_v<Open, ItemDialog> ||
                             std::is_same_v<Open, PetDialog> ||
                             std::is_same_v<Open, BreedDialog>) {
          return open.list.note();
        } else {
          return "";
        }
      },
      game.dialog());
}

Garden emptyGarden() { return Garden(); }

// Six grown creatures, S0 to S5: three rows of boxes.
Garden sixGarden() {
  Garden garden;
  for (int slot = 0; slot < 6; ++slot) {
    garden.addToGarden(creature("S" + std::to_string(slot), 30, kNormalForms));
  }
  return garden;
}

// Dee turns 20 and Eve 50 in the next hour.
Garden agingGarden() {
  return gardenOf(
      {creature("Dee", 19, kChildForm), creature("Eve", 49, kNormalForms)});
}

Garden eggGarden() { return gardenOf({creature("Egg", 0, kEggForm)}); }

// A name far longer than a player may give: no code holds its record.
Garden wordyGarden() {
  Garden garden = oneGarden();
  garden.mirl[0].setName(std::string(400, 'w'));
  return garden;
}

struct Row {
  Garden (*start)();
  std::vector<std::string> keys;
  const char* dialog;  // left open
  std::string answer;
  std::string ages;
  std::string names;
  int selected;
  const char* note = "";  // of the open dialog
};

std::string shown(const std::vector<std::string>& keys) {
  std::string text;
  for (const std::string& key : keys) text += key + " ";
  return text.size() > 80 ? text.substr(0, 77) + "..." : text;
}

// The fixture: names are UTF-8, and the give dialog reads small catalogues
// from a folder of the test's own.
class ScreenGameTest : public testing::Test {
 protected:
  void SetUp() override { writeCatalogues(); }

  void play(const std::vector<Row>& rows) {
    for (const Row& row : rows) {
      SCOPED_TRACE(shown(row.keys));
      Garden garden = row.start();
      ScreenGame game(garden);
      std::srand(1);
      EXPECT_EQ(ScreenGame::Outcome::kGoOn, press(game, row.keys));
      EXPECT_EQ(row.dialog, dialogName(game));
      EXPECT_EQ(row.answer, game.answer());
      EXPECT_EQ(row.ages, agesIn(garden));
      EXPECT_EQ(row.names, namesIn(garden));
      EXPECT_EQ(row.selected, game.selected());
      EXPECT_EQ(row.note, noteOf(game));
    }
  }

 private:
  Utf8Locale utf8_;
  TempDir dir_;
};

constexpr char kThree[] = "Ada Bo Cy";
constexpr char kAges[] = "24 30 8";       // no hour passed
constexpr char kHour[] = "25 31 9";       // one hour
constexpr char kHatched[] = "25 31 9 1";  // and an egg of that hour
constexpr char kNotANumber[] =
    "Type a number from the list, or choose with the arrows";

constexpr char kEmpty[] = "The garden is empty: press h to hatch an egg";
constexpr char kFull[] = "G0 G1 G2 G3 G4 G5 G6 G7";
constexpr char kFullAges[] = "30 30 30 30 30 30 30 30";
constexpr char kEgg[] = "Ada Bo Cy _";

TEST_F(ScreenGameTest, HatchesEachKindOfEggByNumberOrArrows) {
  const std::string normal = "A Normal egg hatched in slot 3: Two-Tone Normal";
  const std::string monotone = "A Monotone egg hatched in slot 3: monotone ";
  const std::string jewel = "A Jewel egg hatched in slot 3: ";
  // clang-format off
  play({
      {threeGarden, keys("h"), "egg", "", kAges, kThree, 0},
      {threeGarden, keys("h 1 Enter"), "", normal, kHatched, kEgg, 3},
      {threeGarden, keys("h Enter"), "", normal, kHatched, kEgg, 3},
      {threeGarden, keys("h PageDown PageUp Enter"), "", normal, kHatched, kEgg, 3},
      {threeGarden, keys("h 2 Enter"), "gene", "", kAges, kThree, 0},
      {threeGarden, keys("h 2 Enter 5 Enter"), "", monotone + "Pink", kHatched, kEgg, 3},
      {threeGarden, keys("h Down Down Up Enter Enter"), "", monotone + "Normal", kHatched, kEgg, 3},
      {threeGarden, keys("h 2 Enter End Home Down Enter"), "", monotone + "Yellow", kHatched, kEgg, 3},
      {threeGarden, keys("h 2 Enter End Enter"), "", monotone + "Invisible", kHatched, kEgg, 3},
      {threeGarden, keys("h Down Down Enter Down Enter"), "",
       "A Shiny Monotone egg hatched in slot 3: Shiny monotone Yellow", kHatched, kEgg, 3},
      {threeGarden, keys("h End Enter 1 2 Enter"), "", jewel + "Pearl", kHatched, kEgg, 3},
      {threeGarden, keys("h 4 Enter PageDown Enter"), "", jewel + "Rare", kHatched, kEgg, 3},
      {threeGarden, keys("h 9 Enter"), "egg", "", kAges, kThree, 0, "9 is not on the list"},
      {threeGarden, keys("h - Enter"), "egg", "", kAges, kThree, 0, "Type a number from the list"},
      {threeGarden, keys("h q"), "egg", "", kAges, kThree, 0, kNotANumber},
      {threeGarden, keys("h 4 Enter 1 8 Enter"), "gene", "", kAges, kThree, 0, "18 is not on the list"},
      {threeGarden, keys("h Esc"), "", kCancelledWords, kAges, kThree, 0},
      {threeGarden, keys("h 3 Enter Esc"), "", kCancelledWords, kAges, kThree, 0},
      {fullGarden, keys("h"), "", kGardenFullWords, kFullAges, kFull, 0},
      {emptyGarden, keys("h Enter"), "", "A Normal egg hatched in slot 0: Two-Tone Normal", "1", "_", 0},
  });
  // clang-format on
}

TEST_F(ScreenGameTest, NamesWithOneWordOfAtMostTheLimit) {
  const std::string most(kMaxNameBytes, 'a');
  const std::string called = "Ada is now called ";
  const char* oneWord =
      "A name is one word, without blanks or control characters";
  const char* tooLong = "A name holds at most 64 bytes";
  const char* typeFirst = "Type a name first, or Esc to cancel";
  // clang-format off
  play({
      {threeGarden, keys("n"), "name", "", kAges, kThree, 0},
      {threeGarden, keys("n Z e d Enter"), "", called + "Zed", kHour, "Zed Bo Cy", 0},
      {threeGarden, keys("1 n Z Enter"), "", "Bo is now called Z", kHour, "Ada Z Cy", 1},
      {threeGarden, concat({{"n"}, keysTyping(most), {"Enter"}}), "", called + most, kHour, most + " Bo Cy", 0},
      {threeGarden, concat({{"n"}, keysTyping(most + "b")}), "name", "", kAges, kThree, 0, tooLong},
      {threeGarden, concat({{"n"}, keysTyping(most + "b"), {"Enter"}}), "", called + most, kHour, most + " Bo Cy", 0},
      {threeGarden, keys("n \u5c0f \u9ce5 Backspace Enter"), "", called + "\u5c0f", kHour, "\u5c0f Bo Cy", 0},
      {threeGarden, keys("n a \u00e9 Backspace Enter"), "", called + "a", kHour, "a Bo Cy", 0},
      {threeGarden, keys("n Z Space"), "name", "", kAges, kThree, 0, oneWord},
      {threeGarden, keys("n \x1b"), "name", "", kAges, kThree, 0, oneWord},
      {threeGarden, keys("n Enter"), "name", "", kAges, kThree, 0, typeFirst},
      {threeGarden, keys("n Space Enter"), "name", "", kAges, kThree, 0, typeFirst},
      {threeGarden, keys("n Z Backspace Enter"), "name", "", kAges, kThree, 0, typeFirst},
      {threeGarden, keys("n q Esc"), "", kCancelledWords, kAges, kThree, 0},
      {emptyGarden, keys("n"), "", kEmpty, "", "", 0},
  });
  // clang-format on
}

TEST_F(ScreenGameTest, GivesFromTheCatalogueReadAsTheDialogOpens) {
  const std::string minnow =
      " played with a Minnow: Swim +12 exp, Run +2 exp; Swim-Fly 0 \u2192 ";
  // clang-format off
  play({
      {threeGarden, keys("g"), "kind", "", kAges, kThree, 0},
      {threeGarden, keys("g 1 Enter"), "item", "", kAges, kThree, 0},
      {threeGarden, keys("g 1 Enter 0 Enter"), "",
       "Ada ate a Kelpberry: Swim +50 exp, Run +10 exp, Stamina +20 exp", kHour, kThree, 0},
      {threeGarden, keys("g Enter Down Enter"), "",
       "Ada ate a Sourbramble: Swim -30 exp, Run -30 exp, Power -10 exp, Fly -10 exp, "
       "Stamina -30 exp", kHour, kThree, 0},
      {threeGarden, keys("1 g 2 Enter 1 Enter"), "",
       "Bo took a Yellow Orvan Drive: Swim +24 exp; Swim-Fly 0 \u2192 -1", kHour, kThree, 1},
      {threeGarden, keys("g Down Enter End Up Up Up Enter"), "",
       "Ada took a Purple Orvan Drive: Fly +24 exp; Run-Power 0 \u2192 1", kHour, kThree, 0},
      {threeGarden, keys("g End Enter 0 Enter"), "", "Ada" + minnow + "-2", kHour, kThree, 0},
      // A child's push counts double.
      {threeGarden, keys("2 g 3 Enter Enter"), "", "Cy" + minnow + "-4", kHour, kThree, 2},
      {threeGarden, keys("g 1 Enter 5 Enter"), "item", "", kAges, kThree, 0, "5 is not on the list"},
      {threeGarden, keys("g 4 Enter"), "kind", "", kAges, kThree, 0, "4 is not on the list"},
      {threeGarden, keys("g Esc"), "", kCancelledWords, kAges, kThree, 0},
      {threeGarden, keys("g 3 Enter Esc"), "", kCancelledWords, kAges, kThree, 0},
      {emptyGarden, keys("g"), "", kEmpty, "", "", 0},
  });
  // clang-format on
}

TEST_F(ScreenGameTest, ReadsTheCatalogueAtEachGiveAndKeepsItForTheDialog) {
  Garden garden = threeGarden();
  ScreenGame game(garden);
  press(game, keys("g"));
  writeFile("fruits.dat",
            "Name Swim Fly Run Power Stamina Sweet Juice\n"
            "Plumquat 0 0 0 0 1 1 1\n");
  press(game, keys("1 Enter 0 Enter"));
  EXPECT_EQ("Ada ate a Kelpberry: Swim +50 exp, Run +10 exp, Stamina +20 exp",
            game.answer());
  press(game, keys("g 1 Enter 0 Enter"));
  EXPECT_EQ("Ada ate a Plumquat: Stamina +4 exp", game.answer());
  // Doing it again reads the catalogue again.
  writeFile("fruits.dat", kFruits);
  press(game, keys("."));
  EXPECT_EQ(
      "Ada ate a Kelpberry: Swim 2 \u2192 3, Run +10 exp, Stamina +20 exp",
      game.answer());
  press(game, keys("g 1 Enter 1 Enter"));
  writeFile("fruits.dat",
            "Name Swim Fly Run Power Stamina Sweet Juice\n"
            "Plumquat 0 0 0 0 1 1 1\n");  // no fruit 1 now
  const std::string ages = agesIn(garden);
  press(game, keys("."));
  EXPECT_EQ("The catalogue no longer lists that item", game.answer());
  EXPECT_EQ(ages, agesIn(garden));
}

TEST_F(ScreenGameTest, PetsOnlyAChildAndBreedsOnlyGrownMirl) {
  const std::string petted = "Cy was petted: Hero-Dark 0 \u2192 ";
  const std::string bred = " had an egg in slot 3: Two-Tone Sky Blue";
  // clang-format off
  play({
      {threeGarden, keys("2 p"), "pet", "", kAges, kThree, 2},
      {threeGarden, keys("2 p Enter"), "", "Cy was petted", kHour, kThree, 2},
      {threeGarden, keys("2 p Up Enter"), "", petted + "-1", kHour, kThree, 2},
      {threeGarden, keys("2 p End Enter"), "", petted + "1", kHour, kThree, 2},
      {threeGarden, keys("2 p - 1 Enter"), "", petted + "-1", kHour, kThree, 2},
      {threeGarden, keys("2 p Esc"), "", kCancelledWords, kAges, kThree, 2},
      {threeGarden, keys("p"), "", "Ada is no longer a child: petting does nothing", kAges, kThree, 0},
      {eggGarden, keys("p"), "", "Egg is an egg: petting does nothing", "0", "Egg", 0},
      {emptyGarden, keys("p"), "", kEmpty, "", "", 0},
      {threeGarden, keys("b"), "breed", "", kAges, kThree, 0},
      {threeGarden, keys("b Enter"), "", "Ada and Bo" + bred, kHatched, kEgg, 3},
      {threeGarden, keys("1 b Enter"), "", "Bo and Ada" + bred, kHatched, kEgg, 3},
      {threeGarden, keys("1 b Down Down Up Up Enter"), "", "Bo and Ada" + bred, kHatched, kEgg, 3},
      // Only the other grown mirl are partners.
      {threeGarden, keys("b 0 Enter"), "breed", "", kAges, kThree, 0, "0 is not on the list"},
      {threeGarden, keys("b 2 Enter"), "breed", "", kAges, kThree, 0, "2 is not on the list"},
      {threeGarden, keys("b End Enter"), "", "Ada and Bo" + bred, kHatched, kEgg, 3},
      {threeGarden, keys("b 7 Enter"), "breed", "", kAges, kThree, 0, "7 is not on the list"},
      {threeGarden, keys("b Esc"), "", kCancelledWords, kAges, kThree, 0},
      {threeGarden, keys("2 b"), "", "Cy has not evolved yet: a mirl can be bred from 20 hours", kAges, kThree, 2},
      // A full garden still shows the forecasts.
      {fullGarden, keys("b"), "breed", "", kFullAges, kFull, 0, kGardenFullWords},
      {fullGarden, keys("b Enter"), "breed", "", kFullAges, kFull, 0, kGardenFullWords},
      {oneGarden, keys("b"), "", "No other grown mirl to breed Ada with", "24", "Ada", 0},
      {emptyGarden, keys("b"), "", kEmpty, "", "", 0},
  });
  // clang-format on
}

TEST_F(ScreenGameTest, ReleasesOnlyOnYAndImportsACode) {
  const std::string dee =
      *codeOfCreature(creature("Dee", 40, kNormalForms + 1));
  const std::string noCreature = *encodeCode("not a record");
  std::string mistyped = dee;
  mistyped.back() = mistyped.back() == '0' ? '1' : '0';
  const std::string left =
      " left the garden; its code will be kept in released-codes.txt";
  const std::string wordy(400, 'w');
  const std::string joined = "Dee joined the garden in slot 3; no hour passed";
  const char* notACode = "this is not a creature code";
  // clang-format off
  play({
      {threeGarden, keys("1 r"), "release", "", kAges, kThree, 1},
      {threeGarden, keys("1 r y"), "", "Bo" + left, "24 8", "Ada Cy", 1},
      {threeGarden, keys("2 r y"), "", "Cy" + left, "24 30", "Ada Bo", 1},
      {oneGarden, keys("r y"), "", "Ada" + left, "", "", 0},
      {threeGarden, keys("1 r n"), "", kKeptWords, kAges, kThree, 1},
      {threeGarden, keys("1 r Y"), "", kKeptWords, kAges, kThree, 1},
      {threeGarden, keys("1 r Esc"), "", kKeptWords, kAges, kThree, 1},
      {threeGarden, keys("1 r Enter"), "", kKeptWords, kAges, kThree, 1},
      {wordyGarden, keys("r"), "", wordy + "'s name is too long for a code: give it a shorter one", "24", wordy, 0},
      {emptyGarden, keys("r"), "", kEmpty, "", "", 0},
      {threeGarden, keys("i"), "import", "", kAges, kThree, 0},
      {threeGarden, concat({{"i"}, keysTyping(dee), {"Enter"}}), "", joined, "24 30 8 40", "Ada Bo Cy Dee", 3},
      {threeGarden, concat({{"i"}, keysTyping(wrapped(dee, 30, "\n  ")), {"Enter"}}), "", joined, "24 30 8 40",
       "Ada Bo Cy Dee", 3},
      {threeGarden, keys("i x Enter"), "import", "", kAges, kThree, 0, notACode},
      {threeGarden, keys("i Enter"), "import", "", kAges, kThree, 0, notACode},
      {threeGarden, concat({{"i"}, keysTyping(mistyped), {"Enter"}}), "import", "", kAges, kThree, 0,
       "the code was mistyped: its check does not match"},
      {threeGarden, concat({{"i"}, keysTyping(noCreature), {"Enter"}}), "import", "", kAges, kThree, 0,
       "the code holds no creature that this game can load"},
      {threeGarden, keys("i \u00e9"), "import", "", kAges, kThree, 0, "That cannot be part of a code"},
      {threeGarden, keys("i m Esc"), "", kCancelledWords, kAges, kThree, 0},
      {fullGarden, keys("i"), "", kGardenFullWords, kFullAges, kFull, 0},
  });
  // clang-format on
}

TEST_F(ScreenGameTest, SelectsByDigitAndArrowsAndAnswersEveryOtherKey) {
  const char* six = "S0 S1 S2 S3 S4 S5";
  const char* sixAges = "30 30 30 30 30 30";
  const char* noWay = "No mirl that way";
  // clang-format off
  play({
      {threeGarden, keys("1"), "", "", kAges, kThree, 1},
      {threeGarden, keys("2"), "", "", kAges, kThree, 2},
      {threeGarden, keys("1 3"), "", "Slot 3 is empty", kAges, kThree, 1},
      {threeGarden, keys("7"), "", "Slot 7 is empty", kAges, kThree, 0},
      {threeGarden, keys("8"), "", kNoSuchKeyWords, kAges, kThree, 0},
      {emptyGarden, keys("0"), "", kEmpty, "", "", 0},
      {oneGarden, keys("1"), "", "Slot 1 is empty", "24", "Ada", 0},
      {threeGarden, keys("Right"), "", "", kAges, kThree, 1},
      {threeGarden, keys("Down"), "", "", kAges, kThree, 2},
      {threeGarden, keys("Down Up"), "", "", kAges, kThree, 0},
      {threeGarden, keys("Right Left"), "", "", kAges, kThree, 0},
      {threeGarden, keys("Left"), "", noWay, kAges, kThree, 0},
      {threeGarden, keys("Up"), "", noWay, kAges, kThree, 0},
      {threeGarden, keys("Right Down"), "", noWay, kAges, kThree, 1},
      {threeGarden, keys("Down Down"), "", noWay, kAges, kThree, 2},
      {threeGarden, keys("Left 1"), "", "", kAges, kThree, 1},  // clears the answer
      {sixGarden, keys("5 Up"), "", "", sixAges, six, 3},
      {sixGarden, keys("5 Up Up"), "", "", sixAges, six, 1},
      {sixGarden, keys("1 Down Down"), "", "", sixAges, six, 5},
      {sixGarden, keys("4 Up Right"), "", "", sixAges, six, 3},
      {sixGarden, keys("3 Right"), "", "", sixAges, six, 4},
      {sixGarden, keys("4 Left"), "", "", sixAges, six, 3},
      {sixGarden, keys("5 Down"), "", noWay, sixAges, six, 5},
      {threeGarden, keys("Enter"), "", kEnterAloneWords, kAges, kThree, 0},
      {threeGarden, keys("z"), "", kNoSuchKeyWords, kAges, kThree, 0},
      {threeGarden, keys("Esc"), "", kNoSuchKeyWords, kAges, kThree, 0},
      {threeGarden, keys("PageUp"), "", kNoSuchKeyWords, kAges, kThree, 0},
      {threeGarden, keys("Backspace"), "", kNoSuchKeyWords, kAges, kThree, 0},
      {threeGarden, {""}, "", kNoSuchKeyWords, kAges, kThree, 0},
      {threeGarden, keys("?"), "help", "", kAges, kThree, 0},
      {threeGarden, keys("z ?"), "help", "", kAges, kThree, 0},
      {threeGarden, keys("? h"), "", "", kAges, kThree, 0},
      {threeGarden, keys("? Esc"), "", "", kAges, kThree, 0},
  });
  // clang-format on
}

TEST_F(ScreenGameTest, DoesTheLastActionAgainOnTheSelectedMirl) {
  const std::string twoEggs = "26 32 10 2 1";
  const std::string bred = " had an egg in slot 4: Two-Tone Sky Blue";
  // clang-format off
  play({
      {threeGarden, keys("."), "", "There is no action to do again yet", kAges, kThree, 0},
      {threeGarden, keys("h 1 Enter ."), "", "A Normal egg hatched in slot 4: Two-Tone Normal", twoEggs,
       "Ada Bo Cy _ _", 4},
      {threeGarden, keys("n Z Enter 1 ."), "", "Bo is now called Z", "26 32 10", "Z Z Cy", 1},
      {threeGarden, keys("g 1 Enter 0 Enter ."), "",
       "Ada ate a Kelpberry: Swim 2 \u2192 3, Run +10 exp, Stamina +20 exp", "26 32 10", kThree, 0},
      {threeGarden, keys("2 p Up Enter ."), "", "Cy was petted: Hero-Dark -1 \u2192 -2", "26 32 10", kThree, 2},
      {threeGarden, keys("2 p Enter 0 ."), "", "Ada is no longer a child: petting does nothing", kHour, kThree, 0},
      {threeGarden, keys("b Enter 0 ."), "", "Ada and Bo" + bred, twoEggs, "Ada Bo Cy _ _", 4},
      {threeGarden, keys("b Enter ."), "", "_ has not evolved yet: a mirl can be bred from 20 hours",
       "25 31 9 1", kEgg, 3},
      {fullGarden, keys("r y h 1 Enter ."), "", kGardenFullWords, "31 31 31 31 31 31 31 1",
       "G1 G2 G3 G4 G5 G6 G7 _", 7},
      {oneGarden, keys("n Z Enter r y ."), "", kEmpty, "", "", 0},
      // The partner is a creature: released, there is nothing to repeat; a
      // release before it moves it down a slot with the others.
      {threeGarden, keys("1 b Enter 0 r y 1 ."), "", "There is no action to do again yet", "31 9 1",
       "Bo Cy _", 1},
      {threeGarden, keys("b Enter 0 r y ."), "", "A mirl cannot be bred with itself", "31 9 1",
       "Bo Cy _", 0},
  });
  // clang-format on
}

TEST_F(ScreenGameTest, ThePlannerBreedsThePairItRanksAndTheBookAndHelpScroll) {
  const char* bred = "Ada and Bo had an egg in slot 3: Two-Tone Sky Blue";
  // clang-format off
  play({
      {threeGarden, keys("e"), "planner", "", kAges, kThree, 0},
      {threeGarden, keys("e Esc"), "", "", kAges, kThree, 0},
      {threeGarden, keys("e Enter Right Left Backspace Space x"), "planner", "", kAges, kThree, 0},
      {threeGarden, keys("2 e End Enter"), "breed", "", kAges, kThree, 0},
      {threeGarden, keys("2 e End b Enter"), "", bred, kHatched, kEgg, 3},
      {threeGarden, keys("e PageDown PageUp Down Up Home End Enter Enter"), "", bred, kHatched, kEgg, 3},
      {oneGarden, keys("e End Enter b"), "planner", "", "24", "Ada", 0},
      {threeGarden, keys("k"), "book", "", kAges, kThree, 0},
      {threeGarden, keys("k Down Up PageDown PageUp End Home"), "book", "", kAges, kThree, 0},
      {threeGarden, keys("k x"), "", "", kAges, kThree, 0},
      {threeGarden, keys("? Down Up PageDown PageUp End Home"), "help", "", kAges, kThree, 0},
      {threeGarden, keys("z l"), "log", "", kAges, kThree, 0},
      {threeGarden, keys("z l End Home Down"), "log", "", kAges, kThree, 0},
      {threeGarden, keys("z l q"), "", "", kAges, kThree, 0},
  });
  // clang-format on
}

TEST_F(ScreenGameTest, SaysWhatTheHourBrought) {
  const std::string events =
      ". Dee evolved into Normal/Neutral. Eve was reincarnated";
  // clang-format off
  play({
      {agingGarden, keys("h Enter"), "", "A Normal egg hatched in slot 2: Two-Tone Normal" + events, "20 0 1",
       "Dee Eve _", 2},
      {agingGarden, keys("1 n E Enter"), "", "Eve is now called E. Dee evolved into Normal/Neutral. E was reincarnated",
       "20 0", "Dee E", 1},
      {agingGarden, keys("h Esc"), "", kCancelledWords, "19 49", "Dee Eve", 0},
  });
  // clang-format on
}

TEST_F(ScreenGameTest, LeavesOnQWithOneLastHour) {
  Garden garden = threeGarden();
  ScreenGame game(garden);
  EXPECT_EQ(ScreenGame::Outcome::kGoOn, press(game, keys("n q")));
  EXPECT_EQ(ScreenGame::Outcome::kGoOn, press(game, keys("Esc h q Esc")));
  EXPECT_EQ(kAges, agesIn(garden));
  EXPECT_EQ(ScreenGame::Outcome::kLeave, press(game, keys("q")));
  EXPECT_EQ(kAges, agesIn(garden));
  game.leave();
  EXPECT_EQ(kHour, agesIn(garden));
}

TEST_F(ScreenGameTest, KeepsTheCodesOfTheReleasedInOrder) {
  Garden garden = threeGarden();
  const std::string bo = *codeOfCreature(garden.mirl[1]);
  const std::string ada = *codeOfCreature(garden.mirl[0]);
  ScreenGame game(garden);
  press(game, keys("1 r n r y 0 r Esc r y"));
  EXPECT_EQ((std::vector<std::string>{bo, ada}), game.released());
  EXPECT_EQ("Cy", namesIn(garden));
  // What left comes back whole with its code.
  press(game, concat({{"i"}, keysTyping(bo), {"Enter"}}));
  EXPECT_EQ(savedRecords(gardenOf({creature("Cy", 8, kChildForm),
                                   creature("Bo", 30, kNormalForms + 1)})),
            savedRecords(garden));
}

}  // namespace
