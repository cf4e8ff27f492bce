// The screen's text fields: a name takes one safe word of at most the limit
// and says why a character was refused; a code takes printable ASCII and
// passes over the blanks of a paste; Backspace erases a whole character.

#include "text_field.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions.h"
#include "screen_util.h"

namespace {

constexpr char kOneWord[] =
    "A name is one word, without blanks or control characters";
constexpr char kTooLong[] = "A name holds at most 64 bytes";
constexpr char kNotInACode[] = "That cannot be part of a code";

TEST(TextField, TakesWhatItsFilterLetsThrough) {
  static_assert(kMaxNameBytes == 64, "kTooLong names the limit");
  using R = TextField::Result;
  const Utf8Locale utf8;
  const std::string most(kMaxNameBytes, 'a');
  const std::string bird = "\u5c0f\u9ce5";  // two characters, six bytes
  const std::string longest(4096, 'c');
  const struct {
    FieldFilter filter;
    std::vector<std::string> keys;
    R last;
    std::string text;
    const char* note;
  } cases[] = {
      {FieldFilter::kName, {"P", "i", "p", "Enter"}, R::kSubmitted, "Pip", ""},
      {FieldFilter::kName, {"Enter"}, R::kSubmitted, "", ""},
      {FieldFilter::kName, {"P", "Esc"}, R::kCancelled, "P", ""},
      {FieldFilter::kName, keysTyping(most), R::kNone, most, ""},
      {FieldFilter::kName, keysTyping(most + "b"), R::kNone, most, kTooLong},
      {FieldFilter::kName, keysTyping(most.substr(2) + "\u00e9"), R::kNone,
       most.substr(2) + "\u00e9", ""},
      {FieldFilter::kName, keysTyping(most.substr(1) + "\u00e9"), R::kNone,
       most.substr(1), kTooLong},
      {FieldFilter::kName, keysTyping(bird), R::kNone, bird, ""},
      {FieldFilter::kName, {"P", " "}, R::kNone, "P", kOneWord},
      {FieldFilter::kName, {"P", "\t"}, R::kNone, "P", kOneWord},
      {FieldFilter::kName, {"\u3000"}, R::kNone, "", kOneWord},  // wide blank
      {FieldFilter::kName, {"\x07"}, R::kNone, "", kOneWord},
      {FieldFilter::kName, {"\x7f"}, R::kNone, "", kOneWord},
      {FieldFilter::kName, {"\xed\xa0\x80"}, R::kNone, "", kOneWord},
      {FieldFilter::kName, {" ", "P"}, R::kNone, "P", ""},  // a good one clears
      {FieldFilter::kName, {"P", "\u00e9", "Backspace"}, R::kNone, "P", ""},
      {FieldFilter::kName, concat({keysTyping(bird), {"Backspace"}}), R::kNone,
       "\u5c0f", ""},
      {FieldFilter::kName, {"\U0001F426", "Backspace"}, R::kNone, "", ""},
      {FieldFilter::kName, {"P", "Backspace", "Backspace"}, R::kNone, "", ""},
      {FieldFilter::kName, {" ", "Backspace"}, R::kNone, "", ""},
      {FieldFilter::kName, {"P", "Up", "Home", "Resize"}, R::kNone, "P", ""},
      {FieldFilter::kCode, {"m", "1", ".", "~", "!"}, R::kNone, "m1.~!", ""},
      {FieldFilter::kCode, {"m", " ", "\n", "\t", "1"}, R::kNone, "m1", ""},
      {FieldFilter::kCode, {"m", "\u00e9"}, R::kNone, "m", kNotInACode},
      {FieldFilter::kCode, {"\x7f"}, R::kNone, "", kNotInACode},
      {FieldFilter::kCode, {"\x1b"}, R::kNone, "", kNotInACode},
      {FieldFilter::kCode, keysTyping(longest), R::kNone, longest, ""},
      {FieldFilter::kCode, keysTyping(longest + "d"), R::kNone, longest,
       kNotInACode},
      {FieldFilter::kCode, {"m", "Backspace", "Enter"}, R::kSubmitted, "", ""},
      {FieldFilter::kCode, {"Esc"}, R::kCancelled, "", ""},
  };
  for (const auto& c : cases) {
    std::string pressed;
    for (const std::string& key : c.keys) pressed += key + " ";
    SCOPED_TRACE(pressed.substr(0, 40));
    TextField field(c.filter);
    R last = R::kNone;
    for (const std::string& key : c.keys) last = field.onKey(keyNamed(key));
    EXPECT_EQ(c.last, last);
    if (c.text.size() > kMaxNameBytes) {  // told by its length alone
      EXPECT_EQ(c.text.size(), field.text().size());
      EXPECT_TRUE(c.text == field.text());
    } else {
      EXPECT_EQ(c.text, field.text());
    }
    EXPECT_EQ(c.note, field.note());
  }
}

TEST(TextField, EncodesAndErasesWholeCharacters) {
  const Utf8Locale utf8;
  const struct {
    wchar_t character;
    const char* bytes;
  } encoded[] = {
      {L'a', "a"},        {0xE9, "\u00e9"},
      {0x5C0F, "\u5c0f"}, {0x1F426, "\U0001F426"},
      {0xD800, ""},  // half of a pair: no character
  };
  for (const auto& c : encoded) EXPECT_EQ(c.bytes, utf8Of(c.character));
  const struct {
    const char *text, *erased;
  } erasing[] = {
      {"ab", "a"},
      {"a\u00e9", "a"},
      {"a\u5c0f", "a"},
      {"\U0001F426", ""},
      // Lone continuation bytes go with the byte that leads them.
      {"a\x80\x80", ""},
      {"", ""},
  };
  for (const auto& c : erasing) {
    std::string text = c.text;
    eraseLastCharacter(text);
    EXPECT_EQ(c.erased, text) << c.text;
  }
}

}  // namespace
