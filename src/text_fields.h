// The fields of a text, read as `>>` reads them from a stream in the "C"
// locale, without a stream: the item catalogue is read this way, a field at
// a time, for a small part of what a string stream costs at every field.
//
// A word runs from the first byte that is not blank to the next blank or
// the end; a number is an optional sign and decimal digits, and whatever
// follows its digits stays for the next read, so "12abc" reads as 12 and
// then "abc". Blanks are the six of the C locale: space, tab, line feed,
// vertical tab, form feed and carriage return. A read that finds no field
// fails the reader, as it fails a stream, and every read after it fails
// too. This unit uses nothing else of the game.

#ifndef TUMBLENOOK_TEXT_FIELDS_H_
#define TUMBLENOOK_TEXT_FIELDS_H_

#include <cstddef>
#include <string>
#include <string_view>

class TextFields {
 public:
  // Reads from `text`, which must outlive the reader.
  explicit TextFields(std::string_view text) : text_(text) {}

  // Reads the next word into `word`. Fails when only blanks are left;
  // `word` is then left as it was.
  TextFields& operator>>(std::string& word);

  // Reads the next number into `number`. Fails when no digit comes after
  // the blanks (and an optional sign), or beyond the range of int; `number`
  // is then left as it was.
  TextFields& operator>>(int& number);

  // Skips blanks, and tells whether a field follows: false at the end of
  // the text and after a failed read, as `(in >> std::ws) && !in.eof()`.
  bool moreFields();

  // True once a read failed.
  bool failed() const { return failed_; }

  // True once a read, or moreFields, met the end of the text (a stream's
  // end-of-file): a field that ends the text may be cut short.
  bool reachedEnd() const { return reachedEnd_; }

 private:
  // Skips blanks; false, with the reader failed, when the text ends first.
  bool skipBlanks();

  std::string_view text_;
  std::size_t at_ = 0;
  bool failed_ = false;
  bool reachedEnd_ = false;
};

#endif  // TUMBLENOOK_TEXT_FIELDS_H_
