#include "evolution.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>

#include "names.h"
#include "saturating.h"

namespace {

constexpr int kSliderLimit = 50;

// Offsets of the Hero and Dark forms from their family's first form.
constexpr int kHeroOffset = 1;
constexpr int kDarkOffset = 2;

// Item colours, as numbered in ITEM_COLORS.
constexpr int kYellow = kFirstShapeColour;  // toward Swim
constexpr int kGreen = kYellow + 1;         // toward Fly
constexpr int kRed = kYellow + 2;           // toward Run
constexpr int kPurple = kYellow + 3;        // toward Power

constexpr int kSliderCells = 11;
constexpr int kMiddleCell = 5;
constexpr int kValuesPerCell = 10;

// The first form of the family that the shape sliders pick. A shape wins
// when its slider passes 25 on its side and the other shape slider is
// strictly smaller in magnitude. Sums are taken in long long, as the sliders
// may hold any int until they are validated.
int family(long long s, long long r) {
  if (s < -kSliderLeaning && s < r && r < -s) return kSwimForms;
  if (r < -kSliderLeaning && r < s && s < -r) return kRunForms;
  if (r > kSliderLeaning && -r < s && s < r) return kPowerForms;
  if (s > kSliderLeaning && -s < r && r < s) return kFlyForms;
  return kNormalForms;
}

}  // namespace

int alignmentOffset(int heroDark) {
  if (heroDark < -kSliderLeaning) return kHeroOffset;
  if (heroDark > kSliderLeaning) return kDarkOffset;
  return 0;
}

int adultForm(int heroDark, int swimFly, int runPower) {
  return family(swimFly, runPower) + alignmentOffset(heroDark);
}

Evolution::Evolution() : form(kEggForm), heroDark(0), swimFly(0), runPower(0) {}

Evolution::Evolution(std::ifstream& in)
    : Evolution(static_cast<std::istream&>(in)) {}

Evolution::Evolution(std::istream& in)
    : form(0), heroDark(0), swimFly(0), runPower(0) {
  in >> form >> heroDark >> swimFly >> runPower;
  validate();
}

std::string Evolution::getEvolutionText() const {
  return tableEntry(EVOLUTIONS, form);
}

void Evolution::evolve() {
  form = adultForm(heroDark, swimFly, runPower);
  swimFly = 0;
  runPower = 0;
}

void Evolution::reincarnate() {
  form = kEggForm;
  swimFly = 0;
  runPower = 0;
}

void Evolution::hatch() { form = kChildForm; }

void Evolution::giveEvolutionItem(EvolutionItem item) {
  const long long step = shapeSteps(item.getStrength(), form);
  if (form == kChildForm) {
    // The product is clamped first so that doubling it cannot overflow.
    const int push = saturate(static_cast<long long>(item.getAlignment()) *
                              item.getStrength());
    heroDark = saturatingAdd(heroDark, 2LL * push);
  }
  int color = item.getColor();
  if (pushesAtRandom(color)) {
    color = kFirstShapeColour + std::rand() % kShapeColours;
  }
  switch (color) {
    case kYellow:
      swimFly = saturatingAdd(swimFly, -step);
      break;
    case kGreen:
      swimFly = saturatingAdd(swimFly, step);
      break;
    case kRed:
      runPower = saturatingAdd(runPower, -step);
      break;
    case kPurple:
      runPower = saturatingAdd(runPower, step);
      break;
    default:  // colour 0 or below moves no shape slider
      break;
  }
}

void Evolution::pet(int alignment) {
  if (form != kChildForm) return;
  if (alignment == 0 && heroDark > 0) {
    heroDark -= 1;
  } else if (alignment == 0 && heroDark < 0) {
    heroDark = validateSlider(heroDark + 1);
  } else {
    heroDark = saturatingAdd(heroDark, alignment);
  }
}

std::string Evolution::sliderBar(int value) const {
  const long long column =
      (static_cast<long long>(value) + kSliderLimit) / kValuesPerCell;
  std::string bar;
  for (int cell = 0; cell < kSliderCells; ++cell) {
    if (cell == kMiddleCell) {
      bar += column == kMiddleCell ? 'O' : 'o';
    } else {
      bar += cell == column ? '+' : '=';
    }
  }
  return bar;
}

void Evolution::printSlider(int value, std::ostream& out) const {
  out << sliderBar(value);
}

void Evolution::printSliders(std::ostream& out) const {
  out << "Hero\t<";
  printSlider(heroDark, out);
  out << ">\tDark" << std::endl;
  out << "Swim\t<";
  printSlider(swimFly, out);
  out << ">\tFly" << std::endl;
  out << "Run\t<";
  printSlider(runPower, out);
  out << ">\tPower" << std::endl;
}

int Evolution::validateSlider(int value) const {
  return std::clamp(value, -kSliderLimit, kSliderLimit);
}

void Evolution::validate() {
  if (!inTable(EVOLUTIONS, form)) form = 0;
  heroDark = validateSlider(heroDark);
  swimFly = validateSlider(swimFly);
  runPower = validateSlider(runPower);
}

void Evolution::save(std::ofstream& out) {
  save(static_cast<std::ostream&>(out));
}

void Evolution::save(std::ostream& out) {
  validate();
  out << form << ' ' << heroDark << ' ' << swimFly << ' ' << runPower << '\n';
}
