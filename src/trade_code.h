// Creature codes: one creature's save record as one line of text, so that a
// player can keep a creature outside the garden or hand it to a friend.
//
// A code is printable ASCII without blanks, at most kMaxCodeLength
// characters:
//
//   mirl1.<record>.<check>
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

// The record that `code` holds, or nothing when it is not a code of this
// format: another version, a character outside the alphabet, a wrong
// check, or a code cut short. Blanks and line ends around the code are
// ignored, so a code read back from a file works as typed.
std::optional<std::string> decodeCode(std::string_view code);

#endif  // TUMBLENOOK_TRADE_CODE_H_
