#include "screen_game.h"

#include <algorithm>
#include <utility>

#include "actions.h"
#include "book_view.h"
#include "names.h"
#include "safe_text.h"
#include "screen_words.h"

namespace {

// The entries of a gene list: each entry of `table`, in the screen's words.
std::vector<ListEntry> tableEntries(const char* const* table, int count) {
  std::vector<ListEntry> entries;
  entries.reserve(count);
  for (int at = 0; at < count; ++at) {
    entries.push_back({at, cleanTableName(table, count, at)});
  }
  return entries;
}

// Whether the creature in `other` may breed with the one in `slot`: grown,
// and not itself.
bool isPartner(const Garden& garden, int slot, int other) {
  return other != slot && isGrown(garden.mirl[other]);
}

// The creatures that may breed with the one in `slot`.
std::vector<ListEntry> partnerEntries(const Garden& garden, int slot) {
  std::vector<ListEntry> entries;
  for (int other = 0; other < garden.emptySlot; ++other) {
    if (!isPartner(garden, slot, other)) continue;
    const Mirl& creature = garden.mirl[other];
    entries.push_back({other, creature.getName() + ", " +
                                  creature.getEvolution().getEvolutionText()});
  }
  return entries;
}

// The entries of the give list of `kind`: each item's name.
std::vector<ListEntry> itemEntries(const ItemCollection& items, int kind) {
  const int count = itemCount(items, kind);
  std::vector<ListEntry> entries;
  entries.reserve(count);
  for (int at = 0; at < count; ++at) {
    entries.push_back({at, itemLabel(items, kind, at)});
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

// Moves `first`, the first line shown, for a key that scrolls, to at most
// `last`: the arrows a line, paging kScrollPage lines, Home and End to the
// ends. False, with `first` unchanged, for any other key.
bool scroll(int& first, int last, KeyKind kind) {
  last = std::max(last, 0);
  // A window grown since the last key may show more: from where it shows.
  const int shown = std::clamp(first, 0, last);
  switch (kind) {
    case KeyKind::kUp:
      first = std::max(shown - 1, 0);
      return true;
    case KeyKind::kDown:
      first = std::min(shown + 1, last);
      return true;
    case KeyKind::kPageUp:
      first = std::max(shown - kScrollPage, 0);
      return true;
    case KeyKind::kPageDown:
      first = std::min(shown + kScrollPage, last);
      return true;
    case KeyKind::kHome:
      first = 0;
      return true;
    case KeyKind::kEnd:
      first = last;
      return true;
    default:
      return false;
  }
}

}  // namespace

ScreenGame::Outcome ScreenGame::onKey(const Key& key) {
  if (std::holds_alternative<std::monostate>(dialog_)) return onTopKey(key);
  if (auto* help = std::get_if<HelpDialog>(&dialog_)) {
    scrollHelp(*help, key);
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
      say(kEnterAloneWords);
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
      say(kNoSuchKeyWords);
      return Outcome::kGoOn;
  }
  const wchar_t typed = key.character;
  if (typed >= '0' && typed < '0' + CAPACITY) {
    select(typed - '0');
    return Outcome::kGoOn;
  }
  const KeyBinding* binding = bindingOf(typed);
  if (binding == nullptr) {
    say(kNoSuchKeyWords);
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
    case Command::kRepeat:
      return repeat();
    case Command::kLog:
      open(LogDialog{});
      return;
    case Command::kPlan:
      open(PlannerDialog{});
      return;
    case Command::kBook:
      open(BookDialog{});
      return;
    case Command::kHelp:
      open(HelpDialog{});
      return;
    case Command::kLeave:
      return;  // the caller leaves
  }
}

void ScreenGame::select(int slot) {
  if (!garden_.isOccupied(slot)) {
    say(emptySlotWords(garden_, slot));
    return;
  }
  selected_ = slot;
  say("");
}

void ScreenGame::moveSelection(KeyKind kind) {
  int slot = selected_;
  if (kind == KeyKind::kUp) slot -= kBoxesPerRow;
  if (kind == KeyKind::kDown) slot += kBoxesPerRow;
  if (kind == KeyKind::kLeft) slot -= 1;
  if (kind == KeyKind::kRight) slot += 1;
  if (garden_.isOccupied(slot)) {
    selected_ = slot;
    say("");
  } else {
    say("No mirl that way");
  }
}

void ScreenGame::open(Dialog dialog) {
  dialog_ = std::move(dialog);
  say("");
}

void ScreenGame::close(std::string answer) {
  dialog_ = std::monostate{};
  say(std::move(answer));
}

void ScreenGame::say(std::string answer, bool standsOut) {
  answer_ = std::move(answer);
  standsOut_ = standsOut && !answer_.empty();
  if (answer_.empty()) return;
  if (log_.size() >= kLogLength) log_.erase(log_.begin());
  log_.push_back({answer_, standsOut_});
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
  const std::string named = dialog.field.text();
  close("");
  rename(named);
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
    onPickedPartner(dialog.list, *partner);
  }
}

void ScreenGame::onKeyIn(const ReleaseDialog& dialog, const Key& key) {
  if (!key.is('y')) return close(kKeptWords);
  const int slot = selected_;
  const std::string name = nameIn(slot);
  released_.push_back(dialog.code);
  releaseFromGarden(garden_, slot);
  followRelease(slot);
  selected_ = std::max(0, std::min(slot, garden_.emptySlot - 1));
  close(releasedWords(name));
}

void ScreenGame::followRelease(int slot) {
  if (!last_ || last_->command != Command::kBreed) return;
  // The partner of `.` is a creature, not a slot: it moves down with the
  // others, and with it gone there is no breeding to repeat.
  if (last_->choice == slot) {
    last_.reset();
  } else if (last_->choice > slot) {
    --last_->choice;
  }
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
    say(kGardenFullWords);
    return;
  }
  std::vector<ListEntry> entries;
  for (const EggKindInfo& egg : EGG_KINDS) {
    entries.push_back({egg.kind, egg.name});
  }
  open(EggKindDialog{ListPicker("Which egg?", std::move(entries))});
}

void ScreenGame::startName() {
  if (!garden_.isOccupied(selected_)) return select(selected_);
  open(NameDialog{});
}

void ScreenGame::startGive() {
  if (!garden_.isOccupied(selected_)) return select(selected_);
  catalogue_ = std::make_shared<const ItemCollection>();
  open(ItemKindDialog{catalogue_,
                      ListPicker("Give " + nameIn(selected_),
                                 {{kFood, "Food"},
                                  {kDrive, "Orvan Drives"},
                                  {kSmallAnimal, "Small Animals"}})});
}

void ScreenGame::startPet() {
  const int slot = selected_;
  if (!garden_.isOccupied(slot)) return select(slot);
  const PetRefusal refusal = petRefusal(garden_.mirl[slot]);
  if (refusal != PetRefusal::kNone) {
    say(petRefusalWords(nameIn(slot), refusal));
    return;
  }
  constexpr int kNeutral = 1;  // the entry highlighted first
  open(PetDialog{ListPicker("Pet " + nameIn(slot),
                            {{-1, "Hero"}, {0, "Neutral"}, {1, "Dark"}},
                            kNeutral)});
}

void ScreenGame::startBreed(int partner) {
  const int slot = selected_;
  if (!garden_.isOccupied(slot)) return select(slot);
  if (!isGrown(garden_.mirl[slot])) {
    say(notGrownWords(nameIn(slot)));
    return;
  }
  // With a full garden the dialog still opens, to look at the forecasts.
  std::vector<ListEntry> entries = partnerEntries(garden_, slot);
  const auto wanted = std::find_if(
      entries.begin(), entries.end(),
      [partner](const ListEntry& entry) { return entry.number == partner; });
  const int highlighted =
      wanted == entries.end() ? 0 : static_cast<int>(wanted - entries.begin());
  ListPicker partners("Breed " + nameIn(slot) + " with", std::move(entries),
                      highlighted);
  if (partners.entries().empty()) {
    say("No other grown mirl to breed " + nameIn(slot) + " with");
    return;
  }
  if (!garden_.hasRoom()) partners.setNote(kGardenFullWords);
  open(BreedDialog{std::move(partners)});
}

void ScreenGame::startRelease() {
  const int slot = selected_;
  if (!garden_.isOccupied(slot)) return select(slot);
  const std::string code = codeOfCreature(garden_.mirl[slot]).value_or("");
  if (code.empty()) {
    say(tooLongForCodeWords(nameIn(slot)));
    return;
  }
  open(ReleaseDialog{code});
}

void ScreenGame::startImport() {
  if (!garden_.hasRoom()) {
    say(kGardenFullWords);
    return;
  }
  open(ImportDialog{});
}

void ScreenGame::hatch(int kind, int gene) {
  last_ = LastAction{Command::kHatch, kind, gene, ""};
  const int slot = garden_.emptySlot;
  hatchEgg(garden_, kind, gene);
  selected_ = slot;
  close("");
  passHour(hatchedWords(kind, slot, garden_.mirl[slot]), true);
}

void ScreenGame::openItems(std::shared_ptr<const ItemCollection> items,
                           int kind) {
  ListPicker list(itemTitle(kind), itemEntries(*items, kind));
  list.setNote(catalogueNote(*items, kind));
  dialog_ = ItemDialog{std::move(items), kind, std::move(list)};
}

void ScreenGame::rename(const std::string& named) {
  last_ = LastAction{Command::kName, 0, 0, named};
  const std::string was = nameIn(selected_);
  garden_.mirl[selected_].setName(named);
  passHour(namedWords(was, named));
}

void ScreenGame::give(const ItemCollection& items, int kind, int index) {
  last_ = LastAction{Command::kGive, kind, index, ""};
  Mirl& creature = garden_.mirl[selected_];
  const Mirl before = creature;
  giveFromCatalogue(creature, items, kind, index);
  const std::string answer = givenWords(before, creature, items, kind, index);
  close("");
  passHour(answer);
}

void ScreenGame::pet(int alignment) {
  last_ = LastAction{Command::kPet, 0, alignment, ""};
  Mirl& creature = garden_.mirl[selected_];
  const Mirl before = creature;
  creature.pet(alignment);
  const std::string answer = pettedWords(before, creature);
  close("");
  passHour(answer);
}

void ScreenGame::onPickedPartner(ListPicker& partners, int partner) {
  const BreedRefusal refusal = breedRefusal(garden_, selected_, partner);
  if (refusal == BreedRefusal::kGardenFull) {
    partners.setNote(kGardenFullWords);
    return;
  }
  if (refusal != BreedRefusal::kNone) {
    partners.setNote(partnerRefusalWords(garden_, partner, refusal));
    return;
  }
  close("");
  breedWith(partner);
}

void ScreenGame::breedWith(int partner) {
  last_ = LastAction{Command::kBreed, 0, partner, ""};
  const int first = selected_;
  const int slot = garden_.emptySlot;
  breedInGarden(garden_, first, partner);
  selected_ = slot;
  passHour(bredWords(garden_, first, partner, slot), true);
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
  importIntoGarden(garden_, *coded.creature);
  selected_ = slot;
  close(joinedWords(garden_, slot));
}

void ScreenGame::passHour(const std::string& answer, bool birth) {
  const std::vector<AgeEvent> events = garden_.ageMirl();
  say(answer + eventWords(garden_, events), birth || !events.empty());
}

void ScreenGame::onKeyIn(LogDialog& dialog, const Key& key) {
  const int last = static_cast<int>(log_.size()) - 1;
  if (!scroll(dialog.first, last, key.kind)) close("");
}

void ScreenGame::scrollHelp(HelpDialog& help, const Key& key) {
  const int last = static_cast<int>(helpParagraphs().size()) - 1;
  if (!scroll(help.first, last, key.kind)) close("");
}

void ScreenGame::onKeyIn(PlannerDialog& dialog, const Key& key) {
  switch (onPlannerKey(dialog.state, key, garden_)) {
    case PlannerResult::kNone:
      return;
    case PlannerResult::kClose:
      return close("");
    case PlannerResult::kBreed:
      break;
  }
  const std::optional<PlannedPair> pair = plannedPairAt(dialog.state, garden_);
  if (!pair) return;
  // The pair's breed dialog, to look at its forecast before breeding.
  selected_ = pair->firstSlot;
  dialog_ = std::monostate{};
  startBreed(pair->secondSlot);
}

void ScreenGame::onKeyIn(BookDialog& dialog, const Key& key) {
  // Scrolled as it is drawn: its last line at the window's bottom at most.
  const int last = bookScrollLimit(garden_.book, fullDialogRows(windowRows_),
                                   windowColumns_);
  if (!scroll(dialog.first, last, key.kind)) close("");
}

bool ScreenGame::canRun(Command command) const {
  const bool occupied = garden_.isOccupied(selected_);
  switch (command) {
    case Command::kHatch:
    case Command::kImport:
      return garden_.hasRoom();
    case Command::kName:
    case Command::kGive:
    case Command::kRelease:
      return occupied;
    case Command::kPet:
      return occupied &&
             petRefusal(garden_.mirl[selected_]) == PetRefusal::kNone;
    case Command::kBreed:
      if (!occupied || !isGrown(garden_.mirl[selected_])) return false;
      for (int other = 0; other < garden_.emptySlot; ++other) {
        if (isPartner(garden_, selected_, other)) return true;
      }
      return false;
    case Command::kRepeat:
      return repeatRefusal().empty();
    case Command::kLog:
      return !log_.empty();
    case Command::kPlan:
    case Command::kBook:
    case Command::kHelp:
    case Command::kLeave:
      return true;
  }
  return false;
}

std::string ScreenGame::repeatRefusal() const {
  if (!last_) return "There is no action to do again yet";
  if (last_->command == Command::kHatch) {
    return garden_.hasRoom() ? "" : kGardenFullWords;
  }
  if (!garden_.isOccupied(selected_)) return emptySlotWords(garden_, selected_);
  const Mirl& creature = garden_.mirl[selected_];
  switch (last_->command) {
    case Command::kPet: {
      const PetRefusal refusal = petRefusal(creature);
      return refusal == PetRefusal::kNone
                 ? ""
                 : petRefusalWords(creature.getName(), refusal);
    }
    case Command::kBreed: {
      const BreedRefusal refusal =
          breedRefusal(garden_, selected_, last_->choice);
      if (refusal == BreedRefusal::kNone) return "";
      if (refusal == BreedRefusal::kGardenFull) return kGardenFullWords;
      if (!isGrown(creature)) return notGrownWords(creature.getName());
      return partnerRefusalWords(garden_, last_->choice, refusal);
    }
    default:
      return "";
  }
}

void ScreenGame::repeat() {
  const std::string refusal = repeatRefusal();
  if (!refusal.empty()) return say(refusal);
  const LastAction again = *last_;
  switch (again.command) {
    case Command::kHatch:
      return hatch(again.kind, again.choice);
    case Command::kName:
      return rename(again.name);
    case Command::kGive: {
      // The catalogue is read again, as for every give.
      catalogue_ = std::make_shared<const ItemCollection>();
      if (again.choice >= itemCount(*catalogue_, again.kind)) {
        return say("The catalogue no longer lists that item");
      }
      return give(*catalogue_, again.kind, again.choice);
    }
    case Command::kPet:
      return pet(again.choice);
    case Command::kBreed:
      return breedWith(again.choice);
    default:
      return;
  }
}
