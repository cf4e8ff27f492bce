// Whole sessions about what the player does to one creature (items, names,
// petting) and the statistics view that shows it.

#include <gtest/gtest.h>

#include "session.h"

namespace e2e {
namespace {

const std::string kDrives =
    "0) none\n1) Yellow\n2) Green\n3) Red\n4) Purple\n5) Blue\n6) Gold\n"
    "7) Black\nWhich Orvan Drive should be given? ";
const std::string kFruits = "0) Plum\nWhich fruit should be given? ";

// The item action up to the kind of item.
std::string giveTo(const Garden& creatures) {
  return listing(creatures) +
         "Which Mirl should get the item? Which kind of item do you want to "
         "give?\n1) Food\n2) Orvan Drives\n3) Small Animals\nenter choice: ";
}

// A catalogue of one fruit and one animal.
GameSetup withCatalogue(const std::string& input, const Garden& creatures) {
  GameSetup game = setup(input, creatures);
  game.files["fruits.dat"] =
      "Name Swim Fly Run Power Stamina A B\n"
      "Plum 2 0 5 7 -2 0 0\n";
  game.files["animals.dat"] =
      "Color Name Swim Fly Run Power A B\n"
      "3 Mouse 0 20 10 0 0 0\n";
  return game;
}

// Statistics views 2 and 3 of slot 0, then back to the main menu.
Session& viewSkillsAndForm(Session& s, const Garden& now, const char* form) {
  const std::string asked = listing(now) + kWhichStats;
  return s.choose("5")
      .view("2\n0", asked + skillLines(now[0]))
      .view("3\n0", asked + formLines(now[0], form))
      .view("0");
}

TEST(ActionsSession, DrivesAndAnimalsTrainSkillsAndPushSliders) {
  const Record pip;
  Record after = pip;
  after.skills[kSwim].experience = 24, after.swimFly = -1;  // drive 1, Yellow
  after.skills[kFly].experience = 20, after.skills[kRun].experience = 10;
  after.runPower = -2;  // the animal's colour 3 (Red), twice a drive's push
  Session s(1);
  s.choose("3\n0\n2\n1", giveTo({pip}) + kDrives)
      .choose("3\n0\n3\n0",
              giveTo({pip}) + "0) Mouse\nWhich animal should be given? ");
  viewSkillsAndForm(s, {after}, "Egg").leave();
  after.age = s.hours;
  expectSession(withCatalogue(s.input, {pip}), s.output, after.text());
}

TEST(ActionsSession, TheSameFruitGivesItsFourBitesEachTime) {
  Record start, pip;
  start.skills[kStamina].experience = pip.skills[kStamina].experience = 20;
  Session s(1);
  for (int fruit = 0; fruit < 2; ++fruit) {
    // Swim 2+2+2+4, run 4*5, power 7+7+7+9, stamina -2-2-2-4.
    pip.skills[kSwim].experience += 10, pip.skills[kRun].experience += 20;
    pip.skills[kPower].experience += 30, pip.skills[kStamina].experience -= 10;
    s.choose("3\n0\n1\n0", giveTo({pip}) + kFruits);
    viewSkillsAndForm(s, {pip}, "Egg");
  }
  s.leave();
  pip.age = s.hours;
  expectSession(withCatalogue(s.input, {start}), s.output, pip.text());
}

TEST(ActionsSession, UnusableAnswersChangeNothing) {
  const Record pip;
  const std::string name =
      listing({pip}) + "Which Mirl would you like to name? ";
  const std::string pet = listing({pip}) + "Pet which mirl: ";
  Session s(1);
  s.choose("3\n0\n7", giveTo({pip}))
      .choose("3\n0\n2\n8", giveTo({pip}) + kDrives + "invalid input\n")
      .choose("3\n0\n1\n-1", giveTo({pip}) + kFruits + "invalid input\n")
      .choose("3\n1", listing({pip}) +
                          "Which Mirl should get the item? "
                          "invalid input\n")
      .choose("3\nx 0 2", listing({pip}) + "Which Mirl should get the item? ")
      .choose("2\n5", name + "invalid input\n")
      .choose("2\nzz 1", name)
      .choose("4\n-1", pet + "invalid input\n")
      .choose("4\n0\nx",
              pet + "Which Alignment?(-1: Hero, 0: Neutral, 1: Dark) ")
      .choose("1\n7", kEggMenu)
      .leave();
  expectSession(withCatalogue(s.input, {pip}), s.output,
                Record("Pip", s.hours).text());
}

TEST(ActionsSession, TheSecondWordOfANameIsReadByTheMainMenu) {
  Session s(1);
  s.choose("2\n0\nBo Peep", listing({Record()}) +
                                "Which Mirl would you like to name? "
                                "What would you like to name it? ")
      .choose("", "Goodbye!\n");  // "Peep" is no number: leave
  expectSession(setup(s.input, {Record()}), s.output,
                Record("Bo", s.hours).text());
}

TEST(ActionsSession, PettingMovesTheAlignmentOfAChildOnly) {
  Record child, egg("Egg");
  child.form = 2;  // only a save file holds this form
  Record after = child;
  after.heroDark = -1;
  const std::string prompts =
      "Pet which mirl: Which Alignment?(-1: Hero, 0: Neutral, 1: Dark) ";
  Session s(2);
  s.choose("4\n0\n-1", listing({child, egg}) + prompts)
      .choose("4\n1\n-1", listing({child, egg}) + prompts);
  viewSkillsAndForm(s, {after, egg}, "Child").leave();
  expectSession(setup(s.input, {child, egg}), s.output,
                saveFile(aged({after, egg}, s.hours)));
}

TEST(ActionsSession, TheStatisticsMenuAgesTheGardenWithEveryChoice) {
  const Garden two = {Record(), garden(1)[0]};  // only Pip is purebred
  const std::string asked = listing(two) + kWhichStats;
  Session s(2);
  s.choose("5")
      .view("1\n0",
            asked + "Pip is 0 mirl hours old and has reincarnated 0 times\n")
      .view("6", "Invalid Input\n")
      .view("1\n9", asked + "invalid input\n")
      .view("1\n0",
            asked + "Pip is 3 mirl hours old and has reincarnated 0 times\n")
      .view("4\n0", asked + "Two-Tone Normal\nThis mirl is purebred!\n")
      .view("4\n1", asked + "Two-Tone Normal\n")
      .view("5\n1", asked +
                        "Color: Normal Invisible\nCoat: None Rare\n"
                        "Shine: 0 0\nTwo-Tone: 1 1\n")
      .view("0")
      .leave();
  expectSession(setup(s.input, two), s.output, saveFile(aged(two, s.hours)));
}

TEST(ActionsSession, AHatchedEggGrowsUpAtTwentyHours) {
  const Record egg("_");
  const std::string asked = listing({egg}) + kWhichStats;
  Session s;
  s.choose("1\n1", kEggMenu).nowHolds(1);
  s.choose("5").view("3\n0", asked + formLines(egg, "Egg")).view("0");
  while (s.hours < 20) s.choose("9", "invalid input\n");
  s.choose("5").view("3\n0", asked + formLines(egg, "Normal/Neutral"));
  s.view("0").leave();
  Record grown("_", s.hours);
  grown.form = 5;
  const GameResult run = runGame(setup(s.input, {}));
  EXPECT_EQ(s.output, run.out);
  EXPECT_EQ(withoutRankLines(grown.text()),
            withoutRankLines(run.file("mirl.dat")));
}

}  // namespace
}  // namespace e2e
