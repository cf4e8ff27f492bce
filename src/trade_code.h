// Creature codes: one creature's save record as one line of text, so that a
// player can keep a creature outside the garden or hand it to a friend.
//
// A code is printable ASCII without blanks, at most kMaxCodeLength
// characters:
//
//   mirl1.<record>.<check>
//
// Blanks and line ends anywhere in it are ignored when it is read, so that a
// code a mail program wrapped, or one kept in a file, reads as typed; the
// length limit counts the code without them.
//
// "mirl1" names the format and its version. <record> is the record exactly
// as the game saves it, in URL-safe base64 without padding (RFC 4648,
// section 5). <check> is the CRC-32 of everything before it, as eight
// lowercase hexadecimal digits: a changed, swapped or lost character always
// changes it, so a mistyped or cut code is refused rather than read as
// another creature.
//
// This unit only turns bytes into a code and back; it knows nothing of
// creatures or gardens.

#ifndef TUMBLENOOK_TRADE_CODE_H_
#define TUMBLENOOK_TRADE_CODE_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The longest code, in characters.
inline constexpr std::size_t kMaxCodeLength = 512;

// The code of `record`, or nothing when it would be longer than
// kMaxCodeLength (a record of more than 372 bytes).
std::optional<std::string> encodeCode(std::string_view record);

// Why a text could not be read as a code.
enum class CodeFault {
  kNone,          // it is a code: the record is read
  kNotACode,      // not "mirl<version>." at its start, or a record that
                  // no code of this format spells
  kNewerVersion,  // "mirl2." or later: a format this game does not know
  kTooLong,       // longer than kMaxCodeLength, blanks aside
  kCut,           // no check at its end: the code was cut short
  kMistyped,      // the check does not match what comes before it
};

// What reading a text as a code gave.
struct DecodedCode {
  CodeFault fault = CodeFault::kNone;
  std::string record;  // the record, when `fault` is kNone
};

// The record of the code in `text`, or the fault that stops it from being
// read. Blanks and line ends anywhere in `text` are ignored; only its first
// kMaxCodeLength + 1 other characters are looked at, so memory stays
// bounded whatever its length.
DecodedCode decodeCode(std::string_view text);

// What is wrong with a text that `fault` keeps from being read as a code,
// in words for the player; "" for kNone.
std::string describeCodeFault(CodeFault fault);

// The check that ends a code whose text before its last '.' is
// `signedPart`: the CRC-32 of it, as eight lowercase hexadecimal digits.
std::string codeCheck(std::string_view signedPart);

#endif  // TUMBLENOOK_TRADE_CODE_H_
