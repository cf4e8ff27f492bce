#include "mirl.h"

#include <iostream>
#include <utility>

#include "saturating.h"

namespace {

constexpr char kUnnamed[] = "_";
constexpr int kFirstAdultForm = 5;
constexpr int kFormsPerFamily = 3;

// Families of adult forms, in EVOLUTIONS order.
enum Family { kNormal, kSwim, kFly, kRun, kPower };

// Save records label every value; the labels are read and never compared,
// so a hand-edited file may word them as it likes.
std::ifstream& skipLabel(std::ifstream& in) {
  std::string label;
  in >> label;
  return in;
}

std::string readLabelledWord(std::ifstream& in) {
  std::string word;
  skipLabel(in) >> word;
  return word;
}

int readLabelledNumber(std::ifstream& in) {
  int number = 0;
  skipLabel(in) >> number;
  return number;
}

}  // namespace

Mirl::Mirl() : name(kUnnamed), age(0), reincarnations(0) {}

Mirl::Mirl(int color, int coat, bool shine, bool twotone)
    : name(kUnnamed),
      age(0),
      reincarnations(0),
      breed(color, coat, shine, twotone) {}

Mirl::Mirl(Mirl first, Mirl second)
    : name(kUnnamed),
      age(0),
      reincarnations(0),
      swim(first.getSwim(), second.getSwim()),
      run(first.getRun(), second.getRun()),
      power(first.getPower(), second.getPower()),
      fly(first.getFly(), second.getFly()),
      stamina(first.getStamina(), second.getStamina()),
      breed(first.getBreed(), second.getBreed()) {}

// Members are built in declaration order, which is the record's order.
Mirl::Mirl(std::ifstream& in)
    : name(readLabelledWord(in)),
      age(readLabelledNumber(in)),
      reincarnations(readLabelledNumber(in)),
      swim(skipLabel(in)),
      run(skipLabel(in)),
      power(skipLabel(in)),
      fly(skipLabel(in)),
      stamina(skipLabel(in)),
      evolution(skipLabel(in)),
      breed(in) {
  validate();
}

void Mirl::evolve() {
  evolution.evolve();
  switch ((evolution.getEvolution() - kFirstAdultForm) / kFormsPerFamily) {
    case kNormal:
      stamina.rankUp();
      break;
    case kSwim:
      swim.rankUp();
      break;
    case kFly:
      fly.rankUp();
      break;
    case kRun:
      run.rankUp();
      break;
    case kPower:
      power.rankUp();
      break;
    default:
      break;
  }
}

void Mirl::reincarnate() {
  age = 0;
  reincarnations = saturatingAdd(reincarnations, 1);
  swim.reincarnate();
  run.reincarnate();
  power.reincarnate();
  fly.reincarnate();
  stamina.reincarnate();
  evolution.reincarnate();
  std::cout << name << " reincarnated" << std::endl;
}

void Mirl::setName(std::string newName) { name = std::move(newName); }

void Mirl::increaseAge() { age = saturatingAdd(age, 1); }

void Mirl::printStats() const {
  std::cout << "Swim: ";
  swim.print();
  std::cout << "Run: ";
  run.print();
  std::cout << "Power: ";
  power.print();
  std::cout << "Fly: ";
  fly.print();
  std::cout << "Stamina: ";
  stamina.print();
}

void Mirl::pet(int alignment) { evolution.pet(alignment); }

void Mirl::giveFruit(Fruit fruit) {
  while (fruit.getBitesLeft() > 0) {
    giveStatItem(fruit.getStats());
    fruit.takeABite();
  }
}

void Mirl::giveStatItem(StatItem item) {
  swim.experienceBoost(item.getSwim());
  run.experienceBoost(item.getRun());
  power.experienceBoost(item.getPower());
  fly.experienceBoost(item.getFly());
  stamina.experienceBoost(item.getStamina());
}

void Mirl::giveEvolutionItem(EvolutionItem item) {
  evolution.giveEvolutionItem(item);
}

void Mirl::validate() {
  if (name.empty() || name == " ") name = kUnnamed;
  if (age < 0) age = 0;
  if (reincarnations < 0) reincarnations = 0;
}

// Records end their lines with '\n', not std::endl: the garden is written to
// a temporary file that is flushed and synced once before it replaces the old
// one, so a flush per line would only add a system call per line.
void Mirl::save(std::ofstream& out) {
  validate();
  out << "Name: " << name << '\n';
  out << "Age: " << age << '\n';
  out << "Reincarnation: " << reincarnations << '\n';
  out << "Swim: ";
  swim.save(out);
  out << "Run: ";
  run.save(out);
  out << "Power: ";
  power.save(out);
  out << "Fly: ";
  fly.save(out);
  out << "Stamina: ";
  stamina.save(out);
  out << "Evolution: ";
  evolution.save(out);
  breed.save(out);
}
