// The screen's words: how the full screen answers an action, words the
// hour's events and says why an action cannot be done. The line game has
// its own exact texts (console.h); these are the screen's alone, built from
// the rules' own constants, so that a changed rule changes its words too.

#ifndef TUMBLENOOK_SCREEN_WORDS_H_
#define TUMBLENOOK_SCREEN_WORDS_H_

#include <string>
#include <vector>

#include "actions.h"
#include "forecast.h"
#include "garden.h"
#include "mirl.h"

// The answer to a dialog closed without acting.
inline constexpr char kCancelledWords[] = "Cancelled; no hour passed";
// The answer to a release that was not confirmed.
inline constexpr char kKeptWords[] = "Kept; no hour passed";
// Why nothing can join the garden.
inline constexpr char kGardenFullWords[] =
    "The garden is full: release a mirl (r) to make room";
// The answer to a key that means nothing where it was pressed.
inline constexpr char kNoSuchKeyWords[] =
    "That key does nothing here; ? shows the keys";
// The answer to Enter in the garden.
inline constexpr char kEnterAloneWords[] =
    "Enter alone does nothing here: press a key of an action";

// Why slot `slot` of `garden` cannot be acted on: it is empty.
std::string emptySlotWords(const Garden& garden, int slot);

// Why `name` cannot be petted.
// REQUIRES: refusal != PetRefusal::kNone.
std::string petRefusalWords(const std::string& name, PetRefusal refusal);

// Why `name` cannot breed yet: it has not evolved.
std::string notGrownWords(const std::string& name);

// Why the pair cannot breed, for the breed dialog's note, when the partner
// in slot `partner` is the reason.
// REQUIRES: refusal is kSameCreature, kNotInGarden or kChild.
std::string partnerRefusalWords(const Garden& garden, int partner,
                                BreedRefusal refusal);

// Why `name` cannot be released: its record is too long for a code.
std::string tooLongForCodeWords(const std::string& name);

// The answer to a hatch: "A Jewel egg hatched in slot 3: Shiny Ruby".
std::string hatchedWords(int kind, int slot, const Mirl& egg);

// The answer to naming: "Pip is now called Pipkin".
std::string namedWords(const std::string& was, const std::string& now);

// The answer to giving `creature` item `index` of `kind`, once `before` became
// `creature`: what it took, the skills that changed and the sliders that
// moved.
std::string givenWords(const Mirl& before, const Mirl& creature,
                       const ItemCollection& items, int kind, int index);

// The answer to petting, once `before` became `creature`.
std::string pettedWords(const Mirl& before, const Mirl& creature);

// The answer to breeding: "Ada and Bo had an egg in slot 3: Shiny Ruby".
std::string bredWords(const Garden& garden, int first, int second, int slot);

// The answer to a release.
std::string releasedWords(const std::string& name);

// The answer to an import into `slot`.
std::string joinedWords(const Garden& garden, int slot);

// The skills that changed from `before` to `after`, as "Swim 3 → 4, Run +6
// exp", or "no skill changed".
std::string levelChanges(const Mirl& before, const Mirl& after);

// The sliders that moved from `before` to `after`, as "Swim-Fly 3 → 4", or
// "" when none moved.
std::string sliderChanges(const Mirl& before, const Mirl& after);

// What the hour did, each event as ". <name> evolved into <form>" or
// ". <name> was reincarnated", in order; "" for a quiet hour.
std::string eventWords(const Garden& garden,
                       const std::vector<AgeEvent>& events);

// When a creature of `age` next changes: "evolves in 3h", "reborn in 12h",
// or, read from a file at the last age or more, that it never will again.
// `in` goes between the change and its hours.
std::string nextChangeWords(int age, const std::string& in = " in ");

// Where a creature is heading: "at 20h: Swim/Hero" before it
// evolves, "keeps Hero when reborn" once grown, or, past the last age,
// that it stays as it is.
std::string headingWords(const EvolutionForecast& forecast);

// How far one shape is for a creature still to evolve: "Swim: there now",
// "Fly: 27 steps, Green drive x14", with ", too late" when the gifts do not
// fit in the hours left, or ", no sure item" when no item pushes that way
// for sure.
std::string reachWords(const ShapeOutlook& outlook);
// Entry `index` of `table` (of `count` entries) as the screen shows it:
// without the blanks that begin or end it in the table, and followed by its
// number, as "Metal (13)", when another entry reads the same. An index
// outside the table shows entry 0, as tableEntry does. The line game, files
// and codes keep the table's own texts.
// REQUIRES: count > 0.
std::string cleanTableName(const char* const* table, int count, int index);

// The looks of `breed` in the screen's words: its phenotype, built with the
// clean names of cleanTableName ("Shiny Emerald", "Metal (14)").
std::string cleanLooks(const Breed& breed);

// What `effect` would do to a creature of `age`, in lines for the side of
// the give list: the experience of a bite and in all, each skill a line;
// the slider it pushes, which way and how far; the sliders after it; and,
// before the creature evolves, the form they would pick.
std::vector<std::string> itemEffectLines(const ItemEffect& effect, int age);

#endif  // TUMBLENOOK_SCREEN_WORDS_H_
