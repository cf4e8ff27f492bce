// The rules of the garden's actions, shared by the line game and the
// screen: each refusal and the order of its tests, what each action does to
// the garden, and how many random numbers it draws, so that both ways of
// playing leave the same garden for the same seed.

#include "actions.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <utility>

#include "screen_util.h"
#include "test_util.h"

namespace {

// True when the next rand() is the one `draws` numbers after srand(seed):
// the code run since srand(seed) drew exactly `draws` numbers.
bool drewExactly(unsigned seed, int draws) {
  const int next = std::rand();
  std::srand(seed);
  for (int at = 0; at < draws; ++at) std::rand();
  return next == std::rand();
}

TEST(Actions, BreedingIsRefusedForEachReasonInTurn) {
  const Garden three = threeGarden();  // Ada, Bo grown; Cy a child
  const Garden full = fullGarden();
  Garden young = gardenOf(
      {creature("Egg", 3, kEggForm), creature("Old", 30, kChildForm + 1)});
  const struct {
    const Garden& garden;
    int first, second;
    BreedRefusal refusal;
  } cases[] = {
      {three, 0, 1, BreedRefusal::kNone},
      {three, 1, 0, BreedRefusal::kNone},
      {three, 0, 0, BreedRefusal::kSameCreature},
      {three, 5, 5, BreedRefusal::kSameCreature},
      {three, 0, 3, BreedRefusal::kNotInGarden},
      {three, -1, 0, BreedRefusal::kNotInGarden},
      {three, 0, 2, BreedRefusal::kChild},
      {three, 2, 1, BreedRefusal::kChild},
      {young, 0, 1, BreedRefusal::kChild},
      {young, 1, 0, BreedRefusal::kChild},
      {full, 0, 1, BreedRefusal::kGardenFull},
      {full, 3, 3, BreedRefusal::kSameCreature},  // before the full garden
      {full, 7, 8, BreedRefusal::kNotInGarden},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(namesIn(c.garden) + ": " + std::to_string(c.first) + " " +
                 std::to_string(c.second));
    std::srand(1);
    EXPECT_EQ(c.refusal, breedRefusal(c.garden, c.first, c.second));
    EXPECT_TRUE(drewExactly(1, 0));
  }
  // Form 3 is past the child forms: grown.
  EXPECT_TRUE(isGrown(young.mirl[1]));
}

TEST(Actions, OnlyAChildCanBePetted) {
  const struct {
    int form;
    PetRefusal refusal;
  } cases[] = {
      {kEggForm, PetRefusal::kEgg},
      {kChildForm, PetRefusal::kNone},
      {kChildForm + 1, PetRefusal::kGrownUp},
      {kNormalForms, PetRefusal::kGrownUp},
      {kPowerForms + 2, PetRefusal::kGrownUp},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.refusal, petRefusal(creature("Pip", 10, c.form))) << c.form;
  }
}

TEST(Actions, ANameIsOneSafeWordOfAtMostTheLimit) {
  const std::string most(kMaxNameBytes, 'a');
  const std::string accent = "\u00e9";  // two bytes
  const struct {
    std::string name;
    NameRefusal refusal;
  } cases[] = {
      {"Pip", NameRefusal::kNone},
      {"\u5c0f\u9ce5", NameRefusal::kNone},
      {most, NameRefusal::kNone},
      {most.substr(2) + accent, NameRefusal::kNone},
      {"", NameRefusal::kEmpty},
      {most + "a", NameRefusal::kTooLong},
      {most.substr(1) + accent, NameRefusal::kTooLong},
      {"Pip Pop", NameRefusal::kUnsafe},
      {"Pip\t", NameRefusal::kUnsafe},
      {"\nPip", NameRefusal::kUnsafe},
      {"Pip\x1b[2J", NameRefusal::kUnsafe},
      {"Pip\xff", NameRefusal::kUnsafe},
      {most + " ", NameRefusal::kUnsafe},  // unsafe is said before too long
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.refusal, nameRefusal(c.name)) << c.name;
  }
}

TEST(Actions, EggKindsAndWhatEachAsksFor) {
  for (const auto& [kind, egg] :
       {std::pair{0, false}, {1, true}, {4, true}, {5, false}, {-1, false}}) {
    EXPECT_EQ(egg, isEggKind(kind)) << kind;
  }
  EXPECT_EQ(EggGene::kNone, geneOf(kNormalEgg));
  EXPECT_EQ(EggGene::kColor, geneOf(kMonotoneEgg));
  EXPECT_EQ(EggGene::kColor, geneOf(kShinyMonotoneEgg));
  EXPECT_EQ(EggGene::kCoat, geneOf(kJewelEgg));
}

TEST(Actions, AnEggHatchesWithItsGeneInBothAllelesAndFiveDraws) {
  const struct {
    int kind, gene;
    int color, coat;
    bool shine, twotone;
    const char* looks;
  } cases[] = {
      {kNormalEgg, 7, 0, 0, false, true, "Two-Tone Normal"},
      {kMonotoneEgg, 5, 5, 0, false, false, "monotone Pink"},
      {kMonotoneEgg, COLOR_COUNT - 1, COLOR_COUNT - 1, 0, false, false,
       "monotone Invisible"},
      {kMonotoneEgg, COLOR_COUNT, 0, 0, false, false, "monotone Normal"},
      {kMonotoneEgg, -1, 0, 0, false, false, "monotone Normal"},
      {kShinyMonotoneEgg, 1, 1, 0, true, false, "Shiny monotone Yellow"},
      {kShinyMonotoneEgg, COLOR_COUNT, 0, 0, true, false,
       "Shiny monotone Normal"},
      {kJewelEgg, 12, 0, 12, false, true, "Pearl"},
      {kJewelEgg, 3, 0, 3, false, true, "Ruby"},
      {kJewelEgg, COLOR_COUNT, 0, COLOR_COUNT, false, true, "Glass"},
      {kJewelEgg, COAT_COUNT - 1, 0, COAT_COUNT - 1, false, true, "Rare"},
      {kJewelEgg, COAT_COUNT, 0, 0, false, true, "Two-Tone Normal"},
      {kJewelEgg, -5, 0, 0, false, true, "Two-Tone Normal"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.kind) + " " + std::to_string(c.gene));
    Garden garden = threeGarden();
    std::srand(7);
    hatchEgg(garden, c.kind, c.gene);
    EXPECT_TRUE(drewExactly(7, kSkillCount));
    ASSERT_EQ(4, garden.emptySlot);
    const Mirl& egg = garden.mirl[3];
    const Breed looks = egg.getBreed();
    for (int allele : {0, 1}) {
      EXPECT_EQ(c.color, looks.getColor(allele));
      EXPECT_EQ(c.coat, looks.getCoat(allele));
      EXPECT_EQ(c.shine, looks.getShine(allele));
      EXPECT_EQ(c.twotone, looks.getTwotone(allele));
    }
    EXPECT_EQ(c.looks, looks.getPhenotype());
    EXPECT_EQ("_", egg.getName());
    EXPECT_EQ(0, egg.getAge());
    EXPECT_EQ(kEggForm, egg.getEvolution().getEvolution());
  }
}

TEST(Actions, BreedingFillsTheFirstEmptySlotWithTwentySevenDraws) {
  Garden garden = threeGarden();
  const std::string parents = savedRecords(garden);
  std::srand(11);
  breedInGarden(garden, 1, 0);
  EXPECT_TRUE(drewExactly(11, 3 * kSkillCount + 12));
  ASSERT_EQ(4, garden.emptySlot);
  EXPECT_EQ("Ada Bo Cy _", namesIn(garden));
  EXPECT_EQ("24 30 8 0", agesIn(garden));
  EXPECT_EQ(kEggForm, garden.mirl[3].getEvolution().getEvolution());
  garden.emptySlot = 3;
  EXPECT_EQ(parents, savedRecords(garden));  // the parents are untouched
}

TEST(Actions, EachItemGivesItsExperienceThenPushesTheSliders) {
  TempDir dir;
  writeCatalogues();
  const ItemCollection items;
  ASSERT_EQ(2, itemCount(items, kFood));
  ASSERT_EQ(2, itemCount(items, kSmallAnimal));
  EXPECT_EQ(ItemCollection::DRIVE_COUNT, itemCount(items, kDrive));
  EXPECT_EQ(0, itemCount(items, 0));
  EXPECT_EQ(0, itemCount(items, kSmallAnimal + 1));
  // Every skill at experience 30 (a level is 100) in an adult form, where a
  // push is its strength alone; or at 95, where 24 more is a level (a draw).
  const struct {
    int kind, index, experience;
    const char* after;  // swim run power fly stamina
    int swimFly, runPower, draws;
  } cases[] = {
      // Four bites of 12 0 2 0 5 (swim fly run power stamina), the last 14 0 4.
      {kFood, 0, 30, "80 40 30 30 50", 0, 0, 0},
      {kFood, 1, 30, "0 0 20 20 0", 0, 0, 0},  // stamina: -50 stops at 0
      {kDrive, 1, 30, "54 30 30 30 30", -1, 0, 0},
      {kDrive, 2, 30, "30 54 30 30 30", 1, 0, 0},
      {kDrive, 3, 30, "30 30 54 30 30", 0, -1, 0},
      {kDrive, 4, 30, "30 30 30 54 30", 0, 1, 0},
      {kDrive, 0, 30, "30 30 30 30 30", 0, 0, 0},
      {kDrive, 1, 95, "19 95 95 95 95", -1, 0, 1},  // a level up draws
      {kSmallAnimal, 0, 30, "42 32 30 30 30", -2, 0, 0},
      {kFood, 5, 30, "30 30 30 30 30", 0, 0, 0},  // past the list: nothing
      {0, 0, 30, "30 30 30 30 30", 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.kind) + " " + std::to_string(c.index));
    Mirl pip =
        creatureFrom(recordOf("Pip", 30, kNormalForms, {}, c.experience));
    std::srand(3);
    giveFromCatalogue(pip, items, c.kind, c.index);
    EXPECT_TRUE(drewExactly(3, c.draws));
    std::string after;
    for (int skill = 0; skill < kSkillCount; ++skill) {
      after += (skill == 0 ? "" : " ") +
               std::to_string(
                   pip.getSkill(static_cast<Skill>(skill)).getExperience());
    }
    EXPECT_EQ(c.after, after);
    EXPECT_EQ(c.swimFly, pip.getEvolution().getSwimFly());
    EXPECT_EQ(c.runPower, pip.getEvolution().getRunPower());
  }
}

TEST(Actions, ColoursPastPurpleDrawTheirDirection) {
  TempDir dir;
  writeCatalogues();
  const ItemCollection items;
  // Drives 5 to 7 and the Firefly (colour 5) draw a direction once; the
  // others have their own. Each moves one slider by its strength.
  const struct {
    int kind, index, strength, draws;
  } cases[] = {
      {kDrive, 4, 1, 0}, {kDrive, 5, 1, 1},       {kDrive, 6, 1, 1},
      {kDrive, 7, 1, 1}, {kSmallAnimal, 0, 2, 0}, {kSmallAnimal, 1, 2, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.kind) + " " + std::to_string(c.index));
    std::set<std::pair<int, int>> moves;
    for (unsigned seed = 1; seed <= 20; ++seed) {
      Mirl pip = creature("Pip", 30, kNormalForms);
      std::srand(seed);
      giveFromCatalogue(pip, items, c.kind, c.index);
      EXPECT_TRUE(drewExactly(seed, c.draws));
      const Evolution moved = pip.getEvolution();
      EXPECT_EQ(c.strength,
                std::abs(moved.getSwimFly()) + std::abs(moved.getRunPower()));
      moves.insert({moved.getSwimFly(), moved.getRunPower()});
    }
    EXPECT_EQ(c.draws == 0, moves.size() == 1);
  }
}

TEST(Actions, ACodeCarriesTheWholeRecordAndDrawsNothing) {
  Mirl ada = creatureFrom(recordOf("Ada", 24, kNormalForms, {{9, 2}, {3, 5}}));
  std::srand(5);
  const std::optional<std::string> code = codeOfCreature(ada);
  ASSERT_TRUE(code.has_value());
  const CodedCreature back = creatureOfCode(*code);
  EXPECT_TRUE(drewExactly(5, 0));
  ASSERT_EQ(CodeFault::kNone, back.fault);
  ASSERT_TRUE(back.creature.has_value());
  EXPECT_EQ(savedRecords(gardenOf({ada})),
            savedRecords(gardenOf({*back.creature})));

  // Coding does not repair the creature itself.
  Mirl odd = creature("Pip", 3, kChildForm);
  odd.setName("Pip\x1b");
  ASSERT_TRUE(codeOfCreature(odd).has_value());
  EXPECT_EQ("Pip\x1b", odd.getName());

  const struct {
    std::string code;
    CodeFault fault;
    bool creature;
  } cases[] = {
      {*code, CodeFault::kNone, true},
      {wrapped(*code, 20, "\n  "), CodeFault::kNone, true},
      {"hello", CodeFault::kNotACode, false},
      {*encodeCode("not a record"), CodeFault::kNone, false},
      {*encodeCode(recordOf("Ada", 1, 5) + "extra"), CodeFault::kNone, false},
      {code->substr(0, code->size() - 1) + "x", CodeFault::kMistyped, false},
  };
  for (const auto& c : cases) {
    const CodedCreature coded = creatureOfCode(c.code);
    EXPECT_EQ(c.fault, coded.fault) << c.code;
    EXPECT_EQ(c.creature, coded.creature.has_value()) << c.code;
  }
  // A name far past the limit makes a record too long for a code.
  Mirl wordy = creature("Pip", 3, kChildForm);
  wordy.setName(std::string(400, 'w'));
  EXPECT_FALSE(codeOfCreature(wordy).has_value());
}

}  // namespace
