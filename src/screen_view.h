// What the full screen shows, composed on a canvas from the garden and the
// screen's state: the garden's boxes, the selected creature's statistics,
// the answer line, the key bar, and the open dialog over them. Composing
// only reads; the keys and what they do are the screen's (screen.h).
//
// The layout needs 80 columns by 24 rows; a smaller window shows a notice
// instead, cut to whatever room there is.

#ifndef TUMBLENOOK_SCREEN_VIEW_H_
#define TUMBLENOOK_SCREEN_VIEW_H_

#include <memory>
#include <string>
#include <vector>

#include "canvas.h"
#include "garden.h"
#include "items.h"

inline constexpr int kScreenRows = 24;
inline constexpr int kScreenColumns = 80;

// The dialogs the screen can open over the garden.
enum class Dialog {
  kNone,
  kHelp,
  kEggKind,
  kGene,
  kName,
  kItemKind,
  kItem,
  kPet,
  kBreed,
  kRelease,
  kImport
};

// One entry of a list: the number the line game shows beside it, and its
// words.
struct ListEntry {
  int number;
  std::string label;
};

// A list to pick from: by typing an entry's number then Enter, or with the
// arrow keys and Enter.
struct Picker {
  std::string title;
  std::vector<ListEntry> entries;
  int highlighted = 0;
  std::string typed;  // the number typed so far
};

// Everything the screen shows beyond the garden itself.
struct ScreenState {
  int selected = 0;    // the slot of the selected creature
  std::string answer;  // the line that answers the last key
  Dialog dialog = Dialog::kNone;
  Picker picker;      // the open list, for the dialogs with one
  std::string field;  // the text of the name or import editor
  std::string note;   // a dialog's own line: a refusal, a file's note
  int eggKind = 0;    // the egg being hatched
  int itemKind = 0;   // the kind of item being given
  std::unique_ptr<ItemCollection> items;  // the catalogue of the give dialog
  std::string code;  // the code of the creature being released
};

// True when a window of `rows` by `columns` holds the whole screen.
bool fitsScreen(int rows, int columns);

// Composes the whole screen for `garden` and `state` on a canvas of `rows`
// by `columns`.
Canvas composeScreen(const Garden& garden, const ScreenState& state, int rows,
                     int columns);

#endif  // TUMBLENOOK_SCREEN_VIEW_H_
