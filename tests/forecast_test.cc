#include "forecast.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <utility>

#include "breed.h"

namespace {

// One trait of a child by the rule of Breed(first, second), for the draws in
// the three low bits of `draws`: giver, giver's allele, other's allele.
template <typename T>
void draw(T (&child)[2], T (Breed::*allele)(int) const, const Breed (&p)[2],
          int draws) {
  const Breed &giver = p[draws & 1], &other = p[1 - (draws & 1)];
  child[0] = (giver.*allele)(draws >> 1 & 1);
  child[1] = (other.*allele)(draws >> 2 & 1);
}

TEST(Forecast, GivesEveryAppearanceAndPurityAsExactCountsOfTheDraws) {
  const struct {
    Breed parents[2];
    const char* forecast;  // "appearance=chance;" in order, then "purebred="
  } rows[] = {
      {{Breed(), Breed()}, "Two-Tone Normal=4096;purebred=4096"},
      {{Breed(0, 1, false, true), Breed()},
       "Gold=2048;Two-Tone Normal=2048;purebred=0"},
      {{Breed(4, 0, true, false), Breed(4, 0, false, false)},
       "Shiny monotone Sky Blue=2048;monotone Sky Blue=2048;purebred=0"},
      {{Breed({2, 5}, {0, 0}, {0, 0}, {1, 1}), Breed(2, 0, false, true)},
       "Two-Tone White=3072;Two-Tone Pink=1024;purebred=2048"},
      // Both parents mixed: slot 1 takes either allele of the other parent.
      {{Breed({2, 5}, {0, 0}, {0, 0}, {1, 1}),
        Breed({2, 7}, {0, 0}, {0, 0}, {1, 1})},
       "Two-Tone White=2048;Two-Tone Grey=1024;Two-Tone Pink=1024;"
       "purebred=1024"},
      {{Breed({3, 9}, {0, 0}, {1, 0}, {0, 0}), Breed(3, 0, false, false)},
       "monotone Brown=2304;Shiny monotone Brown=768;monotone Red=768;"
       "Shiny monotone Red=256;purebred=1024"},
      // An unchecked hatch allele: shown repaired, counted as the child has it.
      {{Breed(99, 0, false, true), Breed()},
       "Two-Tone Normal=4096;purebred=0"}};
  srand(7);
  for (const auto& row : rows) {
    const BreedingForecast forecast =
        forecastBreeding(row.parents[0], row.parents[1]);
    std::string looks;
    std::map<std::string, int> chances, counted;
    for (const auto& a : forecast.appearances) {
      looks += a.looks + "=" + std::to_string(a.chance) + ";";
      chances[a.looks] = a.chance;
    }
    EXPECT_EQ(row.forecast,
              looks + "purebred=" + std::to_string(forecast.pureChance));
    int pure = 0;  // every outcome of the draws, counted one by one
    for (int draws = 0; draws < kForecastOutcomes; ++draws) {
      int color[2], coat[2];
      bool shine[2], twotone[2];
      draw(color, &Breed::getColor, row.parents, draws);
      draw(coat, &Breed::getCoat, row.parents, draws >> 3);
      draw(shine, &Breed::getShine, row.parents, draws >> 6);
      draw(twotone, &Breed::getTwotone, row.parents, draws >> 9);
      const Breed child(color, coat, shine, twotone);
      ++counted[child.getPhenotype()];
      pure += child.isPure();
    }
    EXPECT_EQ(counted, chances);
    EXPECT_EQ(pure, forecast.pureChance);
  }
  const int next = rand();
  srand(7);
  EXPECT_EQ(rand(), next) << "forecasting must not draw";
  const std::pair<int, const char*> percents[] = {
      {4096, "100.0%"}, {256, "6.3%"}, {16, "0.4%"},
      {1, "0.0%"},      {-5, "0.0%"},  {5000, "100.0%"}};
  for (const auto& [chance, text] : percents) {
    EXPECT_EQ(text, chancePercent(chance));
  }
}

}  // namespace
