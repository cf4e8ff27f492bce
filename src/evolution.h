// The evolution state of a creature: its current form, an index into
// EVOLUTIONS, and three sliders: Hero against Dark (the alignment), Swim
// against Fly and Run against Power (the shape). Items and petting move the
// sliders; evolve() reads them and picks the adult form. The rule it picks
// by, adultForm(), is public so that a forecast reads the same rule.
//
// Evolution is a plain value type, copyable on purpose: the creature hands
// out copies for display. Sliders belong in -50 to 50 and the form in 0 to
// 25, but only validate() enforces that: between two validations a slider
// may lie outside, and every operation works on its current value. No
// operation indexes EVOLUTIONS with a form outside the table.

#ifndef TUMBLENOOK_EVOLUTION_H_
#define TUMBLENOOK_EVOLUTION_H_

#include <fstream>
#include <iostream>
#include <string>

#include "items.h"

// A slider must lie beyond this value on one of its sides to count: for the
// alignment, below -kSliderLeaning is Hero and above it Dark; for a shape,
// see adultForm().
inline constexpr int kSliderLeaning = 25;

// The offset of a Hero (1) or Dark (2) form from its family's first, Neutral
// (0), form, by the alignment slider: -25 to 25 are Neutral.
int alignmentOffset(int heroDark);

// The item colours (ITEM_COLORS) that push one shape slider each: Yellow
// toward Swim, Green toward Fly, Red toward Run, Purple toward Power. A
// colour after them pushes toward one of the four, drawn at each gift.
inline constexpr int kFirstShapeColour = 1;
inline constexpr int kShapeColours = 4;

// True when an item of `color` draws the way it pushes at each gift.
inline constexpr bool pushesAtRandom(int color) {
  return color >= kFirstShapeColour + kShapeColours;
}

// The steps an item of `strength` pushes a shape slider of a creature in
// `form`: twice its strength for a Child.
inline constexpr long long shapeSteps(int strength, int form) {
  return (form == kChildForm ? 2LL : 1LL) * strength;
}

// The adult form, 5 to 19, that evolve() picks from these slider values. A
// shape (Swim below 0 and Fly above 0 on swimFly, Run below 0 and Power above
// 0 on runPower) wins when its slider lies beyond 25 on its side and the
// other shape slider is strictly smaller in magnitude; otherwise, equal
// magnitudes included, the family is Normal. The alignment offset follows
// heroDark. Any int is a valid slider value.
int adultForm(int heroDark, int swimFly, int runPower);

class Evolution {
 public:
  // An egg (form 1) with all sliders at 0.
  Evolution();

  // Reads the four numbers of a save record's evolution section (form and
  // the three sliders), then validates. The caller tests the stream.
  explicit Evolution(std::istream& in);
  // The same, from a file stream.
  explicit Evolution(std::ifstream& in);

  // The form index.
  int getEvolution() const { return form; }
  // The name of the form; a form outside the table shows entry 0.
  std::string getEvolutionText() const;
  int getHeroDark() const { return heroDark; }
  int getSwimFly() const { return swimFly; }
  int getRunPower() const { return runPower; }

  // Picks the adult form (5 to 19) from the sliders by adultForm() and resets
  // the shape sliders. The alignment slider keeps its value.
  void evolve();

  // Back to the egg form; the shape sliders go to 0, the alignment stays.
  void reincarnate();

  // Form 2, the only form in which alignment moves.
  void hatch();

  // Moves a shape slider by the item's colour and strength; in form 2 the
  // item's alignment moves Hero-Dark too and the strength counts double.
  // Colours 5 and above pick a direction at random (one draw).
  void giveEvolutionItem(EvolutionItem item);

  // In form 2 only: 0 draws Hero-Dark one step toward neutral; any other
  // number is added to it as it is.
  void pet(int alignment);

  // An 11-character bar for `value` with its marker ("+", or "O" in the
  // middle). Values past about 55 either way show no marker.
  std::string sliderBar(int value) const;

  // Writes sliderBar(value) to `out`, no line end.
  void printSlider(int value, std::ostream& out = std::cout) const;

  // Writes the three sliders to `out`, one labelled line each.
  void printSliders(std::ostream& out = std::cout) const;

  // `value` clamped to -50 to 50.
  int validateSlider(int value) const;

  // A form outside 0 to 25 becomes 0; the sliders are clamped.
  void validate();

  // Validates, then writes the four numbers of the evolution section.
  void save(std::ostream& out);
  // The same, to a file stream.
  void save(std::ofstream& out);

 private:
  int form;
  int heroDark;
  int swimFly;
  int runPower;
};

#endif  // TUMBLENOOK_EVOLUTION_H_
