// A Stat is one skill of a creature (swim, run, power, fly or stamina): a
// letter rank from "E" to "S", a level from 0 to 99, experience toward the
// next level in hundredths of a level, and the points its levels have earned.
// It also carries two rank genes, which breeding passes on.
//
// Stat is a plain value type, copyable on purpose: the creature hands out
// copies and breeding takes the parents' skills by value. Every constructor
// leaves the fields in range; only experienceBoost() may leave experience
// above 100, until the next boost or validate().

#ifndef TUMBLENOOK_STAT_H_
#define TUMBLENOOK_STAT_H_

#include <fstream>
#include <iostream>
#include <string>

// Letters of the six rank values, indexed only, never printed as a string.
inline constexpr char RANK_LETTERS[6] = {'E', 'D', 'C', 'B', 'A', 'S'};

class Stat {
 public:
  // A new skill at level 0 with a random rank (one draw), which both genes
  // share.
  Stat();

  // A child's skill, bred from the parents' skills of the same kind. Three
  // draws, in order: the gene from `first`, the gene from `second`, and which
  // of the two the child expresses.
  Stat(Stat first, Stat second);

  // Reads the six numbers of a skill's section of a save record (points,
  // level, experience, then the three ranks), then validates. Fields that the
  // stream cannot supply stay 0; the caller tests the stream.
  explicit Stat(std::istream& in);
  // The same, from a file stream.
  explicit Stat(std::ifstream& in);

  // One level up with its random points; at level 99 or above it only fills
  // the experience bar. Called by experienceBoost().
  void levelUp();

  // Raises the expressed rank by one, up to "S". The genes never change.
  void rankUp();

  // The skill's share of its creature's reincarnation: level 1, a tenth of
  // the points, no experience, ranks kept.
  void reincarnate();

  // The ten-cell experience bar: "+" full, "=" empty.
  std::string getExperienceBar() const;

  // Writes the experience bar to `out`, no line end.
  void experienceBar(std::ostream& out = std::cout) const;

  // Adds `amount` experience (which may be negative) and gains at most one
  // level if it passes 99. Experience never drops below 0.
  void experienceBoost(int amount);

  // Clamps every field into its range.
  void validate();

  // Writes the statistics line to `out`: rank letter, level, bar and points.
  void print(std::ostream& out = std::cout) const;

  // Validates, then writes the skill's two lines of a save record.
  void save(std::ostream& out);
  // The same, to a file stream.
  void save(std::ofstream& out);

  // ranks[index]: 0 is the expressed rank, 1 and 2 the genes.
  // REQUIRES: 0 <= index <= 2.
  int getRank(int index) const;

  // The letter of the expressed rank.
  char getRankLetter() const;

  int getPoints() const { return points; }
  int getLevel() const { return level; }
  int getExperience() const { return experience; }

 private:
  int points;
  int ranks[3];
  int level;
  int experience;
};

#endif  // TUMBLENOOK_STAT_H_
