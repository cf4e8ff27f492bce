#include "screen_words.h"

#include <algorithm>

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
         cleanLooks(egg.getBreed());
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
         std::to_string(slot) + ": " + cleanLooks(garden.mirl[slot].getBreed());
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

namespace {

// The three sliders, as the screen names them.
constexpr const char* kSliderNames[] = {"Hero-Dark", "Swim-Fly", "Run-Power"};

}  // namespace

std::string sliderChanges(const Mirl& before, const Mirl& after) {
  const Evolution was = before.getEvolution();
  const Evolution now = after.getEvolution();
  return joined(
      {sliderChange(kSliderNames[0], was.getHeroDark(), now.getHeroDark()),
       sliderChange(kSliderNames[1], was.getSwimFly(), now.getSwimFly()),
       sliderChange(kSliderNames[2], was.getRunPower(), now.getRunPower())});
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
      // The hours to rebirth stand on the line above.
      return "keeps " + alignment + " when reborn";
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

namespace {

// `text` without the blanks at its ends.
std::string trimmed(const std::string& text) {
  const std::string::size_type first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string cleanTableName(const char* const* table, int count, int index) {
  if (index < 0 || index >= count) index = 0;
  std::string name = trimmed(table[index]);
  for (int other = 0; other < count; ++other) {
    if (other != index && trimmed(table[other]) == name) {
      return name + " (" + std::to_string(index) + ")";
    }
  }
  return name;
}

std::string cleanLooks(const Breed& breed) {
  // The phenotype ends with the table entry it shows: a coat when there is
  // one, else the colour. Only that entry is put in its clean words.
  std::string looks = breed.getPhenotype();
  const int coat = breed.getCoat(0);
  const bool coated = coat != 0 && inTable(COATS, coat);
  const std::string raw =
      coated ? COATS[coat] : tableEntry(COLORS, breed.getColor(0));
  const std::string clean =
      coated ? cleanTableName(COATS, COAT_COUNT, coat)
             : cleanTableName(COLORS, COLOR_COUNT, breed.getColor(0));
  if (looks.size() >= raw.size() &&
      looks.compare(looks.size() - raw.size(), raw.size(), raw) == 0) {
    looks.replace(looks.size() - raw.size(), raw.size(), clean);
  }
  return looks;
}

namespace {

constexpr int kSkillColumns = 8;   // a skill's name, padded
constexpr int kAmountColumns = 8;  // an amount, right-aligned
constexpr int kSliderColumns = 11;

// The side each slider's negative end leans to, then its positive end.
constexpr const char* kSliderEnds[][2] = {
    {"Hero", "Dark"}, {"Swim", "Fly"}, {"Run", "Power"}};

std::string padRight(std::string text, std::size_t width) {
  if (text.size() < width) text.resize(width, ' ');
  return text;
}

std::string padLeft(const std::string& text, std::size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text
                             : text;
}

// An amount of experience with its sign: "+12", "0", "-3".
std::string signedAmount(int amount) {
  return (amount > 0 ? "+" : "") + std::to_string(amount);
}

int sliderOf(const SliderOutcome& outcome, int slider) {
  const int values[] = {outcome.heroDark, outcome.swimFly, outcome.runPower};
  return values[slider];
}

// The experience table: a bite (and a last bite, when it differs) and in
// all, a line a skill.
void addExperience(std::vector<std::string>& lines, const ItemEffect& effect) {
  const std::size_t bites = effect.bites.size();
  if (bites == 0) return;
  const StatItem& first = effect.bites.front();
  const StatItem& last = effect.bites.back();
  const bool several = bites > 1;
  if (several) {
    lines.push_back(std::to_string(bites) + " bites; experience:");
    lines.push_back(
        padRight("", kSkillColumns) + padLeft("a bite", kAmountColumns) +
        padLeft("last", kAmountColumns) + padLeft("in all", kAmountColumns));
  } else {
    lines.emplace_back("Experience:");
  }
  for (int skill = 0; skill < kSkillCount; ++skill) {
    const Skill at = static_cast<Skill>(skill);
    std::string line =
        padRight(SKILLS[skill], kSkillColumns) +
        padLeft(signedAmount(first.getAmount(at)), kAmountColumns);
    if (several) {
      line += padLeft(signedAmount(last.getAmount(at)), kAmountColumns) +
              padLeft(signedAmount(effect.total.getAmount(at)), kAmountColumns);
    }
    lines.push_back(line);
  }
}

// Which way and how far the item pushes, in words.
std::string pushWords(const ItemEffect& effect) {
  const std::string by = " by " + std::to_string(effect.step) +
                         (effect.doubled ? " (doubled: a Child)" : "");
  if (effect.randomDirection) {
    return std::string(ITEM_COLORS[effect.colour]) +
           ": one slider toward Swim, Fly, Run or Power, at random," + by;
  }
  const SliderOutcome& after = effect.after.front();
  for (int slider = 1; slider < 3; ++slider) {
    const int was = sliderOf(effect.before, slider);
    const int now = sliderOf(after, slider);
    if (was == now) continue;
    return std::string(ITEM_COLORS[effect.colour]) + ": " +
           kSliderNames[slider] + " toward " +
           kSliderEnds[slider][now > was ? 1 : 0] + by;
  }
  return "It moves no shape slider";
}

// One slider's line after the item: "Swim-Fly   3 → 1", or "3 → 1 or 5"
// when the direction is drawn at random.
std::string sliderLine(const ItemEffect& effect, int slider) {
  const int was = sliderOf(effect.before, slider);
  std::vector<std::string> values;
  for (const SliderOutcome& outcome : effect.after) {
    const int now = sliderOf(outcome, slider);
    const std::string value = std::to_string(now);
    if (now != was &&
        std::find(values.begin(), values.end(), value) == values.end()) {
      values.push_back(value);
    }
  }
  std::string line =
      padRight(kSliderNames[slider], kSliderColumns) + std::to_string(was);
  if (values.empty()) return line;
  line += kArrow;
  for (std::size_t at = 0; at < values.size(); ++at) {
    line += (at == 0 ? "" : " or ") + values[at];
  }
  return line;
}

// The forms the sliders after the item would pick, as "Swim/Neutral" or
// "Swim/Neutral or Normal/Neutral".
std::string formsAfter(const ItemEffect& effect) {
  std::vector<std::string> forms;
  for (const SliderOutcome& outcome : effect.after) {
    const std::string form = tableEntry(EVOLUTIONS, outcome.form);
    if (std::find(forms.begin(), forms.end(), form) == forms.end()) {
      forms.push_back(form);
    }
  }
  std::string words;
  for (const std::string& form : forms) {
    words += (words.empty() ? "" : " or ") + form;
  }
  return words;
}

}  // namespace

std::vector<std::string> itemEffectLines(const ItemEffect& effect, int age) {
  std::vector<std::string> lines;
  addExperience(lines, effect);
  lines.emplace_back("");
  const SliderOutcome& now = effect.before;
  const SliderOutcome& after = effect.after.front();
  const bool still =
      effect.after.size() == 1 && after.heroDark == now.heroDark &&
      after.swimFly == now.swimFly && after.runPower == now.runPower;
  if (effect.colour == 0 && still) {
    lines.emplace_back("It moves no slider");
    return lines;
  }
  lines.push_back(pushWords(effect));
  for (int slider = 0; slider < 3; ++slider) {
    lines.push_back(sliderLine(effect, slider));
  }
  if (age < kEvolveAge) {
    lines.push_back("Form at " + std::to_string(kEvolveAge) +
                    "h: " + formsAfter(effect));
  }
  return lines;
}
