// The screen's words for where a creature is heading, from the evolution
// forecast's own numbers; for the skills and sliders an item or a pat moved,
// the hour's events, and why an action cannot be done.

#include "screen_words.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "forecast.h"
#include "mirl.h"
#include "names.h"
#include "screen_game.h"
#include "screen_util.h"

namespace {

ShapeOutlook outlook(Shape shape, int steps, std::optional<ShapeItem> item,
                     int gifts, bool inTime) {
  ShapeOutlook made;
  made.shape = shape;
  made.steps = steps;
  made.item = std::move(item);
  made.gifts = gifts;
  made.inTime = inTime;
  return made;
}

TEST(ScreenWords, SayWhereACreatureIsHeading) {
  const ShapeItem drive{ItemSource::kDrive, 1, "Yellow", 2};
  const ShapeItem minnow{ItemSource::kAnimal, 0, "Minnow", 2};
  const struct {
    ShapeOutlook outlook;
    const char* words;
  } reaches[] = {
      {outlook(Shape::kSwim, 0, drive, 0, true), "Swim: there now"},
      {outlook(Shape::kFly, 27, std::nullopt, 0, false),
       "Fly: 27 steps, no sure item"},
      {outlook(Shape::kRun, 26, drive, 13, true),
       "Run: 26 steps, Yellow drive x13"},
      {outlook(Shape::kPower, 26, minnow, 13, false),
       "Power: 26 steps, Minnow x13, too late"},
  };
  for (const auto& c : reaches) EXPECT_EQ(c.words, reachWords(c.outlook));

  EvolutionForecast forecast;
  forecast.stage = LifeStage::kEvolving;
  forecast.form = kSwimForms + 1;
  EXPECT_EQ("at 20h: " + std::string(EVOLUTIONS[kSwimForms + 1]),
            headingWords(forecast));
  forecast.stage = LifeStage::kGrown;
  forecast.hoursLeft = 12;
  forecast.alignment = 2;
  EXPECT_EQ("keeps Dark when reborn", headingWords(forecast));
  forecast.stage = LifeStage::kSettled;
  EXPECT_EQ("stays as it is, Dark", headingWords(forecast));
}

TEST(ScreenWords, NextChangeCountsToEachAge) {
  const struct {
    int age;
    const char* words;
  } cases[] = {
      {0, "evolves in 20h"},      {19, "evolves in 1h"},
      {20, "reborn in 30h"},      {49, "reborn in 1h"},
      {50, "past 50h, for good"}, {900, "past 50h, for good"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.words, nextChangeWords(c.age));
  EXPECT_EQ("evolves 3h", nextChangeWords(17, " "));
}

}  // namespace

namespace {

// The gene lists and the answers speak the screen's clean names, while the
// table keeps its own texts for the line game and the files.
TEST(ScreenWords, GeneListsAndAnswersUseCleanNames) {
  Garden garden;
  ScreenGame game(garden);
  for (const char* key : {"h", "4", "Enter"}) game.onKey(keyNamed(key));
  const auto* genes = std::get_if<GeneDialog>(&game.dialog());
  ASSERT_NE(nullptr, genes);
  // A copy: hatching closes the dialog that holds the list.
  const std::vector<ListEntry> coats = genes->list.entries();
  ASSERT_EQ(COAT_COUNT, static_cast<int>(coats.size()));
  for (const ListEntry& coat : coats) {
    EXPECT_EQ(coat.label.find_first_not_of(' '), 0u) << coat.number;
    EXPECT_EQ(coat.label.back() == ' ', false) << coat.number;
  }
  EXPECT_NE(coats[13].label, coats[14].label);
  for (const char* key : {"1", "3", "Enter"}) game.onKey(keyNamed(key));
  EXPECT_NE(std::string::npos, game.answer().find(coats[13].label))
      << game.answer();
}

TEST(ScreenWords, NameTheSkillsThatChanged) {
  const Mirl pip = creature("Pip", 10, kChildForm);  // level 2, 30 exp each
  const struct {
    StatItem item;  // swim run power fly stamina
    const char* words;
  } cases[] = {
      {StatItem(), "no skill changed"},
      {StatItem(0, 6, 0, 0, 0), "Run +6 exp"},
      {StatItem(0, 0, 0, 0, -40), "Stamina -30 exp"},
      {StatItem(80, 0, -5, 0, 0), "Swim 2 \u2192 3, Power -5 exp"},
      {StatItem(1, 1, 1, 1, 1),
       "Swim +1 exp, Run +1 exp, Power +1 exp, Fly +1 exp, Stamina +1 exp"},
  };
  for (const auto& c : cases) {
    Mirl after = pip;
    after.giveStatItem(c.item);
    EXPECT_EQ(c.words, levelChanges(pip, after));
  }
}

TEST(ScreenWords, NameTheSlidersThatMoved) {
  const Mirl child = creature("Pip", 10, kChildForm);
  const Mirl grown = creature("Pip", 30, kNormalForms);
  const struct {
    const Mirl& before;
    EvolutionItem item;  // alignment, colour, strength
    const char* words;
  } cases[] = {
      {grown, EvolutionItem(), ""},
      {grown, EvolutionItem(0, 3, 2), "Run-Power 0 \u2192 -2"},
      {grown, EvolutionItem(0, 2, 1), "Swim-Fly 0 \u2192 1"},
      {child, EvolutionItem(1, 2, 1),
       "Hero-Dark 0 \u2192 2, Swim-Fly 0 \u2192 2"},
      {child, EvolutionItem(-1, 0, 3), "Hero-Dark 0 \u2192 -6"},
  };
  for (const auto& c : cases) {
    Mirl after = c.before;
    after.giveEvolutionItem(c.item);
    EXPECT_EQ(c.words, sliderChanges(c.before, after));
  }
}

TEST(ScreenWords, TellTheHoursEventsInOrder) {
  const Garden garden = threeGarden();
  using K = AgeEvent::Kind;
  const struct {
    std::vector<AgeEvent> events;
    const char* words;
  } cases[] = {
      {{}, ""},
      {{{K::kEvolved, 0, kSwimForms + 1}}, ". Ada evolved into Swim/Hero"},
      {{{K::kReincarnated, 1, kEggForm}}, ". Bo was reincarnated"},
      {{{K::kEvolved, 2, kPowerForms + 2}, {K::kReincarnated, 0, kEggForm}},
       ". Cy evolved into Power/Dark. Ada was reincarnated"},
      {{{K::kEvolved, 0, 99}}, ". Ada evolved into Child"},  // out of table
  };
  for (const auto& c : cases) EXPECT_EQ(c.words, eventWords(garden, c.events));
}

TEST(ScreenWords, SayWhyAnActionCannotBeDone) {
  const Garden garden = threeGarden();
  const struct {
    std::string words, expected;
  } cases[] = {
      {emptySlotWords(garden, 5), "Slot 5 is empty"},
      {emptySlotWords(oneGarden(), 1), "Slot 1 is empty"},
      {emptySlotWords(Garden(), 0),
       "The garden is empty: press h to hatch an egg"},
      {partnerRefusalWords(garden, 0, BreedRefusal::kSameCreature),
       "A mirl cannot be bred with itself"},
      {partnerRefusalWords(garden, 6, BreedRefusal::kNotInGarden),
       "There is no mirl in slot 6"},
      {partnerRefusalWords(garden, 2, BreedRefusal::kChild),
       "Cy has not evolved yet"},
      {petRefusalWords("Cy", PetRefusal::kEgg),
       "Cy is an egg: petting does nothing"},
      {petRefusalWords("Bo", PetRefusal::kGrownUp),
       "Bo is no longer a child: petting does nothing"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.expected, c.words);
}

}  // namespace

namespace {

// The breed dialog's forecast tells coats 13 and 14 apart, which the
// table's own words do not.
TEST(ScreenWords, TheForecastInCleanWordsKeepsTwinNamesApart) {
  const Breed thirteen = Mirl(0, 13, false, true).getBreed();
  const Breed fourteen = Mirl(0, 14, false, true).getBreed();
  const BreedingForecast plain = forecastBreeding(thirteen, fourteen);
  const BreedingForecast clean =
      forecastBreeding(thirteen, fourteen, cleanLooks);
  ASSERT_EQ(1u, plain.appearances.size());
  ASSERT_EQ(2u, clean.appearances.size());
  EXPECT_EQ(kForecastOutcomes,
            clean.appearances[0].chance + clean.appearances[1].chance);
  for (const ForecastLook& look : clean.appearances) {
    EXPECT_NE(std::string::npos, look.looks.find("Metal (1")) << look.looks;
    EXPECT_EQ(kForecastOutcomes / 2, look.chance) << look.looks;
  }
}

}  // namespace
