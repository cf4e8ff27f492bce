#include "breed.h"

#include <cstdlib>
#include <iostream>
#include <string>

#include "names.h"

namespace {

// One trait of a child: a random parent gives a random allele to slot 0, the
// other parent a random allele to slot 1.
template <typename T>
void inherit(T (&child)[2], const T (&first)[2], const T (&second)[2]) {
  const T* parents[2] = {first, second};
  const int giver = std::rand() % 2;
  child[0] = parents[giver][std::rand() % 2];
  child[1] = parents[(giver + 1) % 2][std::rand() % 2];
}

template <std::size_t N>
void printTable(std::ostream& out, const char* const (&table)[N]) {
  for (std::size_t i = 0; i < N; ++i) {
    out << i << ") " << table[i] << std::endl;
  }
}

// What validate() leaves of an allele.
int validColor(int color) { return inTable(COLORS, color) ? color : 0; }
int validCoat(int coat) { return inTable(COATS, coat) ? coat : 0; }

}  // namespace

Breed::Breed() : Breed(0, 0, false, true) {}

Breed::Breed(int color, int coat, bool shine, bool twotone)
    : color{color, color},
      coat{coat, coat},
      shine{shine, shine},
      twotone{twotone, twotone} {}

Breed::Breed(const int (&color)[2], const int (&coat)[2],
             const bool (&shine)[2], const bool (&twotone)[2])
    : color{color[0], color[1]},
      coat{coat[0], coat[1]},
      shine{shine[0], shine[1]},
      twotone{twotone[0], twotone[1]} {}

Breed::Breed(Breed first, Breed second) : color{}, coat{}, shine{}, twotone{} {
  inherit(color, first.color, second.color);
  inherit(coat, first.coat, second.coat);
  inherit(shine, first.shine, second.shine);
  inherit(twotone, first.twotone, second.twotone);
}

Breed::Breed(std::ifstream& in) : Breed(static_cast<std::istream&>(in)) {}

Breed::Breed(std::istream& in)
    : color{0, 0}, coat{0, 0}, shine{false, false}, twotone{false, false} {
  std::string label;
  in >> label >> color[0] >> color[1];
  in >> label >> coat[0] >> coat[1];
  in >> label >> shine[0] >> shine[1];
  in >> label >> twotone[0] >> twotone[1];
  validate();
}

void Breed::validate() {
  // A bool can only hold false or true, and stream input refuses any other
  // number, so the booleans need no repair.
  for (int slot = 0; slot < 2; ++slot) {
    color[slot] = validColor(color[slot]);
    coat[slot] = validCoat(coat[slot]);
  }
}

std::string Breed::getPhenotype() const {
  std::string looks = shine[0] ? "Shiny " : "";
  const int shownCoat = validCoat(coat[0]);
  if (shownCoat != 0) return looks + COATS[shownCoat];
  return looks + (twotone[0] ? "Two-Tone " : "monotone ") +
         COLORS[validColor(color[0])];
}

void Breed::printPhenotype(std::ostream& out) const {
  out << getPhenotype() << std::endl;
}

void Breed::printGenotype(std::ostream& out) const {
  out << "Color: " << COLORS[validColor(color[0])] << ' '
      << COLORS[validColor(color[1])] << std::endl;
  out << "Coat: " << COATS[validCoat(coat[0])] << ' '
      << COATS[validCoat(coat[1])] << std::endl;
  out << "Shine: " << shine[0] << ' ' << shine[1] << std::endl;
  out << "Two-Tone: " << twotone[0] << ' ' << twotone[1] << std::endl;
}

bool Breed::isPure() const {
  return color[0] == color[1] && coat[0] == coat[1] && shine[0] == shine[1] &&
         twotone[0] == twotone[1];
}

void Breed::save(std::ofstream& out) { save(static_cast<std::ostream&>(out)); }

void Breed::save(std::ostream& out) {
  validate();
  out << "Color: " << color[0] << ' ' << color[1] << '\n';
  out << "Coat: " << coat[0] << ' ' << coat[1] << '\n';
  out << "Shine: " << shine[0] << ' ' << shine[1] << '\n';
  out << "Two-tone: " << twotone[0] << ' ' << twotone[1] << '\n';
}

void printColors(std::ostream& out) { printTable(out, COLORS); }

void printCoats(std::ostream& out) { printTable(out, COATS); }
