// The screen's words for what changed: when a creature next changes, the
// skills and sliders an item or a pat moved, and the hour's events.

#include "screen_words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screen_util.h"

namespace {

TEST(ScreenWords, SayWhenACreatureNextChanges) {
  static_assert(kEvolveAge == 20 && kReincarnateAge == 50);
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
