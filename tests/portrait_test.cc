// The block that `tumblenook --list` prints for a creature, pinned byte for
// byte, and its tint.

#include "portrait.h"

#include <gtest/gtest.h>

#include <iterator>
#include <regex>
#include <sstream>
#include <string>

#include "mirl.h"
#include "test_util.h"

namespace {

// A Swim/Hero (form 9), shiny monotone Sky Blue, of mixed blood.
const std::string kRecord =
    "Name: Pip\nAge: 23\nReincarnation: 1\nSwim: 230 12 40\n2 2 1\n"
    "Run: 13 3 64\n0 0 3\nPower: 90 7 12\n3 2 4\nFly: 17 1 8\n0 1 0\n"
    "Stamina: 44 2 96\n1 5 3\nEvolution: 9 -30 -28 0\nColor: 4 9\n"
    "Coat: 0 0\nShine: 1 1\nTwo-tone: 0 0\n";

std::string portrait(bool colour) {
  std::ostringstream out;
  printPortrait(out, 3, readFromText<Mirl>(kRecord), colour);
  return out.str();
}

TEST(Portrait, PinsTheBlockOfASwimHero) {
  EXPECT_EQ(
      "3: Pip\n"
      "  \\ | /    age 23, reincarnations 1\n"
      "  .---.    form Swim/Hero\n"
      " ( o o )   skills Swim C 12, Run E 3, Power B 7, Fly E 1, Stamina D 2\n"
      "<(~~~~~)>  sliders Hero/Dark -30 Hero, Swim/Fly -28 Swim, Run/Power 0 "
      "middle\n"
      " ~~~~~~~   looks Shiny monotone Sky Blue\n",
      portrait(false));
}

TEST(Portrait, TintsTheDrawingOnlyBoldWhenShiny) {
  const std::string tinted = portrait(true);
  EXPECT_EQ(portrait(false),
            std::regex_replace(tinted, std::regex("\033\\[[0-9;]*m"), ""));
  // Five lines of drawing, each in bold sky blue up to the reset.
  const std::regex sky("\033\\[1;38;5;117m[^\033\n]+\033\\[0m");
  EXPECT_EQ(
      5, std::distance(std::sregex_iterator(tinted.begin(), tinted.end(), sky),
                       std::sregex_iterator()));
}

}  // namespace
