// Text safe to print: what the predicate lets through and what the repair
// makes of the rest, one character or stray byte at a time.

#include "safe_text.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

struct Case {
  const char* what;
  std::string text;
  std::string repaired;  // the text itself when it is safe
};

TEST(SafeText, KeepsSafeCharactersAndStandsInForEachUnsafeOne) {
  const Case cases[] = {
      {"plain ASCII", "Pip~ !9", "Pip~ !9"},
      {"empty", "", ""},
      {"2-byte UTF-8", "\xC3\x89mile", "\xC3\x89mile"},  // Émile
      {"3-byte UTF-8", "\xE5\xB0\x8F\xE9\xB3\xA5", "\xE5\xB0\x8F\xE9\xB3\xA5"},
      {"4-byte UTF-8, last code point", "a\xF0\x9F\x90\xA6\xF4\x8F\xBF\xBF",
       "a\xF0\x9F\x90\xA6\xF4\x8F\xBF\xBF"},
      {"U+00A0 after the C1 controls", "a\xC2\xA0z", "a\xC2\xA0z"},
      {"escape", "Pip\x1B]0;PWNED\x07\x1B[2J\x1B[31m",
       "Pip_]0;PWNED__[2J_[31m"},
      {"bell and tab", "\x07\tA", "__A"},
      {"NUL", std::string("a\0b", 3), "a_b"},
      {"DEL", "a\x7F", "a_"},
      {"U+0085 as C2 85, one character", "a\xC2\x85z", "a_z"},
      {"U+009F, last C1 control", "\xC2\x9F", "_"},
      {"lone FF", "a\xFFz", "a_z"},
      {"lone continuation byte", "\x80z", "_z"},
      {"overlong C0 AF", "a\xC0\xAFz", "a__z"},
      {"overlong 3-byte E0 80 AF", "\xE0\x80\xAF", "___"},
      {"cut sequence at the end", "ab\xE5\xB0", "ab__"},
      {"lead byte before ASCII", "\xC3\x41z", "_Az"},
      {"surrogate ED A0 80", "a\xED\xA0\x80", "a___"},
      {"above U+10FFFF", "\xF4\x90\x80\x80z", "____z"},
      {"U+061C between U+061B and U+061D", "\xD8\x9B\xD8\x9C\xD8\x9D",
       "\xD8\x9B_\xD8\x9D"},
      {"U+200E, U+200F between U+200D and U+2010",
       "\xE2\x80\x8D\xE2\x80\x8E\xE2\x80\x8F\xE2\x80\x90",
       "\xE2\x80\x8D__\xE2\x80\x90"},
      {"U+2028, U+2029 after U+2027", "\xE2\x80\xA7\xE2\x80\xA8\xE2\x80\xA9",
       "\xE2\x80\xA7__"},
      {"U+202A to U+202E before U+202F",
       "\xE2\x80\xAA\xE2\x80\xAC\xE2\x80\xAE\xE2\x80\xAF", "___\xE2\x80\xAF"},
      {"U+2066 to U+2069 between U+2065 and U+206A",
       "\xE2\x81\xA5\xE2\x81\xA6\xE2\x81\xA9\xE2\x81\xAA",
       "\xE2\x81\xA5__\xE2\x81\xAA"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.text == c.repaired, isSafeText(c.text));
    EXPECT_EQ(c.repaired, safeText(c.text));
    EXPECT_TRUE(isSafeText(safeText(c.text)));
    std::string inPlace = c.text;
    EXPECT_EQ(c.text != c.repaired, makeSafe(inPlace));
    EXPECT_EQ(c.repaired, inPlace);
  }
  // A sequence cut by the end of a view, though its next byte lies beyond.
  EXPECT_FALSE(isSafeText(std::string_view("\xE5\xB0\x8F", 2)));
}

}  // namespace
