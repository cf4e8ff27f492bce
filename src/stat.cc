#include "stat.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "saturating.h"

namespace {

constexpr int kRankCount = 6;
constexpr int kTopRank = kRankCount - 1;
constexpr int kGenesPerParent = 3;  // expressed rank and two genes
constexpr int kMaxLevel = 100;      // highest level a file may hold
constexpr int kLastLevelUp = 98;    // levelling stops at 99
constexpr int kExperiencePerLevel = 100;
constexpr int kFullExperience = 100;
constexpr int kBarCells = 10;
constexpr int kBasePoints = 11;
constexpr int kPointsPerRank = 3;
constexpr int kPointsSpread = 5;  // a level brings base + 0 to 4 more
constexpr int kReincarnationShare = 10;

}  // namespace

Stat::Stat() : points(0), ranks{}, level(0), experience(0) {
  const int rank = std::rand() % kRankCount;
  ranks[0] = ranks[1] = ranks[2] = rank;
}

Stat::Stat(Stat first, Stat second)
    : points(0), ranks{}, level(0), experience(0) {
  ranks[1] = first.getRank(std::rand() % kGenesPerParent);
  ranks[2] = second.getRank(std::rand() % kGenesPerParent);
  ranks[0] = ranks[1 + std::rand() % 2];
}

Stat::Stat(std::ifstream& in) : Stat(static_cast<std::istream&>(in)) {}

Stat::Stat(std::istream& in) : points(0), ranks{}, level(0), experience(0) {
  in >> points >> level >> experience >> ranks[0] >> ranks[1] >> ranks[2];
  validate();
}

void Stat::levelUp() {
  if (level <= kLastLevelUp) {
    level += 1;
    experience -= kExperiencePerLevel;
    const int gained =
        kBasePoints + kPointsPerRank * ranks[0] + std::rand() % kPointsSpread;
    points = saturatingAdd(points, gained);
  } else {
    experience = kFullExperience;
  }
}

void Stat::rankUp() {
  if (ranks[0] < kTopRank) ranks[0] += 1;
}

void Stat::reincarnate() {
  level = 1;
  points /= kReincarnationShare;
  experience = 0;
}

std::string Stat::getExperienceBar() const {
  const int full = experience / (kFullExperience / kBarCells);
  std::string bar;
  for (int cell = 1; cell <= kBarCells; ++cell) bar += cell <= full ? '+' : '=';
  return bar;
}

void Stat::experienceBar(std::ostream& out) const { out << getExperienceBar(); }

void Stat::experienceBoost(int amount) {
  experience = saturatingAdd(experience, amount);
  if (experience > kExperiencePerLevel - 1) {
    levelUp();
  } else if (experience < 0) {
    experience = 0;
  }
}

void Stat::validate() {
  if (points < 0) points = 0;
  level = std::clamp(level, 0, kMaxLevel);
  experience = std::clamp(experience, 0, kFullExperience);
  for (int& rank : ranks) rank = std::clamp(rank, 0, kTopRank);
}

void Stat::print(std::ostream& out) const {
  out << getRankLetter() << ' ' << level << ' ';
  experienceBar(out);
  out << ' ' << points << std::endl;
}

void Stat::save(std::ofstream& out) { save(static_cast<std::ostream&>(out)); }

void Stat::save(std::ostream& out) {
  validate();
  out << points << ' ' << level << ' ' << experience << '\n';
  out << ranks[0] << ' ' << ranks[1] << ' ' << ranks[2] << '\n';
}

int Stat::getRank(int index) const { return ranks[index]; }

char Stat::getRankLetter() const {
  return RANK_LETTERS[std::clamp(ranks[0], 0, kTopRank)];
}
