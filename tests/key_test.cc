// The names of keys that tests and scripts press: each named key, and any
// other word as its first character, UTF-8.

#include "key.h"

#include <gtest/gtest.h>

namespace {

TEST(Key, NamedOrTypedByItsFirstCharacter) {
  const struct {
    const char* word;
    KeyKind kind;
    wchar_t character;
  } cases[] = {
      {"Enter", KeyKind::kEnter, 0},
      {"Esc", KeyKind::kEscape, 0},
      {"Backspace", KeyKind::kBackspace, 0},
      {"Up", KeyKind::kUp, 0},
      {"Down", KeyKind::kDown, 0},
      {"Left", KeyKind::kLeft, 0},
      {"Right", KeyKind::kRight, 0},
      {"PageUp", KeyKind::kPageUp, 0},
      {"PageDown", KeyKind::kPageDown, 0},
      {"Home", KeyKind::kHome, 0},
      {"End", KeyKind::kEnd, 0},
      {"Redraw", KeyKind::kRedraw, 0},
      {"Resize", KeyKind::kResize, 0},
      {"", KeyKind::kOther, 0},
      {"h", KeyKind::kCharacter, L'h'},
      {"Enterprise", KeyKind::kCharacter, L'E'},
      {"\u00e9t\u00e9", KeyKind::kCharacter, 0xE9},
      {"\u5c0f", KeyKind::kCharacter, 0x5C0F},
      {"\U0001F426", KeyKind::kCharacter, 0x1F426},
      // A character cut short stands as its lead byte.
      {"\xc3", KeyKind::kCharacter, 0xC3},
      {"\xe5\xb0", KeyKind::kCharacter, 0xE5},
      {"\xf0\x9f\x90", KeyKind::kCharacter, 0xF0},
      {"\x80", KeyKind::kCharacter, 0x80},
  };
  for (const auto& c : cases) {
    const Key key = keyNamed(c.word);
    EXPECT_EQ(c.kind, key.kind) << c.word;
    EXPECT_EQ(c.character, key.character) << c.word;
  }
  EXPECT_TRUE(keyNamed("y").is('y'));
  EXPECT_FALSE(keyNamed("Y").is('y'));
  EXPECT_FALSE(Key::named(KeyKind::kEnter).is(0));
}

}  // namespace
