#include "screen_words.h"

#include "names.h"

namespace {

constexpr char kArrow[] = " \u2192 ";

// `parts` joined with ", ", the empty ones left out.
std::string joined(const std::vector<std::string>& parts) {
  std::string text;
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    text += (text.empty() ? "" : ", ") + part;
  }
  return text;
}

// One skill's change, as "3 → 4" or "+6 exp", or "" when it did not change.
std::string skillChange(const Stat& was, const Stat& now) {
  if (was.getLevel() != now.getLevel()) {
    return std::to_string(was.getLevel()) + kArrow +
           std::to_string(now.getLevel());
  }
  if (was.getExperience() == now.getExperience()) return "";
  const int gained = now.getExperience() - was.getExperience();
  return (gained > 0 ? "+" : "") + std::to_string(gained) + " exp";
}

// One slider's move, as "Swim-Fly 3 → 4", or "" when it did not move.
std::string sliderChange(const char* name, int was, int now) {
  if (was == now) return "";
  return std::string(name) + " " + std::to_string(was) + kArrow +
         std::to_string(now);
}

}  // namespace

std::string emptySlotWords(const Garden& garden, int slot) {
  if (garden.emptySlot == 0) {
    return "The garden is empty: press h to hatch an egg";
  }
  return "Slot " + std::to_string(slot) + " is empty";
}

std::string petRefusalWords(const std::string& name, PetRefusal refusal) {
  return name +
         (refusal == PetRefusal::kEgg ? " is an egg"
                                      : " is no longer a child") +
         ": petting does nothing";
}

std::string notGrownWords(const std::string& name) {
  return name + " has not evolved yet: a mirl can be bred from " +
         std::to_string(kEvolveAge) + " hours";
}

std::string partnerRefusalWords(const Garden& garden, int partner,
                                BreedRefusal refusal) {
  switch (refusal) {
    case BreedRefusal::kSameCreature:
      return "A mirl cannot be bred with itself";
    case BreedRefusal::kNotInGarden:
      return "There is no mirl in slot " + std::to_string(partner);
    default:
      return garden.mirl[partner].getName() + " has not evolved yet";
  }
}

std::string tooLongForCodeWords(const std::string& name) {
  return name + "'s name is too long for a code: give it a shorter one";
}

std::string hatchedWords(int kind, int slot, const Mirl& egg) {
  return "A " + std::string(EGG_KINDS[kind - kNormalEgg].name) +
         " egg hatched in slot " + std::to_string(slot) + ": " +
         egg.getBreed().getPhenotype();
}

std::string namedWords(const std::string& was, const std::string& now) {
  return was + " is now called " + now;
}

std::string givenWords(const Mirl& before, const Mirl& creature,
                       const ItemCollection& items, int kind, int index) {
  const std::string item = itemLabel(items, kind, index);
  const std::string what = kind == kFood    ? "ate a " + item
                           : kind == kDrive ? "took a " + item + " Orvan Drive"
                                            : "played with a " + item;
  const std::string sliders = sliderChanges(before, creature);
  return creature.getName() + " " + what + ": " +
         levelChanges(before, creature) +
         (sliders.empty() ? "" : "; " + sliders);
}

std::string pettedWords(const Mirl& before, const Mirl& creature) {
  const std::string sliders = sliderChanges(before, creature);
  return creature.getName() + " was petted" +
         (sliders.empty() ? "" : ": " + sliders);
}

std::string bredWords(const Garden& garden, int first, int second, int slot) {
  return garden.mirl[first].getName() + " and " +
         garden.mirl[second].getName() + " had an egg in slot " +
         std::to_string(slot) + ": " +
         garden.mirl[slot].getBreed().getPhenotype();
}

std::string releasedWords(const std::string& name) {
  return name + " left the garden; its code will be kept in released-codes.txt";
}

std::string joinedWords(const Garden& garden, int slot) {
  return garden.mirl[slot].getName() + " joined the garden in slot " +
         std::to_string(slot) + "; no hour passed";
}

std::string levelChanges(const Mirl& before, const Mirl& after) {
  std::vector<std::string> changes;
  for (int skill = 0; skill < kSkillCount; ++skill) {
    const std::string change =
        skillChange(before.getSkill(static_cast<Skill>(skill)),
                    after.getSkill(static_cast<Skill>(skill)));
    if (!change.empty()) changes.push_back(SKILLS[skill] + (" " + change));
  }
  const std::string text = joined(changes);
  return text.empty() ? "no skill changed" : text;
}

std::string sliderChanges(const Mirl& before, const Mirl& after) {
  const Evolution was = before.getEvolution();
  const Evolution now = after.getEvolution();
  return joined(
      {sliderChange("Hero-Dark", was.getHeroDark(), now.getHeroDark()),
       sliderChange("Swim-Fly", was.getSwimFly(), now.getSwimFly()),
       sliderChange("Run-Power", was.getRunPower(), now.getRunPower())});
}

std::string eventWords(const Garden& garden,
                       const std::vector<AgeEvent>& events) {
  std::string words;
  for (const AgeEvent& event : events) {
    const std::string name = garden.mirl[event.slot].getName();
    if (event.kind == AgeEvent::Kind::kReincarnated) {
      words += ". " + name + " was reincarnated";
    } else {
      words +=
          ". " + name + " evolved into " + tableEntry(EVOLUTIONS, event.form);
    }
  }
  return words;
}

std::string nextChangeWords(int age, const std::string& in) {
  if (age < kEvolveAge) {
    return "evolves" + in + std::to_string(kEvolveAge - age) + "h";
  }
  if (age < kReincarnateAge) {
    return "reborn" + in + std::to_string(kReincarnateAge - age) + "h";
  }
  return "past " + std::to_string(kReincarnateAge) + "h, for good";
}

namespace {

constexpr const char* kShapeNames[kShapeCount] = {"Swim", "Fly", "Run",
                                                  "Power"};

}  // namespace

std::string headingWords(const EvolutionForecast& forecast) {
  const std::string alignment = alignmentName(forecast.alignment);
  switch (forecast.stage) {
    case LifeStage::kEvolving:
      return "at " + std::to_string(kEvolveAge) +
             "h: " + tableEntry(EVOLUTIONS, forecast.form);
    case LifeStage::kGrown:
      return "reborn in " + std::to_string(forecast.hoursLeft) + "h, keeps " +
             alignment;
    case LifeStage::kSettled:
      break;
  }
  return "stays as it is, " + alignment;
}

std::string reachWords(const ShapeOutlook& outlook) {
  const std::string shape =
      kShapeNames[static_cast<int>(outlook.shape)] + std::string(": ");
  if (outlook.steps == 0) return shape + "there now";
  std::string words = shape + std::to_string(outlook.steps) + " steps";
  if (!outlook.item) return words + ", no sure item";
  const ShapeItem& item = *outlook.item;
  words += ", " + item.name +
           (item.source == ItemSource::kDrive ? " drive" : "") + " x" +
           std::to_string(outlook.gifts);
  return outlook.inTime ? words : words + ", too late";
}
