// Whole sessions about the garden: the main menu and its age tick, hatching,
// breeding, the end of input and the save file.

#include <gtest/gtest.h>

#include <algorithm>

#include "session.h"

namespace e2e {
namespace {

TEST(GardenSession, MenuFitsTheGardenAndEveryChoiceAgesIt) {
  for (int size : {0, 1, 2}) {  // no save file at all for size 0
    SCOPED_TRACE(size);
    const Session s = Session(size).choose("9", "invalid input\n").leave();
    expectSession(setup(s.input, garden(size)), s.output,
                  saveFile(aged(garden(size), 2)));
  }
}

TEST(GardenSession, LeavingAtNineteenHoursSavesTheAdultForms) {
  Garden young(3, Record("Pip", 19));
  young[0].swimFly = -30, young[0].runPower = 10;
  young[0].skills[kSwim].rank = 2;
  young[1].heroDark = -30, young[1].skills[kStamina].rank = 1;
  young[2].heroDark = 26, young[2].swimFly = -39, young[2].runPower = 40;
  young[2].skills[kPower].rank = 5;  // already "S"
  Garden grown = aged(young, 1);
  grown[0].form = 8, grown[0].skills[kSwim].rank = 3;     // Swim/Neutral
  grown[1].form = 6, grown[1].skills[kStamina].rank = 2;  // Normal/Hero
  grown[2].form = 19;                                     // Power/Dark
  for (Record& r : grown) r.swimFly = r.runPower = 0;
  const Session s = Session(3).leave();
  expectSession(setup(s.input, young), s.output, saveFile(grown));
}

TEST(GardenSession, AtFiftyHoursACreatureIsReincarnated) {
  Record old("Pip", 49, 2), reborn("Pip", 1, 3);
  old.skills.fill({987, 7, 40, 3, 2, 4});
  old.form = 13, old.heroDark = -30, old.swimFly = 40, old.runPower = -10;
  reborn.skills.fill({98, 1, 0, 3, 2, 4});
  reborn.heroDark = -30;
  const Session s =
      Session(1).choose("9", "invalid input\nPip reincarnated\n").leave();
  expectSession(setup(s.input, {old}), s.output, reborn.text());
}

TEST(GardenSession, HatchingFillsTheLastSlotAndNoMore) {
  Session s(7);
  s.choose("1\n1", kEggMenu).nowHolds(8);
  for (int again = 0; again < 2; ++again) {
    s.choose("1", "Garden is full, cannot hatch a new mirl.\n");
  }
  s.leave();
  Garden expected = aged(garden(7), s.hours);
  expected.push_back(Record("_", s.hours));
  const GameResult run = runGame(setup(s.input, garden(7)));
  EXPECT_EQ(s.output, run.out);
  EXPECT_EQ(kMakeRoom, run.err);  // once a game
  EXPECT_EQ(withoutRankLines(saveFile(expected)),
            withoutRankLines(run.file("mirl.dat")));
}

TEST(GardenSession, BreedingRefusalsComeInOrderAndKeepAFullGarden) {
  Garden full = garden(8);
  full[2].form = 2;  // the last form that is still a child
  full[3].form = 3;  // the first that counts as grown
  const std::string asked = listing(full) + "Which mirl should be bred? ";
  Session s(8);
  for (const auto& [parents, answer] :
       std::vector<std::pair<const char*, const char*>>{
           {"2 2", "A mirl cannot be bred with itself."},
           {"9 9", "A mirl cannot be bred with itself."},
           {"0 2", "Child mirl cannot be bred."},
           {"2 0", "Child mirl cannot be bred."},
           {"0 9", "invalid input"},
           {"0 3", "The garden is full, cannot breed a new Mirl."}}) {
    s.choose(std::string("6\n") + parents, asked + answer + "\n");
  }
  s.leave();
  expectSession(setup(s.input, full), s.output, saveFile(aged(full, s.hours)),
                kMakeRoom);
}

TEST(GardenSession, BreedingPutsTheChildIntoTheFirstEmptySlot) {
  // Parents alike in every gene can only have a child alike too.
  Record ma("Ma", 30), kid("Kid", 2);
  ma.skills.fill({40, 3, 10, 3, 3, 3});
  ma.form = 9, ma.color = {4, 4}, ma.shine = {1, 1}, ma.twotone = {0, 0};
  Record pa = ma, child = ma;
  pa.name = "Pa";
  Session s(3);
  s.choose("6\n0 1", listing({ma, pa, kid}) + "Which mirl should be bred? ")
      .nowHolds(4)
      .leave();
  child.name = "_", child.age = s.hours, child.form = 1;
  child.skills.fill({0, 0, 0, 3, 3, 3});
  Garden expected = aged({ma, pa, kid}, s.hours);
  expected.push_back(child);
  expectSession(setup(s.input, {ma, pa, kid}), s.output, saveFile(expected));
}

TEST(GardenSession, EndOfInputLeavesAndSaves) {
  const std::string goodbye = mainMenu(2) + "Goodbye!\n";
  for (const std::string input : {"", "1\n", "1\n2\n", "2\n0\n", "3\n0\n2\n",
                                  "4\n0\n", "5\n", "5\n1\n", "6\n0\n"}) {
    SCOPED_TRACE(input);
    const GameResult run = runGame(setup(input, garden(2)));
    EXPECT_EQ(0, run.status);
    ASSERT_GE(run.out.size(), goodbye.size());
    EXPECT_EQ(goodbye, run.out.substr(run.out.size() - goodbye.size()));
    EXPECT_EQ(saveFile(aged(garden(2), input.empty() ? 1 : 2)),
              run.file("mirl.dat"));
    EXPECT_EQ(static_cast<long long>(input.size()), run.inputRead);
  }
}

TEST(GardenSession, AFailedSaveExitsWithOneAndLeavesTheFolder) {
  GameSetup game("0\n", {{"mirl.dat/keep", "precious\n"}});
  game.shippedCatalogue = false;
  const GameResult run = runGame(game);
  EXPECT_EQ(1, run.status);
  EXPECT_EQ("", run.out);  // found at the start, before any play is lost
  EXPECT_EQ(1, std::count(run.err.begin(), run.err.end(), '\n')) << run.err;
  EXPECT_EQ(game.files, run.files);
}

// The game goes on past a damaged record (a two-word name): every healthy
// creature plays and is saved, and the backup keeps the damaged one.
TEST(GardenSession, ADamagedSaveFileIsKeptAsABackup) {
  Garden eight = garden(8), healthy = garden(8);
  eight[2].name = "Mi 2";
  healthy.erase(healthy.begin() + 2);
  for (const auto& [damaged, loaded] :
       {std::pair{saveFile(garden(1)) + "Name: Bad\nAge: old\n", garden(1)},
        std::pair{saveFile(eight), healthy}}) {
    const GameResult run = runGame(GameSetup("0\n", {{"mirl.dat", damaged}}));
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(mainMenu(static_cast<int>(loaded.size())) + "Goodbye!\n",
              run.out);
    EXPECT_EQ(
        "tumblenook: mirl.dat held 1 record that could not be loaded; "
        "the whole file is kept as mirl.dat.bak\n",
        run.err);
    EXPECT_EQ(damaged, run.file("mirl.dat.bak"));
    EXPECT_EQ(saveFile(aged(loaded, 1)), run.file("mirl.dat"));
  }
}

}  // namespace
}  // namespace e2e
