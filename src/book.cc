#include "book.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

#include "breed.h"
#include "evolution.h"
#include "saturating.h"
#include "stat.h"

namespace {

constexpr std::string_view kTitle = "Tumblenook gardener's book, version 1";
// What every version's title begins with.
constexpr std::string_view kTitleStart = "Tumblenook gardener's book";
constexpr std::string_view kEnd = "end";

constexpr const char* kOriginNames[kOriginCount] = {"raised", "bred",
                                                    "imported"};

constexpr std::string_view kHoursKey = "hours";
constexpr std::string_view kMostKey = "most-reincarnations";
constexpr std::string_view kTallyKeys[kTallyCount] = {
    "eggs-hatched", "eggs-bred", "evolved",
    "reincarnated", "released",  "imported"};

// The rank whose letter is "S", the highest.
constexpr char kTopRankLetter = 'S';

// Where each kind of first lies in the book's row of firsts. Forms take a
// slot for every form of the table, so that a form's slot is its index;
// those of the forms that are not adult stay empty.
constexpr int kFormSlots = 0;
constexpr int kColorSlots = kFormSlots + EVOLUTION_COUNT;
constexpr int kCoatSlots = kColorSlots + COLOR_COUNT;
constexpr int kTraitSlots = kCoatSlots + COAT_COUNT;
constexpr int kSRankSlots = kTraitSlots + kTraitCount;
constexpr int kReincarnationSlot = kSRankSlots + kSkillCount;
constexpr int kSlotsUsed = kReincarnationSlot + 1;

// A kind of first as the text writes it: its key, its first slot, and for
// the kinds keyed by a table, the table; and the indices noted, `lowest` to
// `end` - 1. A kind without a table has one slot, index 0.
struct Kind {
  std::string_view key;
  int slots;
  const char* const* names;
  int lowest;
  int end;
};

// The kinds of first, in the order of the text.
enum KindId {
  kFormKind,
  kColorKind,
  kCoatKind,
  kShinyKind,
  kTwoToneKind,
  kPurebredKind,
  kSRankKind,
  kReincarnationKind,
};

constexpr Kind kKinds[] = {
    // Forms before the adult ones are never noted.
    {"form", kFormSlots, EVOLUTIONS, kNormalForms, EVOLUTION_COUNT},
    {"colour", kColorSlots, COLORS, 0, COLOR_COUNT},
    // Coat 0 is no coat at all.
    {"coat", kCoatSlots, COATS, 1, COAT_COUNT},
    {"shiny", kTraitSlots + static_cast<int>(Trait::kShiny), nullptr, 0, 1},
    {"two-tone", kTraitSlots + static_cast<int>(Trait::kTwoTone), nullptr, 0,
     1},
    {"purebred", kTraitSlots + static_cast<int>(Trait::kPurebred), nullptr, 0,
     1},
    {"s-rank", kSRankSlots, SKILLS, 0, kSkillCount},
    {"first-reincarnation", kReincarnationSlot, nullptr, 0, 1},
};
static_assert(kShinyKind + static_cast<int>(Trait::kTwoTone) == kTwoToneKind &&
                  kShinyKind + static_cast<int>(Trait::kPurebred) ==
                      kPurebredKind,
              "the trait kinds follow the order of Trait");

// The slot of `index` of `kind`, or nothing when the book notes no such
// index.
std::optional<int> slotOf(KindId kind, int index) {
  const Kind& k = kKinds[kind];
  if (index < k.lowest || index >= k.end) return std::nullopt;
  return k.slots + index;
}

// `text` without the blanks and tabs around it.
std::string_view trimmed(std::string_view text) {
  constexpr std::string_view kBlanks = " \t";
  const std::size_t start = text.find_first_not_of(kBlanks);
  if (start == std::string_view::npos) return {};
  const std::size_t end = text.find_last_not_of(kBlanks);
  return text.substr(start, end - start + 1);
}

// Takes the first word (blanks and tabs around it) off `rest`.
std::string_view takeWord(std::string_view& rest) {
  rest = trimmed(rest);
  const std::size_t end = std::min(rest.find_first_of(" \t"), rest.size());
  const std::string_view word = rest.substr(0, end);
  rest.remove_prefix(end);
  return word;
}

// The whole number that `word` spells in decimal digits alone, or nothing
// when it is empty, holds anything else or exceeds the largest int.
std::optional<int> parseNumber(std::string_view word) {
  if (word.empty() ||
      word.find_first_not_of("0123456789") != std::string_view::npos) {
    return std::nullopt;
  }
  int value = 0;
  const char* end = word.data() + word.size();
  const auto [stop, fault] = std::from_chars(word.data(), end, value);
  if (fault != std::errc() || stop != end) return std::nullopt;
  return value;
}

std::optional<Origin> parseOrigin(std::string_view word) {
  for (int i = 0; i < kOriginCount; ++i) {
    if (word == kOriginNames[i]) return static_cast<Origin>(i);
  }
  return std::nullopt;
}

}  // namespace

const char* originName(Origin origin) {
  const int index = static_cast<int>(origin);
  return index >= 0 && index < kOriginCount ? kOriginNames[index] : "";
}

bool isAdultForm(int form) {
  return form >= kNormalForms && form < EVOLUTION_COUNT;
}

bool isHeroOrDarkForm(int form) {
  constexpr int kEvolvedEnd = kPowerForms + kFormsPerFamily;
  return form >= kNormalForms && form < kEvolvedEnd &&
         (form - kNormalForms) % kFormsPerFamily != 0;
}

void Book::passHour() { hours_ = saturatingAdd(hours_, 1); }

void Book::see(int kind, int index, Origin origin) {
  static_assert(kSlotsUsed == kFirstSlots, "every slot belongs to a kind");
  const std::optional<int> slot = slotOf(KindId(kind), index);
  if (slot && !firsts_[*slot]) firsts_[*slot] = First{origin, hours_};
}

std::optional<First> Book::first(int kind, int index) const {
  const std::optional<int> slot = slotOf(KindId(kind), index);
  return slot ? firsts_[*slot] : std::nullopt;
}

void Book::noteCreature(const Mirl& creature, Origin origin) {
  see(kFormKind, creature.getEvolution().getEvolution(), origin);
  const Breed looks = creature.getBreed();
  see(kColorKind, looks.getColor(0), origin);
  see(kCoatKind, looks.getCoat(0), origin);
  if (looks.getShine(0)) see(kShinyKind, 0, origin);
  if (looks.getTwotone(0)) see(kTwoToneKind, 0, origin);
  if (looks.isPure()) see(kPurebredKind, 0, origin);
  for (int skill = 0; skill < kSkillCount; ++skill) {
    if (creature.getSkill(Skill(skill)).getRankLetter() == kTopRankLetter) {
      see(kSRankKind, skill, origin);
    }
  }
  if (creature.getReincarnations() > 0) {
    see(kReincarnationKind, 0, origin);
    mostReincarnations_ =
        std::max(mostReincarnations_, creature.getReincarnations());
  }
}

namespace {
void countOne(int& count) { count = saturatingAdd(count, 1); }
}  // namespace

void Book::countHatched() { countOne(tallies_[int(Tally::kEggsHatched)]); }
void Book::countBred() { countOne(tallies_[int(Tally::kEggsBred)]); }
void Book::countEvolved() { countOne(tallies_[int(Tally::kEvolved)]); }
void Book::countReincarnated() {
  countOne(tallies_[int(Tally::kReincarnated)]);
}
void Book::countReleased() { countOne(tallies_[int(Tally::kReleased)]); }
void Book::countImported() { countOne(tallies_[int(Tally::kImported)]); }

int Book::tally(Tally tally) const {
  const int index = static_cast<int>(tally);
  return index >= 0 && index < kTallyCount ? tallies_[index] : 0;
}

std::optional<First> Book::form(int form) const {
  return first(kFormKind, form);
}

std::optional<First> Book::color(int color) const {
  return first(kColorKind, color);
}

std::optional<First> Book::coat(int coat) const {
  return first(kCoatKind, coat);
}

std::optional<First> Book::trait(Trait trait) const {
  const int index = static_cast<int>(trait);
  if (index < 0 || index >= kTraitCount) return std::nullopt;
  return first(kShinyKind + index, 0);
}

std::optional<First> Book::sRank(Skill skill) const {
  return first(kSRankKind, skill);
}

std::optional<First> Book::reincarnation() const {
  return first(kReincarnationKind, 0);
}

namespace {

void addLine(std::string& text, std::string_view key, int number) {
  text.append(key).append(" ").append(std::to_string(number)).append("\n");
}

}  // namespace

std::string bookText(const Book& book) {
  std::string text = std::string(kTitle) + "\n";
  addLine(text, kHoursKey, book.hours_);
  for (int i = 0; i < kTallyCount; ++i)
    addLine(text, kTallyKeys[i], book.tallies_[i]);
  addLine(text, kMostKey, book.mostReincarnations_);
  for (const Kind& kind : kKinds) {
    for (int index = kind.lowest; index < kind.end; ++index) {
      const std::optional<First>& first = book.firsts_[kind.slots + index];
      if (!first) continue;
      text.append(kind.key);
      if (kind.names != nullptr) text.append(" ").append(std::to_string(index));
      text.append(" ").append(originName(first->origin));
      text.append(" ").append(std::to_string(first->hour));
      if (kind.names != nullptr) {
        text.append(" ").append(trimmed(kind.names[index]));
      }
      text.append("\n");
    }
  }
  text.append(kEnd).append("\n");
  return text;
}

// Reads a book's text line by line into a book, noting what it passes over.
struct BookReader {
  BookRead read;
  std::size_t unreported = 0;  // problems past kMaxBookProblems
  bool endSeen = false;
  // Which of the hours, the tallies and the most reincarnations were read.
  std::array<bool, kTallyCount + 2> numbersSeen{};

  void report(std::string problem) {
    if (read.problems.size() < kMaxBookProblems) {
      read.problems.push_back(std::move(problem));
    } else {
      ++unreported;
    }
  }

  void report(int line, std::string_view problem) {
    report("line " + std::to_string(line) + ": " + std::string(problem));
  }

  // The number that `key` names, with its place in numbersSeen, or nothing
  // when no number has that key.
  std::optional<std::pair<int*, int>> number(std::string_view key) {
    Book& book = read.book;
    if (key == kHoursKey) return std::pair{&book.hours_, kTallyCount};
    if (key == kMostKey) {
      return std::pair{&book.mostReincarnations_, kTallyCount + 1};
    }
    for (int i = 0; i < kTallyCount; ++i) {
      if (key == kTallyKeys[i]) return std::pair{&book.tallies_[i], i};
    }
    return std::nullopt;
  }

  void readNumber(int line, std::string_view key, std::string_view rest,
                  std::pair<int*, int> target) {
    const std::string name(key);
    const std::optional<int> value = parseNumber(takeWord(rest));
    if (!value) {
      report(line, name + ": not a whole number from 0 to " +
                       std::to_string(INT_MAX));
    } else if (!trimmed(rest).empty()) {
      report(line, name + ": more than one number");
    } else if (numbersSeen[target.second]) {
      report(line, name + ": repeats an earlier line");
    } else {
      numbersSeen[target.second] = true;
      *target.first = *value;
    }
  }

  void readFirst(int line, const Kind& kind, std::string_view rest) {
    std::string name(kind.key);
    int index = 0;
    if (kind.names != nullptr) {
      const std::optional<int> number = parseNumber(takeWord(rest));
      if (!number || *number < kind.lowest || *number >= kind.end) {
        report(line, name + ": no such " + name + " in the book");
        return;
      }
      index = *number;
      name += " " + std::to_string(index);
    }
    const std::optional<Origin> origin = parseOrigin(takeWord(rest));
    if (!origin) {
      report(line, name + ": not raised, bred or imported");
      return;
    }
    const std::optional<int> hour = parseNumber(takeWord(rest));
    if (!hour) {
      report(line, name + ": the hour is not a whole number from 0 to " +
                       std::to_string(INT_MAX));
      return;
    }
    const std::string_view label = trimmed(rest);
    if (!label.empty() &&
        (kind.names == nullptr || label != trimmed(kind.names[index]))) {
      report(line, name + ": the name after the hour is not its own");
      return;
    }
    std::optional<First>& first = read.book.firsts_[kind.slots + index];
    if (first) {
      report(line, name + ": repeats an earlier line");
      return;
    }
    first = First{*origin, *hour};
  }

  void readLine(int line, std::string_view text) {
    std::string_view rest = text;
    const std::string_view key = takeWord(rest);
    if (key.empty()) return;  // a blank line
    if (key == kEnd) {
      if (!trimmed(rest).empty()) {
        report(line, "end: text after it");
      } else if (endSeen) {
        report(line, "end: repeats an earlier line");
      }
      endSeen = true;
      return;
    }
    if (const auto target = number(key)) {
      readNumber(line, key, rest, *target);
      return;
    }
    for (const Kind& kind : kKinds) {
      if (key == kind.key) {
        readFirst(line, kind, rest);
        return;
      }
    }
    report(line, "not an entry of the book");
  }

  // Reads line 1, which holds the title; a line that is no title is read as
  // an entry, since the title alone may have been lost.
  void readTitle(std::string_view text) {
    if (text == kTitle) return;
    if (text.substr(0, kTitleStart.size()) == kTitleStart) {
      report(1, "a title of another version of the book");
      return;
    }
    report(1, "no title: not the start of a book");
    readLine(1, text);
  }

  void readText(std::string_view text) {
    int line = 0;
    while (!text.empty()) {
      ++line;
      const std::size_t lineEnd = text.find('\n');
      if (lineEnd == std::string_view::npos) {
        // Nothing may be trusted of a line cut short: a number in it may
        // have lost digits.
        if (!trimmed(text).empty()) report(line, "cut short, no line end");
        return;
      }
      std::string_view current = text.substr(0, lineEnd);
      text.remove_prefix(lineEnd + 1);
      if (!current.empty() && current.back() == '\r') current.remove_suffix(1);
      if (line == 1) {
        readTitle(current);
      } else {
        readLine(line, current);
      }
    }
  }

  BookRead finish() {
    if (!endSeen) report("the book ends early: no \"end\" line");
    if (unreported > 0) {
      read.problems.push_back("and " + std::to_string(unreported) +
                              " more problems");
    }
    return std::move(read);
  }
};

BookRead readBook(std::string_view text) {
  BookReader reader;
  if (text.empty()) reader.report("an empty text, no book");
  reader.readText(text);
  return reader.finish();
}
