#include "screen.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <cwchar>
#include <cwctype>
#include <memory>

#include "actions.h"
#include "breed.h"
#include "garden.h"
#include "names.h"
#include "safe_text.h"
#include "screen_view.h"
#include "terminal.h"

namespace {

constexpr wchar_t kEscape = 27;
constexpr wchar_t kDelete = 127;
constexpr wchar_t kBackspaceControl = 8;
constexpr wchar_t kReturn = '\r';
constexpr wchar_t kNewline = '\n';
constexpr std::size_t kMaxFieldBytes = 4096;  // far past any code's length
constexpr int kMaxTypedDigits = 4;

// What a key did: the screen goes on, or the player leaves.
enum class Outcome { kGoOn, kLeave };

// The screen's game: its state and what each key does to it.
class ScreenGame {
 public:
  explicit ScreenGame(Garden& garden) : garden_(garden) {}

  std::vector<std::string> released;  // codes of released creatures

  // Acts on one key; kLeave when the player leaves with q.
  Outcome onKey(const Key& key);

  const ScreenState& state() const { return state_; }

 private:
  Outcome onTopKey(const Key& key);
  void onPickerKey(const Key& key);
  void onFieldKey(const Key& key);
  void onReleaseKey(const Key& key);
  void picked(int number);

  void select(int slot);
  void moveSelection(int code);
  void openPicker(Dialog dialog, std::string title,
                  std::vector<ListEntry> entries, int highlighted = 0);
  void close(std::string answer);

  void startHatch();
  void startName();
  void startGive();
  void startPet();
  void startBreed();
  void startRelease();
  void startImport();

  void hatch(int gene);
  void name();
  void give(int index);
  void pet(int alignment);
  void breedWith(int partner);
  void importCode();

  // Runs the age tick after a completed action and adds what it brought
  // (evolutions, reincarnations) to `answer`.
  void passHour(std::string answer);

  // The name of the creature in `slot`.
  std::string nameIn(int slot) const { return garden_.mirl[slot].getName(); }

  Garden& garden_;
  ScreenState state_;
};

bool isKey(const Key& key, wchar_t character) {
  return key.kind == KeyKind::kCharacter && key.character == character;
}

bool isEnter(const Key& key) {
  return isKey(key, kReturn) || isKey(key, kNewline) ||
         (key.kind == KeyKind::kKey && key.code == keyEnter());
}

bool isBackspace(const Key& key) {
  return isKey(key, kDelete) || isKey(key, kBackspaceControl) ||
         (key.kind == KeyKind::kKey && key.code == keyBackspace());
}

// The typed character `character` as UTF-8, or empty when it has none.
std::string utf8Of(wchar_t character) {
  std::array<char, MB_LEN_MAX> bytes{};
  std::mbstate_t state{};
  const std::size_t length = std::wcrtomb(bytes.data(), character, &state);
  if (length == static_cast<std::size_t>(-1)) return "";
  return std::string(bytes.data(), length);
}

// Drops the last character of UTF-8 text.
void eraseLastCharacter(std::string& text) {
  while (!text.empty()) {
    const auto byte = static_cast<unsigned char>(text.back());
    text.pop_back();
    if ((byte & 0xC0) != 0x80) return;  // not a continuation byte
  }
}

std::string levelChanges(const Mirl& before, const Mirl& after) {
  std::string changes;
  for (int skill = 0; skill < kSkillCount; ++skill) {
    const Stat was = before.getSkill(static_cast<Skill>(skill));
    const Stat now = after.getSkill(static_cast<Skill>(skill));
    std::string change;
    if (was.getLevel() != now.getLevel()) {
      change = std::to_string(was.getLevel()) + " \u2192 " +
               std::to_string(now.getLevel());
    } else if (was.getExperience() != now.getExperience()) {
      const int gained = now.getExperience() - was.getExperience();
      change = (gained > 0 ? "+" : "") + std::to_string(gained) + " exp";
    }
    if (change.empty()) continue;
    changes += (changes.empty() ? "" : ", ") + std::string(SKILLS[skill]) +
               " " + change;
  }
  return changes.empty() ? "no skill changed" : changes;
}

// One slider's move, as "Swim-Fly 3 → 4", or "" when it did not move.
std::string sliderChange(const char* name, int was, int now) {
  if (was == now) return "";
  return std::string(name) + " " + std::to_string(was) + " \u2192 " +
         std::to_string(now);
}

std::string sliderChanges(const Mirl& before, const Mirl& after) {
  const Evolution was = before.getEvolution();
  const Evolution now = after.getEvolution();
  std::string changes;
  for (const std::string& change :
       {sliderChange("Hero-Dark", was.getHeroDark(), now.getHeroDark()),
        sliderChange("Swim-Fly", was.getSwimFly(), now.getSwimFly()),
        sliderChange("Run-Power", was.getRunPower(), now.getRunPower())}) {
    if (change.empty()) continue;
    changes += (changes.empty() ? "" : ", ") + change;
  }
  return changes;
}

std::vector<ListEntry> tableEntries(const char* const* table, int count) {
  std::vector<ListEntry> entries;
  entries.reserve(count);
  for (int at = 0; at < count; ++at) entries.push_back({at, table[at]});
  return entries;
}

std::vector<ListEntry> creatureEntries(const Garden& garden) {
  std::vector<ListEntry> entries;
  entries.reserve(garden.emptySlot);
  for (int slot = 0; slot < garden.emptySlot; ++slot) {
    const Mirl& creature = garden.mirl[slot];
    entries.push_back({slot, creature.getName() + ", " +
                                 creature.getEvolution().getEvolutionText()});
  }
  return entries;
}

}  // namespace

Outcome ScreenGame::onKey(const Key& key) {
  switch (state_.dialog) {
    case Dialog::kNone:
      return onTopKey(key);
    case Dialog::kHelp:
      close("");
      return Outcome::kGoOn;
    case Dialog::kName:
    case Dialog::kImport:
      onFieldKey(key);
      return Outcome::kGoOn;
    case Dialog::kRelease:
      onReleaseKey(key);
      return Outcome::kGoOn;
    default:
      onPickerKey(key);
      return Outcome::kGoOn;
  }
}

Outcome ScreenGame::onTopKey(const Key& key) {
  if (key.kind == KeyKind::kKey) {
    if (isEnter(key)) {
      state_.answer = "Enter alone does nothing here: press a key of an action";
    } else {
      moveSelection(key.code);
    }
    return Outcome::kGoOn;
  }
  const wchar_t typed = key.character;
  if (typed >= '0' && typed < '0' + CAPACITY) {
    select(typed - '0');
    return Outcome::kGoOn;
  }
  switch (typed) {
    case 'q':
      return Outcome::kLeave;
    case 'h':
      startHatch();
      break;
    case 'n':
      startName();
      break;
    case 'g':
      startGive();
      break;
    case 'p':
      startPet();
      break;
    case 'b':
      startBreed();
      break;
    case 'r':
      startRelease();
      break;
    case 'i':
      startImport();
      break;
    case '?':
      state_.dialog = Dialog::kHelp;
      state_.answer = "";
      break;
    case kReturn:
    case kNewline:
      state_.answer = "Enter alone does nothing here: press a key of an action";
      break;
    default:
      state_.answer = "That key does nothing here; ? shows the keys";
      break;
  }
  return Outcome::kGoOn;
}

void ScreenGame::select(int slot) {
  if (!garden_.isOccupied(slot)) {
    state_.answer = garden_.emptySlot == 0
                        ? "The garden is empty: press h to hatch an egg"
                        : "Slot " + std::to_string(slot) + " is empty";
    return;
  }
  state_.selected = slot;
  state_.answer = "";
}

// The arrows move through the garden's boxes: left and right between its
// two columns, up and down between its rows.
void ScreenGame::moveSelection(int code) {
  int slot = state_.selected;
  if (code == keyUp()) slot -= 2;
  if (code == keyDown()) slot += 2;
  if (code == keyLeft()) slot -= 1;
  if (code == keyRight()) slot += 1;
  if (slot == state_.selected) {
    state_.answer = "That key does nothing here; ? shows the keys";
    return;
  }
  if (garden_.isOccupied(slot)) {
    state_.selected = slot;
    state_.answer = "";
  } else {
    state_.answer = "No mirl that way";
  }
}

void ScreenGame::openPicker(Dialog dialog, std::string title,
                            std::vector<ListEntry> entries, int highlighted) {
  state_.dialog = dialog;
  state_.picker = Picker{std::move(title), std::move(entries), highlighted, ""};
  state_.note = "";
  state_.answer = "";
}

void ScreenGame::close(std::string answer) {
  state_.dialog = Dialog::kNone;
  state_.items.reset();
  state_.field.clear();
  state_.note.clear();
  state_.answer = std::move(answer);
}

void ScreenGame::onPickerKey(const Key& key) {
  Picker& picker = state_.picker;
  const int count = static_cast<int>(picker.entries.size());
  if (isKey(key, kEscape)) return close("Cancelled; no hour passed");
  if (isEnter(key)) {
    if (picker.typed.empty()) {
      if (count > 0) picked(picker.entries[picker.highlighted].number);
      return;
    }
    // At most a minus and a few digits were typed: no number overflows, and
    // a lone minus is no number on any list.
    const bool lone = picker.typed == "-";
    const int number = lone ? INT_MIN : std::atoi(picker.typed.c_str());
    picker.typed.clear();
    const auto found = std::find_if(
        picker.entries.begin(), picker.entries.end(),
        [number](const ListEntry& e) { return e.number == number; });
    if (found == picker.entries.end()) {
      state_.note = lone ? "Type a number from the list"
                         : std::to_string(number) + " is not on the list";
      return;
    }
    return picked(number);
  }
  if (isBackspace(key)) {
    eraseLastCharacter(picker.typed);
    return;
  }
  if (key.kind == KeyKind::kCharacter) {
    const wchar_t typed = key.character;
    const bool digit = typed >= '0' && typed <= '9';
    const bool minus = typed == '-' && picker.typed.empty();
    if ((digit || minus) && picker.typed.size() < kMaxTypedDigits) {
      picker.typed += static_cast<char>(typed);
      state_.note.clear();
    } else {
      state_.note = "Type a number from the list, or choose with the arrows";
    }
    return;
  }
  if (key.kind != KeyKind::kKey || count == 0) return;
  picker.typed.clear();
  if (key.code == keyUp())
    picker.highlighted = std::max(picker.highlighted - 1, 0);
  if (key.code == keyDown()) {
    picker.highlighted = std::min(picker.highlighted + 1, count - 1);
  }
  if (key.code == keyPageUp() || key.code == keyHome()) picker.highlighted = 0;
  if (key.code == keyPageDown() || key.code == keyEnd()) {
    picker.highlighted = count - 1;
  }
}

void ScreenGame::picked(int number) {
  switch (state_.dialog) {
    case Dialog::kEggKind:
      state_.eggKind = number;
      switch (geneOf(number)) {
        case EggGene::kNone:
          return hatch(0);
        case EggGene::kColor:
          return openPicker(Dialog::kGene, "Colour of the egg",
                            tableEntries(COLORS, COLOR_COUNT));
        case EggGene::kCoat:
          return openPicker(Dialog::kGene, "Jewel coat of the egg",
                            tableEntries(COATS, COAT_COUNT));
      }
      return;
    case Dialog::kGene:
      return hatch(number);
    case Dialog::kItemKind: {
      state_.itemKind = number;
      std::vector<ListEntry> entries;
      const ItemCollection& items = *state_.items;
      for (int at = 0; at < itemCount(items, number); ++at) {
        std::string label = number == kFood    ? items.getFruit(at).getName()
                            : number == kDrive ? ITEM_COLORS[at]
                                               : items.getAnimal(at).getName();
        entries.push_back({at, label});
      }
      const std::string note = number == kFood          ? items.getFruitsNote()
                               : number == kSmallAnimal ? items.getAnimalsNote()
                                                        : "";
      static constexpr const char* kTitles[] = {
          "", "Which fruit?", "Which Orvan Drive?", "Which animal?"};
      state_.dialog = Dialog::kItem;
      state_.picker = Picker{kTitles[number], std::move(entries), 0, ""};
      state_.note = safeText(note);
      return;
    }
    case Dialog::kItem:
      return give(number);
    case Dialog::kPet:
      return pet(number);
    case Dialog::kBreed:
      return breedWith(number);
    default:
      return;
  }
}

void ScreenGame::onFieldKey(const Key& key) {
  if (isKey(key, kEscape)) return close("Cancelled; no hour passed");
  if (isEnter(key)) {
    if (state_.dialog == Dialog::kName) return name();
    return importCode();
  }
  if (isBackspace(key)) {
    eraseLastCharacter(state_.field);
    state_.note.clear();
    return;
  }
  if (key.kind != KeyKind::kCharacter) return;
  const wchar_t typed = key.character;
  if (state_.dialog == Dialog::kImport) {
    // A code is ASCII; blanks and line ends in a pasted one are passed over.
    if (std::iswspace(typed) != 0) return;
    if (typed < 0x21 || typed > 0x7E || state_.field.size() >= kMaxFieldBytes) {
      state_.note = "That cannot be part of a code";
      return;
    }
    state_.field += static_cast<char>(typed);
    return;
  }
  const std::string bytes = utf8Of(typed);
  const std::string longer = state_.field + bytes;
  if (bytes.empty() || std::iswspace(typed) != 0 || !isSafeText(longer)) {
    state_.note = "A name is one word, without blanks or control characters";
  } else if (longer.size() > kMaxNameBytes) {
    state_.note = "A name holds at most 64 bytes";
  } else {
    state_.field = longer;
    state_.note.clear();
  }
}

void ScreenGame::onReleaseKey(const Key& key) {
  if (!isKey(key, 'y')) return close("Kept; no hour passed");
  const int slot = state_.selected;
  const std::string name = nameIn(slot);
  released.push_back(state_.code);
  garden_.removeFromGarden(slot);
  state_.selected = std::max(0, std::min(slot, garden_.emptySlot - 1));
  close(name + " left the garden; its code will be kept in released-codes.txt");
}

void ScreenGame::startHatch() {
  if (!garden_.hasRoom()) {
    state_.answer = "The garden is full: release a mirl (r) to make room";
    return;
  }
  std::vector<ListEntry> entries;
  for (const EggKindInfo& egg : EGG_KINDS) {
    entries.push_back({egg.kind, egg.name});
  }
  openPicker(Dialog::kEggKind, "Which egg?", std::move(entries));
}

void ScreenGame::startName() {
  if (!garden_.isOccupied(state_.selected)) return select(state_.selected);
  state_.dialog = Dialog::kName;
  state_.field.clear();
  state_.note.clear();
  state_.answer = "";
}

void ScreenGame::startGive() {
  if (!garden_.isOccupied(state_.selected)) return select(state_.selected);
  // The catalogue is read as the dialog opens, as the line game reads it at
  // every give, so that an edited file counts at once.
  state_.items = std::make_unique<ItemCollection>();
  openPicker(Dialog::kItemKind, "Give " + nameIn(state_.selected),
             {{kFood, "Food"},
              {kDrive, "Orvan Drives"},
              {kSmallAnimal, "Small Animals"}});
}

void ScreenGame::startPet() {
  const int slot = state_.selected;
  if (!garden_.isOccupied(slot)) return select(slot);
  const int form = garden_.mirl[slot].getEvolution().getEvolution();
  if (form != kChildForm) {
    state_.answer =
        nameIn(slot) +
        (form == kEggForm ? " is an egg" : " is no longer a child") +
        ": petting does nothing";
    return;
  }
  openPicker(Dialog::kPet, "Pet " + nameIn(slot),
             {{-1, "Hero"}, {0, "Neutral"}, {1, "Dark"}}, 1);
}

void ScreenGame::startBreed() {
  const int slot = state_.selected;
  if (!garden_.isOccupied(slot)) return select(slot);
  if (garden_.mirl[slot].getEvolution().getEvolution() <= kChildForm) {
    state_.answer =
        nameIn(slot) + " has not evolved yet: a mirl can be bred from 20 hours";
    return;
  }
  if (!garden_.hasRoom()) {
    state_.answer = "The garden is full: release a mirl (r) to make room";
    return;
  }
  std::vector<ListEntry> partners = creatureEntries(garden_);
  const int highlighted = slot == 0 && partners.size() > 1 ? 1 : 0;
  openPicker(Dialog::kBreed, "Breed " + nameIn(slot) + " with",
             std::move(partners), highlighted);
}

void ScreenGame::startRelease() {
  const int slot = state_.selected;
  if (!garden_.isOccupied(slot)) return select(slot);
  state_.code = codeOfCreature(garden_.mirl[slot]).value_or("");
  if (state_.code.empty()) {
    state_.answer =
        nameIn(slot) + "'s name is too long for a code: give it a shorter one";
    return;
  }
  state_.dialog = Dialog::kRelease;
  state_.answer = "";
}

void ScreenGame::startImport() {
  if (!garden_.hasRoom()) {
    state_.answer = "The garden is full: release a mirl (r) to make room";
    return;
  }
  state_.dialog = Dialog::kImport;
  state_.field.clear();
  state_.note.clear();
  state_.answer = "";
}

void ScreenGame::hatch(int gene) {
  const int slot = garden_.emptySlot;
  hatchEgg(garden_, state_.eggKind, gene);
  state_.selected = slot;
  close("");
  passHour("A " + std::string(EGG_KINDS[state_.eggKind - kNormalEgg].name) +
           " egg hatched in slot " + std::to_string(slot) + ": " +
           garden_.mirl[slot].getBreed().getPhenotype());
}

void ScreenGame::name() {
  if (state_.field.empty()) {
    state_.note = "Type a name first, or Esc to cancel";
    return;
  }
  const std::string was = nameIn(state_.selected);
  const std::string named = state_.field;
  garden_.mirl[state_.selected].setName(named);
  close("");
  passHour(was + " is now called " + named);
}

void ScreenGame::give(int index) {
  Mirl& creature = garden_.mirl[state_.selected];
  const Mirl before = creature;
  const int kind = state_.itemKind;
  const ItemCollection& items = *state_.items;
  std::string what;
  if (kind == kFood) what = "ate a " + items.getFruit(index).getName();
  if (kind == kDrive)
    what = "took a " + std::string(ITEM_COLORS[index]) + " Orvan Drive";
  if (kind == kSmallAnimal)
    what = "played with a " + items.getAnimal(index).getName();
  giveFromCatalogue(creature, items, kind, index);
  const std::string sliders = sliderChanges(before, creature);
  const std::string answer = creature.getName() + " " + what + ": " +
                             levelChanges(before, creature) +
                             (sliders.empty() ? "" : "; " + sliders);
  close("");
  passHour(answer);
}

void ScreenGame::pet(int alignment) {
  Mirl& creature = garden_.mirl[state_.selected];
  const Mirl before = creature;
  creature.pet(alignment);
  const std::string sliders = sliderChanges(before, creature);
  close("");
  passHour(creature.getName() + " was petted" +
           (sliders.empty() ? "" : ": " + sliders));
}

void ScreenGame::breedWith(int partner) {
  const int first = state_.selected;
  switch (breedRefusal(garden_, first, partner)) {
    case BreedRefusal::kSameCreature:
      state_.note = "A mirl cannot be bred with itself";
      return;
    case BreedRefusal::kNotInGarden:
      state_.note = "There is no mirl in slot " + std::to_string(partner);
      return;
    case BreedRefusal::kChild:
      state_.note = nameIn(partner) + " has not evolved yet";
      return;
    case BreedRefusal::kGardenFull:
      return close("The garden is full: release a mirl (r) to make room");
    case BreedRefusal::kNone:
      break;
  }
  const int slot = garden_.emptySlot;
  breedInGarden(garden_, first, partner);
  state_.selected = slot;
  close("");
  passHour(nameIn(first) + " and " + nameIn(partner) + " had an egg in slot " +
           std::to_string(slot) + ": " +
           garden_.mirl[slot].getBreed().getPhenotype());
}

void ScreenGame::importCode() {
  const CodedCreature coded = creatureOfCode(state_.field);
  if (coded.fault != CodeFault::kNone) {
    state_.note = describeCodeFault(coded.fault);
    return;
  }
  if (!coded.creature) {
    state_.note = "the code holds no creature that this game can load";
    return;
  }
  const int slot = garden_.emptySlot;
  garden_.addToGarden(*coded.creature);
  state_.selected = slot;
  close(garden_.mirl[slot].getName() + " joined the garden in slot " +
        std::to_string(slot) + "; no hour passed");
}

void ScreenGame::passHour(std::string answer) {
  for (const AgeEvent& event : garden_.ageMirl()) {
    const Mirl& creature = garden_.mirl[event.slot];
    if (event.kind == AgeEvent::Kind::kReincarnated) {
      answer += ". " + creature.getName() + " was reincarnated";
    } else {
      answer += ". " + creature.getName() + " evolved into " +
                tableEntry(EVOLUTIONS, event.form);
    }
  }
  state_.answer = answer;
}

std::vector<std::string> playOnScreen(Garden& garden, bool& started) {
  Terminal terminal;
  started = terminal.started();
  ScreenGame game(garden);
  if (!started) return game.released;
  for (;;) {
    const Canvas canvas = composeScreen(garden, game.state(), terminal.rows(),
                                        terminal.columns());
    terminal.show(canvas);
    const Key key = terminal.nextKey();
    if (key.kind == KeyKind::kLeave) break;
    if (key.kind == KeyKind::kResize) continue;
    if (!fitsScreen(terminal.rows(), terminal.columns())) {
      if (isKey(key, 'q')) break;  // too small: only q acts
      continue;
    }
    if (game.onKey(key) == Outcome::kLeave) break;
  }
  garden.ageMirl();  // the hour of leaving, as choice 0 of the line game
  return game.released;
}
