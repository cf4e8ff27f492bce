// A one-line text field, as the screen's name and import dialogs show one:
// UTF-8 text typed a character at a time, Backspace erasing the last
// character whole, Enter to submit and Esc to cancel. A filter decides what
// may be typed, and says why not in the field's note:
//   - a name: one word of text safe to print (safe_text.h), at most
//     kMaxNameBytes bytes (actions.h);
//   - a code: the printable ASCII of a creature's code (trade_code.h), with
//     the blanks and line ends of a pasted code passed over.
//
// The field only knows keys and text: what the text is used for is the
// game's.

#ifndef TUMBLENOOK_TEXT_FIELD_H_
#define TUMBLENOOK_TEXT_FIELD_H_

#include <string>

#include "key.h"

// What a field may hold.
enum class FieldFilter { kName, kCode };

class TextField {
 public:
  // What a key did to the field.
  enum class Result { kNone, kSubmitted, kCancelled };

  // An empty field that takes what `filter` lets through.
  explicit TextField(FieldFilter filter) : filter_(filter) {}

  // Acts on `key`: kSubmitted on Enter, kCancelled on Esc.
  Result onKey(const Key& key);

  // The text typed so far, UTF-8.
  const std::string& text() const { return text_; }

  // The field's note: why the last character was refused, or what the game
  // said of the text.
  const std::string& note() const { return note_; }
  void setNote(std::string note) { note_ = std::move(note); }

 private:
  void typeName(wchar_t typed);
  void typeCode(wchar_t typed);

  FieldFilter filter_;
  std::string text_;
  std::string note_;
};

// The typed character `character` as UTF-8, or empty when it has none.
std::string utf8Of(wchar_t character);

// Drops the last character of UTF-8 `text`.
void eraseLastCharacter(std::string& text);

#endif  // TUMBLENOOK_TEXT_FIELD_H_
