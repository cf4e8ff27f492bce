// The screen's lists: picking by a typed number or by the highlight, the
// keys that move it, the notes that say why a number was not taken, and
// which entries a box of a few rows shows.

#include "list_picker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screen_util.h"

namespace {

// Entries numbered from `first`, `count` of them, labelled "e<number>".
std::vector<ListEntry> numbered(int first, int count) {
  std::vector<ListEntry> entries;
  for (int number = first; number < first + count; ++number) {
    entries.push_back({number, "e" + std::to_string(number)});
  }
  return entries;
}

constexpr char kNotANumber[] =
    "Type a number from the list, or choose with the arrows";

TEST(ListPicker, PicksByNumberOrHighlightAndSaysWhyNot) {
  using R = ListPicker::Result;
  const std::vector<ListEntry> twenty = numbered(0, 20);
  const std::vector<ListEntry> alignments = numbered(-1, 3);
  const struct {
    const std::vector<ListEntry>& entries;
    int start;  // the highlighted index at first
    std::vector<std::string> keys;
    R last;  // what the last key did
    int picked, highlighted;
    const char *typed, *note;
  } cases[] = {
      // clang-format off
      {twenty, 0, keys("Enter"), R::kPicked, 0, 0, "", ""},
      {twenty, 0, keys("Down Down Enter"), R::kPicked, 2, 2, "", ""},
      {twenty, 0, keys("Down Up Up"), R::kNone, 0, 0, "", ""},
      {twenty, 0, keys("End Down"), R::kNone, 0, 19, "", ""},
      {twenty, 0, keys("End Up Enter"), R::kPicked, 18, 18, "", ""},
      {twenty, 5, keys("Home"), R::kNone, 0, 0, "", ""},
      {twenty, 5, keys("PageDown"), R::kNone, 0, 19, "", ""},
      {twenty, 5, keys("PageUp"), R::kNone, 0, 0, "", ""},
      {twenty, 5, keys("Left Right"), R::kNone, 0, 5, "", ""},
      {twenty, 25, {}, R::kNone, 0, 19, "", ""},  // kept inside the list
      {twenty, -3, {}, R::kNone, 0, 0, "", ""},
      // A typed number highlights the entry it names so far.
      {twenty, 0, keys("1 2 Enter"), R::kPicked, 12, 12, "", ""},
      {twenty, 0, keys("1 2 Backspace Enter"), R::kPicked, 1, 1, "", ""},
      {twenty, 0, keys("Backspace Enter"), R::kPicked, 0, 0, "", ""},
      {twenty, 0, keys("1 2"), R::kNone, 0, 12, "12", ""},
      {twenty, 0, keys("1 Down"), R::kNone, 0, 2, "", ""},  // moving drops it
      {twenty, 0, keys("2 5 Enter"), R::kNone, 0, 2, "", "25 is not on the list"},
      {twenty, 0, keys("- Enter"), R::kNone, 0, 0, "", "Type a number from the list"},
      {twenty, 0, keys("- 3 Enter"), R::kNone, 0, 0, "", "-3 is not on the list"},
      {twenty, 0, keys("1 -"), R::kNone, 0, 1, "1", kNotANumber},
      {twenty, 0, keys("x"), R::kNone, 0, 0, "", kNotANumber},
      {twenty, 0, keys("x 7"), R::kNone, 0, 7, "7", ""},  // typing clears it
      {twenty, 0, keys("1 2 3 4 5"), R::kNone, 0, 12, "1234", kNotANumber},
      {twenty, 0, keys("- 1 2 3 4"), R::kNone, 0, 0, "-123", kNotANumber},
      {twenty, 0, keys("9 9 9 9 Enter"), R::kNone, 0, 9, "", "9999 is not on the list"},
      {twenty, 0, keys("Esc"), R::kCancelled, 0, 0, "", ""},
      {twenty, 0, keys("1 Esc"), R::kCancelled, 0, 1, "1", ""},
      {alignments, 1, keys("Enter"), R::kPicked, 0, 1, "", ""},
      {alignments, 1, keys("Up Enter"), R::kPicked, -1, 0, "", ""},
      {alignments, 1, keys("- 1 Enter"), R::kPicked, -1, 0, "", ""},
      {alignments, 1, keys("0 1 Enter"), R::kPicked, 1, 2, "", ""},
      // clang-format on
  };
  for (const auto& c : cases) {
    std::string keys;
    for (const std::string& key : c.keys) keys += key + " ";
    SCOPED_TRACE(std::to_string(c.entries.size()) + " entries from " +
                 std::to_string(c.start) + ": " + keys);
    ListPicker list("Pick", c.entries, c.start);
    R last = R::kNone;
    for (const std::string& key : c.keys) last = list.onKey(keyNamed(key));
    EXPECT_EQ(c.last, last);
    if (last == R::kPicked) {
      EXPECT_EQ(c.picked, list.picked());
    }
    EXPECT_EQ(c.highlighted, list.highlighted());
    EXPECT_EQ(c.entries[c.highlighted].number, list.highlightedEntry()->number);
    EXPECT_EQ(c.typed, list.typed());
    EXPECT_EQ(c.note, list.note());
  }
}

TEST(ListPicker, AnEmptyListPicksNothing) {
  ListPicker list("Which fruit?", {}, 3);
  EXPECT_EQ(0, list.highlighted());
  EXPECT_EQ(nullptr, list.highlightedEntry());
  for (const char* key : {"Down", "End", "Up", "Enter"}) {
    EXPECT_EQ(ListPicker::Result::kNone, list.onKey(keyNamed(key))) << key;
  }
  EXPECT_EQ(ListPicker::Result::kNone, list.onKey(keyNamed("0")));
  EXPECT_EQ(ListPicker::Result::kNone, list.onKey(keyNamed("Enter")));
  EXPECT_EQ("0 is not on the list", list.note());
  EXPECT_EQ(ListPicker::Result::kCancelled, list.onKey(keyNamed("Esc")));
}

TEST(ListPicker, ABoxShowsTheHighlightNearItsMiddle) {
  const struct {
    int count, highlighted, rows, first;
  } cases[] = {
      {20, 0, 15, 0},  {20, 7, 15, 0},  {20, 8, 15, 1},  {20, 10, 15, 3},
      {20, 12, 15, 5}, {20, 19, 15, 5}, {20, 19, 4, 16}, {20, 9, 4, 7},
      {3, 2, 15, 0},   {15, 14, 15, 0}, {16, 15, 15, 1}, {0, 0, 15, 0},
  };
  for (const auto& c : cases) {
    const ListPicker list("Pick", numbered(0, c.count), c.highlighted);
    EXPECT_EQ(c.first, list.firstShown(c.rows))
        << c.count << " " << c.highlighted << " " << c.rows;
  }
}

}  // namespace
