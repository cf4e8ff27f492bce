// TextFields against what it stands in for: for each text, the same reads
// from a string stream in the "C" locale give the same fields, and fail and
// meet the end at the same reads.

#include "text_fields.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

bool moreFields(TextFields& in) { return in.moreFields(); }
bool moreFields(std::istream& in) { return (in >> std::ws) && !in.eof(); }
bool failed(const TextFields& in) { return in.failed(); }
bool failed(const std::istream& in) { return in.fail(); }
bool atEnd(const TextFields& in) { return in.reachedEnd(); }
bool atEnd(const std::istream& in) { return in.eof(); }

// What `reads` ('w' a word, 'n' a number, 'm' moreFields) gave, one field
// a read: the field, or "!" for a failed read, and "$" after each read that
// met the end. Works with TextFields or a stream.
template <typename Input>
std::string fieldsRead(Input& in, const std::string& reads) {
  std::string fields;
  for (const char read : reads) {
    if (read == 'm') {
      fields += moreFields(in) ? "more" : "none";
    } else if (read == 'w') {
      std::string word = "?";
      in >> word;
      fields += failed(in) ? "!" : word;
    } else {
      int number = 0;
      in >> number;
      fields += failed(in) ? "!" : std::to_string(number);
    }
    if (atEnd(in)) fields += "$";
    fields += ' ';
  }
  return fields;
}

struct Case {
  const char* text;
  const char* reads;
  const char* fields;  // what both give
};

TEST(TextFields, ReadsAsAStreamReads) {
  const Case cases[] = {
      {"Kelpberry 12 0\n", "wnnm", "Kelpberry 12 0 none$ "},
      {"  \t\n\v\f\rword", "w", "word$ "},
      {"a  b", "wmw", "a more b$ "},
      {"", "w", "!$ "},
      {" \n ", "m", "none$ "},
      {"", "n", "!$ "},
      {"-12 +7 007 -0", "nnnn", "-12 7 7 0$ "},
      {"12abc 5", "nwn", "12 abc 5$ "},
      {"1Minnow 3", "nwn", "1 Minnow 3$ "},
      {"x 5", "nn", "! ! "},
      {"- 5", "n", "! "},
      {"+", "n", "!$ "},
      {"-", "nw", "!$ !$ "},
      {"2147483647 -2147483648", "nn", "2147483647 -2147483648$ "},
      {"2147483648 1", "nn", "! ! "},
      {"-2147483649 1", "n", "! "},
      {"99999999999999999999999 1", "nn", "! ! "},
      {"18446744073709551621", "n", "!$ "},  // 2 to the 64th, and 5
      {"1.5 2", "nwn", "1 .5 2$ "},
      {"0x10", "nw", "0 x10$ "},
      {"5", "nm", "5$ none$ "},
      {"5 ", "nm", "5 none$ "},
      {"a\xc3\xa9\x01 b", "ww", "a\xc3\xa9\x01 b$ "},
      {"word", "wm", "word$ none$ "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << '"' << c.text << "\" " << c.reads);
    TextFields fields(c.text);
    std::istringstream stream(c.text);
    EXPECT_EQ(c.fields, fieldsRead(fields, c.reads));
    EXPECT_EQ(c.fields, fieldsRead(stream, c.reads));
  }
}

TEST(TextFields, AFailedReadFailsEveryReadAfterIt) {
  TextFields in("x 5 word");
  int number = 0;
  in >> number;
  std::string word = "kept";
  in >> number >> word;
  EXPECT_TRUE(in.failed());
  EXPECT_EQ(0, number);
  EXPECT_EQ("kept", word);
  EXPECT_FALSE(in.moreFields());
}

}  // namespace
