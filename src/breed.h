// The genotype of a creature: four traits of its looks (colour, coat, shine,
// two-tone), each a pair of alleles. Slot 0 of a pair is the allele that
// shows; slot 1 is carried and passes on to offspring.
//
// Breed is a plain value type, copyable on purpose: the creature hands out
// copies and breeding takes the parents' genotypes by value. It changes only
// when it is made and when validate() repairs it. Printing never indexes a
// name table out of range: an allele outside its table shows as the value
// validate() would give it.

#ifndef TUMBLENOOK_BREED_H_
#define TUMBLENOOK_BREED_H_

#include <fstream>
#include <iostream>
#include <string>

class Breed {
 public:
  // Pure-bred Two-Tone Normal: colour 0, coat 0, not shiny, two-tone.
  Breed();

  // Both alleles of each trait get the given value, so the result is
  // pure-bred. The values are stored unchecked until validate().
  Breed(int color, int coat, bool shine, bool twotone);

  // The given allele pairs, slot 0 first, e.g. Breed({2, 5}, {0, 0},
  // {false, false}, {true, true}). Stored unchecked until validate().
  Breed(const int (&color)[2], const int (&coat)[2], const bool (&shine)[2],
        const bool (&twotone)[2]);

  // A child of two genotypes. For each trait in the order colour, coat,
  // shine, two-tone, three draws: which parent gives slot 0, which of its
  // alleles, and which allele of the other parent goes to slot 1.
  Breed(Breed first, Breed second);

  // Reads the genotype section of a save record, four label words included,
  // then validates. A boolean other than 0 or 1 fails the stream; the caller
  // tests it.
  explicit Breed(std::istream& in);
  // The same, from a file stream.
  explicit Breed(std::ifstream& in);

  // Allele `i` of a trait.
  // REQUIRES: 0 <= i <= 1.
  int getColor(int i) const { return color[i]; }
  int getCoat(int i) const { return coat[i]; }
  bool getShine(int i) const { return shine[i]; }
  bool getTwotone(int i) const { return twotone[i]; }

  // Resets a colour outside 0 to 14 and a coat outside 0 to 17 to 0.
  void validate();

  // The appearance, from the alleles in slot 0: "Shiny " when shiny, then
  // the coat's name, or without a coat "Two-Tone " or "monotone " and the
  // colour's name.
  std::string getPhenotype() const;

  // Writes the appearance line to `out`.
  void printPhenotype(std::ostream& out = std::cout) const;

  // Writes the four allele pairs to `out`, one labelled line each.
  void printGenotype(std::ostream& out = std::cout) const;

  // True when both alleles agree in all four traits.
  bool isPure() const;

  // Validates, then writes the four labelled lines of the genotype section.
  void save(std::ostream& out);
  // The same, to a file stream.
  void save(std::ofstream& out);

 private:
  int color[2];
  int coat[2];
  bool shine[2];
  bool twotone[2];
};

// Writes the numbered list of every colour to `out`.
void printColors(std::ostream& out = std::cout);

// Writes the numbered list of every coat to `out`.
void printCoats(std::ostream& out = std::cout);

#endif  // TUMBLENOOK_BREED_H_
