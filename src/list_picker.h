// A list to pick from, as the screen's dialogs show one: each entry with
// the number the line game gives it, one highlighted. The player picks by
// typing an entry's number and Enter, or by moving the highlight with the
// arrows, paging, Home and End, and Enter; Esc cancels. While a number is
// typed, the entry it names so far is highlighted. The picker keeps a
// note, the dialog's own line (a refusal, a catalogue's note), that what
// the player types clears.
//
// The picker only knows keys and entries: what a pick does is the game's.

#ifndef TUMBLENOOK_LIST_PICKER_H_
#define TUMBLENOOK_LIST_PICKER_H_

#include <string>
#include <vector>

#include "key.h"

// One entry of a list: its number, and its words.
struct ListEntry {
  int number;
  std::string label;
};

class ListPicker {
 public:
  // What a key did to the list.
  enum class Result { kNone, kPicked, kCancelled };

  // A list titled `title` of `entries`, with entry `highlighted` (an index)
  // highlighted.
  ListPicker(std::string title, std::vector<ListEntry> entries,
             int highlighted = 0);

  // Acts on `key`. kPicked when an entry was picked (its number in
  // picked()); kCancelled on Esc.
  Result onKey(const Key& key);

  // The number of the entry picked last.
  int picked() const { return picked_; }

  const std::string& title() const { return title_; }
  const std::vector<ListEntry>& entries() const { return entries_; }
  // The index of the highlighted entry; 0 for an empty list.
  int highlighted() const { return highlighted_; }
  // The highlighted entry, or null for an empty list.
  const ListEntry* highlightedEntry() const;
  // The number typed so far.
  const std::string& typed() const { return typed_; }

  // The dialog's own line.
  const std::string& note() const { return note_; }
  void setNote(std::string note) { note_ = std::move(note); }

  // The index of the first entry shown in a box of `rows` rows, such that
  // the highlighted entry is in view, as near the middle as the list allows.
  int firstShown(int rows) const;

 private:
  Result onEnter();
  void onTyped(wchar_t typed);
  // Highlights the entry whose number the digits typed so far make, if
  // any, so that what is shown beside the list follows the typing.
  void followTyped();
  void move(KeyKind kind);

  std::string title_;
  std::vector<ListEntry> entries_;
  int highlighted_;
  std::string typed_;
  std::string note_;
  int picked_ = 0;
};

#endif  // TUMBLENOOK_LIST_PICKER_H_
