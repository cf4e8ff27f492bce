#include "mirl.h"

#include <cstddef>
#include <iostream>
#include <utility>

#include "safe_text.h"
#include "saturating.h"

namespace {

constexpr char kUnnamed[] = "_";

// The skill whose rank evolving into a family raises.
struct FamilySkill {
  Form firstForm;
  Skill skill;
};
constexpr FamilySkill kFamilySkills[] = {{kNormalForms, kStamina},
                                         {kSwimForms, kSwim},
                                         {kFlyForms, kFly},
                                         {kRunForms, kRun},
                                         {kPowerForms, kPower}};

// The five skills, each made by `make(skill)` in skill order. The elements
// of a braced list are made left to right, so random draws and reads from a
// stream happen in skill order too.
template <typename Make, std::size_t... Index>
std::array<Stat, kSkillCount> makeSkills(
    Make make, std::index_sequence<Index...> /*skills*/) {
  return {make(static_cast<Skill>(Index))...};
}

template <typename Make>
std::array<Stat, kSkillCount> makeSkills(Make make) {
  return makeSkills(make, std::make_index_sequence<kSkillCount>());
}

// Save records label every value; the labels are read and never compared,
// so a hand-edited file may word them as it likes.
std::istream& skipLabel(std::istream& in) {
  std::string label;
  in >> label;
  return in;
}

std::string readLabelledWord(std::istream& in) {
  std::string word;
  skipLabel(in) >> word;
  return word;
}

int readLabelledNumber(std::istream& in) {
  int number = 0;
  skipLabel(in) >> number;
  return number;
}

}  // namespace

// The default-constructed skills draw their ranks in skill order.
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
      skills(makeSkills([&first, &second](Skill skill) {
        return Stat(first.getSkill(skill), second.getSkill(skill));
      })),
      breed(first.getBreed(), second.getBreed()) {}

// Members are built in declaration order, which is the record's order.
Mirl::Mirl(std::ifstream& in) : Mirl(static_cast<std::istream&>(in)) {}

Mirl::Mirl(std::istream& in)
    : name(readLabelledWord(in)),
      age(readLabelledNumber(in)),
      reincarnations(readLabelledNumber(in)),
      skills(makeSkills([&in](Skill) { return Stat(skipLabel(in)); })),
      evolution(skipLabel(in)),
      breed(in) {
  validate();
}

void Mirl::evolve() {
  evolution.evolve();
  const int form = evolution.getEvolution();
  for (const FamilySkill& family : kFamilySkills) {
    if (form >= family.firstForm && form < family.firstForm + kFormsPerFamily) {
      skills[family.skill].rankUp();
    }
  }
}

void Mirl::reincarnate() {
  age = 0;
  reincarnations = saturatingAdd(reincarnations, 1);
  for (Stat& skill : skills) skill.reincarnate();
  evolution.reincarnate();
}

void Mirl::setName(std::string newName) { name = std::move(newName); }

void Mirl::increaseAge() { age = saturatingAdd(age, 1); }

void Mirl::printStats(std::ostream& out) const {
  for (int skill = 0; skill < kSkillCount; ++skill) {
    out << SKILLS[skill] << ": ";
    skills[skill].print(out);
  }
}

void Mirl::pet(int alignment) { evolution.pet(alignment); }

void Mirl::giveFruit(Fruit fruit) {
  while (fruit.getBitesLeft() > 0) {
    giveStatItem(fruit.getStats());
    fruit.takeABite();
  }
}

void Mirl::giveStatItem(StatItem item) {
  for (int skill = 0; skill < kSkillCount; ++skill) {
    skills[skill].experienceBoost(item.getAmount(static_cast<Skill>(skill)));
  }
}

void Mirl::giveEvolutionItem(EvolutionItem item) {
  evolution.giveEvolutionItem(item);
}

void Mirl::validate() {
  if (makeSafe(name)) nameRepaired = true;
  if (name.empty() || name == " ") name = kUnnamed;
  if (age < 0) age = 0;
  if (reincarnations < 0) reincarnations = 0;
}

// Records end their lines with '\n', not std::endl: the garden is written to
// a temporary file that is flushed and synced once before it replaces the old
// one, so a flush per line would only add a system call per line.
void Mirl::save(std::ofstream& out) { save(static_cast<std::ostream&>(out)); }

void Mirl::save(std::ostream& out) {
  validate();
  out << "Name: " << name << '\n';
  out << "Age: " << age << '\n';
  out << "Reincarnation: " << reincarnations << '\n';
  for (int skill = 0; skill < kSkillCount; ++skill) {
    out << SKILLS[skill] << ": ";
    skills[skill].save(out);
  }
  out << "Evolution: ";
  evolution.save(out);
  breed.save(out);
}
