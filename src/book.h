// The gardener's book: a record of what one garden has ever held. It notes
// each first (an adult form, a colour, a coat, a shiny, two-tone or
// pure-bred creature, an S rank in a skill, a reincarnated creature) with
// the way the creature that showed it first came to the garden (raised from
// an egg, bred, or imported) and the garden hour of that moment, and it
// keeps a few counts: eggs hatched and bred, creatures evolved,
// reincarnated, released and imported, the most reincarnations of one
// creature, and the hours the garden has lived. A first never changes once
// noted, and every count stops at the largest `int` instead of wrapping.
//
// The book is a pure model: bookText() and readBook() turn it into text and
// back, and the garden file keeps that text beside the save file. The text
// is plain and line based, so that a player may read it:
//
//   Tumblenook gardener's book, version 1
//   hours 312
//   eggs-hatched 4
//   eggs-bred 2
//   evolved 3
//   reincarnated 1
//   released 0
//   imported 1
//   most-reincarnations 1
//   form 9 raised 120 Swim/Hero
//   colour 4 bred 30 Sky Blue
//   coat 13 imported 44 Metal
//   shiny raised 12
//   two-tone raised 1
//   purebred raised 1
//   s-rank 0 raised 80 Swim
//   first-reincarnation raised 51
//   end
//
// The first line is the title, which names the format and its version. Then
// the hours and the counts, every one always written, each as its key and a
// number; then one line per first noted, in the order above, each table in
// index order: the key, the index into the table (EVOLUTIONS, COLORS, COATS
// or SKILLS) for the entries that have one, how the first came ("raised",
// "bred" or "imported"), the hour, and the entry's name with its outer
// blanks trimmed. The index is what counts: names may hold blanks, and coats
// 13 and 14 are both "Metal"; the name is there for the reader's eyes. The
// last line is "end", so that a book cut short at a line end is noticed.
// Every line ends with a line end. Numbers are decimal, 0 to the largest
// `int`.

#ifndef TUMBLENOOK_BOOK_H_
#define TUMBLENOOK_BOOK_H_

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "mirl.h"
#include "names.h"

// How a creature came to the garden.
enum class Origin { kRaised, kBred, kImported };
inline constexpr int kOriginCount = 3;

// The word the book's text uses for `origin`: "raised", "bred", "imported".
const char* originName(Origin origin);

// When a first was noted and how the creature that showed it came.
struct First {
  Origin origin;
  int hour;  // the garden's hours at that moment

  bool operator==(const First& other) const {
    return origin == other.origin && hour == other.hour;
  }
  bool operator!=(const First& other) const { return !(*this == other); }
};

// The looks a creature may show that are not a colour or a coat.
enum class Trait { kShiny, kTwoTone, kPurebred };
inline constexpr int kTraitCount = 3;

// The events the book counts.
enum class Tally {
  kEggsHatched,
  kEggsBred,
  kEvolved,
  kReincarnated,
  kReleased,
  kImported,
};
inline constexpr int kTallyCount = 6;

// True when `form` is an adult form: every form past the child forms, 5 to
// 25. Evolution reaches 5 to 19; the Orvan forms and the three character
// forms (20 to 25) come into a garden only with an imported creature.
bool isAdultForm(int form);

// True when `form` is one of the ten Hero or Dark forms that evolution can
// pick (the Hero and Dark forms of the Normal, Swim, Fly, Run and Power
// families). Only a creature whose alignment moved as a Child evolves into
// one, and no creature raised or bred in play is ever a Child whose
// alignment moves, so in a garden in play these come only by import.
bool isHeroOrDarkForm(int form);

class Book {
 public:
  // An empty book: no hours, no counts, no firsts.
  Book() = default;

  // One garden hour lived.
  void passHour();

  // Notes every first that `creature` shows now, as having come by `origin`
  // at the current hour: its form when adult, the colour and the coat of its
  // alleles that show (slot 0; coat 0, no coat, is no coat seen), shiny and
  // two-tone when their showing alleles are, pure-bred, an S rank in each
  // skill, and having been reincarnated. Raises the most reincarnations to
  // the creature's own count, so that an imported creature counts too. A
  // value outside its table notes nothing. Firsts already noted stay as
  // they are.
  void noteCreature(const Mirl& creature, Origin origin);

  // One more of each event.
  void countHatched();
  void countBred();
  void countEvolved();
  void countReincarnated();
  void countReleased();
  void countImported();

  // The hours the garden has lived.
  int hours() const { return hours_; }
  // How often `tally` happened.
  int tally(Tally tally) const;
  // The most reincarnations any one creature of the garden has had.
  int mostReincarnations() const { return mostReincarnations_; }

  // When and how each first came, or nothing when not (yet) seen or when
  // the index names nothing the book notes (a form that is not adult, coat
  // 0, a value outside its table).
  std::optional<First> form(int form) const;
  std::optional<First> color(int color) const;
  std::optional<First> coat(int coat) const;
  std::optional<First> trait(Trait trait) const;
  std::optional<First> sRank(Skill skill) const;
  std::optional<First> reincarnation() const;

 private:
  friend std::string bookText(const Book& book);
  friend struct BookReader;

  // Every first of the book in one row: the kinds of first, each a run of
  // slots (book.cc lays them out).
  static constexpr int kFirstSlots = EVOLUTION_COUNT + COLOR_COUNT +
                                     COAT_COUNT + kTraitCount + kSkillCount + 1;

  // Notes the first of `index` of a kind of first (book.cc numbers them)
  // unless one is there or the book notes no such index.
  void see(int kind, int index, Origin origin);
  // The first of `index` of a kind of first, if noted.
  std::optional<First> first(int kind, int index) const;

  int hours_ = 0;
  std::array<int, kTallyCount> tallies_{};
  int mostReincarnations_ = 0;
  std::array<std::optional<First>, kFirstSlots> firsts_{};
};

// The book's text, as the header describes it.
std::string bookText(const Book& book);

// What reading a book's text gave.
struct BookRead {
  Book book;
  // One line for each thing passed over, "line 7: ..." where a line is at
  // fault; empty when the whole text was read. After kMaxBookProblems
  // lines, one more counts the rest.
  std::vector<std::string> problems;
};
inline constexpr std::size_t kMaxBookProblems = 20;

// The book in `text`. Never fails: every line is read by itself and any that
// is unknown, malformed, out of range, a repeat of an earlier entry or cut
// short (no line end) is passed over and reported, while every other line
// is kept. A missing title or "end" line is reported too. Blank lines are
// passed over silently, and a carriage return before a line end is ignored,
// so that a book saved by another system's editor reads. Reading the text
// of bookText() gives the same book back.
BookRead readBook(std::string_view text);

#endif  // TUMBLENOOK_BOOK_H_
