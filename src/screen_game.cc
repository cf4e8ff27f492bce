#include "screen_game.h"

#include <algorithm>
#include <utility>

#include "actions.h"
#include "names.h"
#include "safe_text.h"
#include "screen_words.h"

namespace {

// The garden's boxes stand in two columns: Up and Down move a row.
constexpr int kBoxesPerRow = 2;

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

// The entries of the give list of `kind`: each item's name.
std::vector<ListEntry> itemEntries(const ItemCollection& items, int kind) {
  std::vector<ListEntry> entries;
  for (int at = 0; at < itemCount(items, kind); ++at) {
    const std::string label = kind == kFood    ? items.getFruit(at).getName()
                              : kind == kDrive ? ITEM_COLORS[at]
                                               : items.getAnimal(at).getName();
    entries.push_back({at, label});
  }
  return entries;
}

// The title of the give list of `kind`.
const char* itemTitle(int kind) {
  switch (kind) {
    case kFood:
      return "Which fruit?";
    case kDrive:
      return "Which Orvan Drive?";
    default:
      return "Which animal?";
  }
}

// The catalogue's note for the list of `kind`: a file that could not be
// read, or names that were repaired.
std::string catalogueNote(const ItemCollection& items, int kind) {
  const std::string note = kind == kFood          ? items.getFruitsNote()
                           : kind == kSmallAnimal ? items.getAnimalsNote()
                                                  : "";
  return safeText(note);
}

}  // namespace

ScreenGame::Outcome ScreenGame::onKey(const Key& key) {
  if (std::holds_alternative<std::monostate>(dialog_)) return onTopKey(key);
  if (std::holds_alternative<HelpDialog>(dialog_)) {
    close("");
    return Outcome::kGoOn;
  }
  // Each handler may close or replace the dialog it is given: it returns
  // right after, touching the old one no more.
  std::visit(
      [this, &key](auto& dialog) {
        using Open = std::decay_t<decltype(dialog)>;
        if constexpr (!std::is_same_v<Open, std::monostate> &&
                      !std::is_same_v<Open, HelpDialog>) {
          onKeyIn(dialog, key);
        }
      },
      dialog_);
  return Outcome::kGoOn;
}

ScreenGame::Outcome ScreenGame::onTopKey(const Key& key) {
  switch (key.kind) {
    case KeyKind::kEnter:
      answer_ = kEnterAloneWords;
      return Outcome::kGoOn;
    case KeyKind::kUp:
    case KeyKind::kDown:
    case KeyKind::kLeft:
    case KeyKind::kRight:
      moveSelection(key.kind);
      return Outcome::kGoOn;
    case KeyKind::kCharacter:
      break;
    default:
      answer_ = kNoSuchKeyWords;
      return Outcome::kGoOn;
  }
  const wchar_t typed = key.character;
  if (typed >= '0' && typed < '0' + CAPACITY) {
    select(typed - '0');
    return Outcome::kGoOn;
  }
  const KeyBinding* binding = bindingOf(typed);
  if (binding == nullptr) {
    answer_ = kNoSuchKeyWords;
    return Outcome::kGoOn;
  }
  if (binding->command == Command::kLeave) return Outcome::kLeave;
  run(binding->command);
  return Outcome::kGoOn;
}

void ScreenGame::run(Command command) {
  switch (command) {
    case Command::kHatch:
      return startHatch();
    case Command::kName:
      return startName();
    case Command::kGive:
      return startGive();
    case Command::kPet:
      return startPet();
    case Command::kBreed:
      return startBreed();
    case Command::kRelease:
      return startRelease();
    case Command::kImport:
      return startImport();
    case Command::kHelp:
      dialog_ = HelpDialog{};
      answer_.clear();
      return;
    case Command::kLeave:
      return;  // the caller leaves
  }
}

void ScreenGame::select(int slot) {
  if (!garden_.isOccupied(slot)) {
    answer_ = emptySlotWords(garden_, slot);
    return;
  }
  selected_ = slot;
  answer_.clear();
}

void ScreenGame::moveSelection(KeyKind kind) {
  int slot = selected_;
  if (kind == KeyKind::kUp) slot -= kBoxesPerRow;
  if (kind == KeyKind::kDown) slot += kBoxesPerRow;
  if (kind == KeyKind::kLeft) slot -= 1;
  if (kind == KeyKind::kRight) slot += 1;
  if (garden_.isOccupied(slot)) {
    selected_ = slot;
    answer_.clear();
  } else {
    answer_ = "No mirl that way";
  }
}

void ScreenGame::close(std::string answer) {
  dialog_ = std::monostate{};
  answer_ = std::move(answer);
}

std::optional<int> ScreenGame::pickWith(ListPicker& list, const Key& key) {
  switch (list.onKey(key)) {
    case ListPicker::Result::kPicked:
      return list.picked();
    case ListPicker::Result::kCancelled:
      close(kCancelledWords);
      return std::nullopt;
    case ListPicker::Result::kNone:
      break;
  }
  return std::nullopt;
}

void ScreenGame::onKeyIn(EggKindDialog& dialog, const Key& key) {
  const std::optional<int> kind = pickWith(dialog.list, key);
  if (!kind) return;
  switch (geneOf(*kind)) {
    case EggGene::kNone:
      return hatch(*kind, 0);
    case EggGene::kColor:
      dialog_ = GeneDialog{
          *kind,
          ListPicker("Colour of the egg", tableEntries(COLORS, COLOR_COUNT))};
      return;
    case EggGene::kCoat:
      dialog_ = GeneDialog{*kind, ListPicker("Jewel coat of the egg",
                                             tableEntries(COATS, COAT_COUNT))};
      return;
  }
}

void ScreenGame::onKeyIn(GeneDialog& dialog, const Key& key) {
  const int kind = dialog.eggKind;
  if (const std::optional<int> gene = pickWith(dialog.list, key)) {
    hatch(kind, *gene);
  }
}

void ScreenGame::onKeyIn(NameDialog& dialog, const Key& key) {
  switch (dialog.field.onKey(key)) {
    case TextField::Result::kCancelled:
      return close(kCancelledWords);
    case TextField::Result::kSubmitted:
      break;
    case TextField::Result::kNone:
      return;
  }
  if (dialog.field.text().empty()) {
    dialog.field.setNote("Type a name first, or Esc to cancel");
    return;
  }
  const std::string was = nameIn(selected_);
  const std::string named = dialog.field.text();
  garden_.mirl[selected_].setName(named);
  close("");
  passHour(namedWords(was, named));
}

void ScreenGame::onKeyIn(ItemKindDialog& dialog, const Key& key) {
  if (const std::optional<int> kind = pickWith(dialog.list, key)) {
    openItems(dialog.items, *kind);
  }
}

void ScreenGame::onKeyIn(ItemDialog& dialog, const Key& key) {
  if (const std::optional<int> index = pickWith(dialog.list, key)) {
    const std::shared_ptr<const ItemCollection> items = dialog.items;
    give(*items, dialog.kind, *index);
  }
}

void ScreenGame::onKeyIn(PetDialog& dialog, const Key& key) {
  if (const std::optional<int> alignment = pickWith(dialog.list, key)) {
    pet(*alignment);
  }
}

void ScreenGame::onKeyIn(BreedDialog& dialog, const Key& key) {
  if (const std::optional<int> partner = pickWith(dialog.list, key)) {
    breedWith(dialog.list, *partner);
  }
}

void ScreenGame::onKeyIn(const ReleaseDialog& dialog, const Key& key) {
  if (!key.is('y')) return close(kKeptWords);
  const int slot = selected_;
  const std::string name = nameIn(slot);
  released_.push_back(dialog.code);
  garden_.removeFromGarden(slot);
  selected_ = std::max(0, std::min(slot, garden_.emptySlot - 1));
  close(releasedWords(name));
}

void ScreenGame::onKeyIn(ImportDialog& dialog, const Key& key) {
  switch (dialog.field.onKey(key)) {
    case TextField::Result::kCancelled:
      return close(kCancelledWords);
    case TextField::Result::kSubmitted:
      return importCode(dialog);
    case TextField::Result::kNone:
      return;
  }
}

void ScreenGame::startHatch() {
  if (!garden_.hasRoom()) {
    answer_ = kGardenFullWords;
    return;
  }
  std::vector<ListEntry> entries;
  for (const EggKindInfo& egg : EGG_KINDS) {
    entries.push_back({egg.kind, egg.name});
  }
  dialog_ = EggKindDialog{ListPicker("Which egg?", std::move(entries))};
  answer_.clear();
}

void ScreenGame::startName() {
  if (!garden_.isOccupied(selected_)) return select(selected_);
  dialog_ = NameDialog{};
  answer_.clear();
}

void ScreenGame::startGive() {
  if (!garden_.isOccupied(selected_)) return select(selected_);
  dialog_ = ItemKindDialog{std::make_shared<const ItemCollection>(),
                           ListPicker("Give " + nameIn(selected_),
                                      {{kFood, "Food"},
                                       {kDrive, "Orvan Drives"},
                                       {kSmallAnimal, "Small Animals"}})};
  answer_.clear();
}

void ScreenGame::startPet() {
  const int slot = selected_;
  if (!garden_.isOccupied(slot)) return select(slot);
  const PetRefusal refusal = petRefusal(garden_.mirl[slot]);
  if (refusal != PetRefusal::kNone) {
    answer_ = petRefusalWords(nameIn(slot), refusal);
    return;
  }
  constexpr int kNeutral = 1;  // the entry highlighted first
  dialog_ = PetDialog{ListPicker("Pet " + nameIn(slot),
                                 {{-1, "Hero"}, {0, "Neutral"}, {1, "Dark"}},
                                 kNeutral)};
  answer_.clear();
}

void ScreenGame::startBreed() {
  const int slot = selected_;
  if (!garden_.isOccupied(slot)) return select(slot);
  if (!isGrown(garden_.mirl[slot])) {
    answer_ = notGrownWords(nameIn(slot));
    return;
  }
  if (!garden_.hasRoom()) {
    answer_ = kGardenFullWords;
    return;
  }
  std::vector<ListEntry> partners = creatureEntries(garden_);
  const int highlighted = slot == 0 && partners.size() > 1 ? 1 : 0;
  dialog_ = BreedDialog{ListPicker("Breed " + nameIn(slot) + " with",
                                   std::move(partners), highlighted)};
  answer_.clear();
}

void ScreenGame::startRelease() {
  const int slot = selected_;
  if (!garden_.isOccupied(slot)) return select(slot);
  const std::string code = codeOfCreature(garden_.mirl[slot]).value_or("");
  if (code.empty()) {
    answer_ = tooLongForCodeWords(nameIn(slot));
    return;
  }
  dialog_ = ReleaseDialog{code};
  answer_.clear();
}

void ScreenGame::startImport() {
  if (!garden_.hasRoom()) {
    answer_ = kGardenFullWords;
    return;
  }
  dialog_ = ImportDialog{};
  answer_.clear();
}

void ScreenGame::hatch(int kind, int gene) {
  const int slot = garden_.emptySlot;
  hatchEgg(garden_, kind, gene);
  selected_ = slot;
  close("");
  passHour(hatchedWords(kind, slot, garden_.mirl[slot]));
}

void ScreenGame::openItems(std::shared_ptr<const ItemCollection> items,
                           int kind) {
  ListPicker list(itemTitle(kind), itemEntries(*items, kind));
  list.setNote(catalogueNote(*items, kind));
  dialog_ = ItemDialog{std::move(items), kind, std::move(list)};
}

void ScreenGame::give(const ItemCollection& items, int kind, int index) {
  Mirl& creature = garden_.mirl[selected_];
  const Mirl before = creature;
  giveFromCatalogue(creature, items, kind, index);
  const std::string answer = givenWords(before, creature, items, kind, index);
  close("");
  passHour(answer);
}

void ScreenGame::pet(int alignment) {
  Mirl& creature = garden_.mirl[selected_];
  const Mirl before = creature;
  creature.pet(alignment);
  const std::string answer = pettedWords(before, creature);
  close("");
  passHour(answer);
}

void ScreenGame::breedWith(ListPicker& partners, int partner) {
  const int first = selected_;
  const BreedRefusal refusal = breedRefusal(garden_, first, partner);
  if (refusal == BreedRefusal::kGardenFull) return close(kGardenFullWords);
  if (refusal != BreedRefusal::kNone) {
    partners.setNote(partnerRefusalWords(garden_, partner, refusal));
    return;
  }
  const int slot = garden_.emptySlot;
  breedInGarden(garden_, first, partner);
  selected_ = slot;
  close("");
  passHour(bredWords(garden_, first, partner, slot));
}

void ScreenGame::importCode(ImportDialog& dialog) {
  const CodedCreature coded = creatureOfCode(dialog.field.text());
  if (coded.fault != CodeFault::kNone) {
    dialog.field.setNote(describeCodeFault(coded.fault));
    return;
  }
  if (!coded.creature) {
    dialog.field.setNote("the code holds no creature that this game can load");
    return;
  }
  const int slot = garden_.emptySlot;
  garden_.addToGarden(*coded.creature);
  selected_ = slot;
  close(joinedWords(garden_, slot));
}

void ScreenGame::passHour(const std::string& answer) {
  const std::vector<AgeEvent> events = garden_.ageMirl();
  answer_ = answer + eventWords(garden_, events);
}
