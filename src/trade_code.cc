#include "trade_code.h"

#include <cstdint>
#include <utility>

namespace {

constexpr std::string_view kFormat = "mirl";
constexpr std::string_view kPrefix = "mirl1.";
constexpr char kSeparator = '.';
constexpr std::size_t kCheckDigits = 8;
constexpr std::string_view kBlanks = " \t\r\n";

// URL-safe base64: letters, digits, '-' and '_', none of them special to a
// shell or a URL. Every 3 bytes become 4 characters of 6 bits each.
constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
constexpr int kBitsPerChar = 6;
constexpr int kBitsPerByte = 8;
constexpr unsigned kSixBits = 0x3f;
constexpr unsigned kByte = 0xff;

// The reflected polynomial of CRC-32 (IEEE 802.3), as zlib and PNG use it.
constexpr std::uint32_t kCrcPolynomial = 0xedb88320U;

std::uint32_t crc32(std::string_view bytes) {
  std::uint32_t crc = ~std::uint32_t{0};
  for (const char c : bytes) {
    crc ^= static_cast<unsigned char>(c);
    for (int bit = 0; bit < kBitsPerByte; ++bit) {
      crc = (crc >> 1) ^ (kCrcPolynomial & (0U - (crc & 1U)));
    }
  }
  return ~crc;
}

constexpr std::string_view kHexDigits = "0123456789abcdef";
constexpr std::string_view kDecimalDigits = "0123456789";

std::string toBase64(std::string_view bytes) {
  std::string text;
  unsigned bits = 0;
  int held = 0;  // bits waiting in `bits`
  for (const char c : bytes) {
    bits = (bits << kBitsPerByte) | static_cast<unsigned char>(c);
    for (held += kBitsPerByte; held >= kBitsPerChar; held -= kBitsPerChar) {
      text += kAlphabet[(bits >> (held - kBitsPerChar)) & kSixBits];
    }
  }
  if (held > 0) text += kAlphabet[(bits << (kBitsPerChar - held)) & kSixBits];
  return text;
}

// The bytes of `text`, or nothing for a character outside the alphabet or
// a last character whose unused bits are set: each byte string has exactly
// one spelling, so that no two codes hold the same creature.
std::optional<std::string> fromBase64(std::string_view text) {
  std::string bytes;
  unsigned bits = 0;
  int held = 0;
  for (const char c : text) {
    const std::size_t value = kAlphabet.find(c);
    if (value == std::string_view::npos) return std::nullopt;
    bits = (bits << kBitsPerChar) | static_cast<unsigned>(value);
    held += kBitsPerChar;
    if (held >= kBitsPerByte) {
      held -= kBitsPerByte;
      bytes += static_cast<char>((bits >> held) & kByte);
    }
  }
  // A last character that stands alone holds no whole byte.
  if (held >= kBitsPerChar || (bits & ((1U << held) - 1)) != 0) {
    return std::nullopt;
  }
  return bytes;
}

// `code` without its blanks and line ends, cut after kMaxCodeLength + 1
// characters: enough to tell a code that is too long, and no more, so that
// memory stays bounded whatever `code` holds.
std::string withoutBlanks(std::string_view code) {
  std::string kept;
  for (const char c : code) {
    if (kBlanks.find(c) != std::string_view::npos) continue;
    kept += c;
    if (kept.size() > kMaxCodeLength) break;
  }
  return kept;
}

// The fault of the start of `code`, "mirl<version>.": kNone for this
// version. A start of "mirl1." alone is a code cut short.
CodeFault prefixFault(std::string_view code) {
  if (code.substr(0, kPrefix.size()) == kPrefix) return CodeFault::kNone;
  if (!code.empty() && code.size() < kPrefix.size() &&
      kPrefix.substr(0, code.size()) == code) {
    return CodeFault::kCut;
  }
  if (code.substr(0, kFormat.size()) != kFormat) return CodeFault::kNotACode;
  // A version is a number without leading zeros; any but 1 is higher.
  const std::string_view version = code.substr(kFormat.size());
  const std::size_t end = version.find_first_not_of(kDecimalDigits);
  if (end == 0 || end == std::string_view::npos || version[end] != kSeparator ||
      version[0] == '0') {
    return CodeFault::kNotACode;
  }
  return CodeFault::kNewerVersion;
}

// Whether the end of `body`, a code after its prefix, is missing its check:
// no separator, or fewer digits after the only one than a check has. A
// check with a wrong digit, or a second separator, is a mistyped code.
bool isCut(std::string_view body) {
  const std::size_t separator = body.rfind(kSeparator);
  if (separator == std::string_view::npos) return true;
  const std::string_view check = body.substr(separator + 1);
  return check.size() < kCheckDigits && body.find(kSeparator) == separator &&
         check.find_first_not_of(kHexDigits) == std::string_view::npos;
}

// The record of a code that is neither cut nor too long, given as the part
// its check covers and the check.
DecodedCode readChecked(std::string_view signedPart, std::string_view check) {
  DecodedCode decoded;
  std::optional<std::string> record =
      fromBase64(signedPart.substr(kPrefix.size()));
  if (check != codeCheck(signedPart)) {
    decoded.fault = CodeFault::kMistyped;
  } else if (!record) {
    // The check is right, but no code of this game spells a record so.
    decoded.fault = CodeFault::kNotACode;
  } else {
    decoded.record = std::move(*record);
  }
  return decoded;
}

}  // namespace

std::string codeCheck(std::string_view signedPart) {
  std::string digits(kCheckDigits, '0');
  std::uint32_t crc = crc32(signedPart);
  for (std::size_t i = kCheckDigits; i-- > 0; crc >>= 4) {
    digits[i] = kHexDigits[crc & 0xfU];
  }
  return digits;
}

std::optional<std::string> encodeCode(std::string_view record) {
  std::string code = std::string(kPrefix) + toBase64(record);
  code += kSeparator + codeCheck(code);
  if (code.size() > kMaxCodeLength) return std::nullopt;
  return code;
}

DecodedCode decodeCode(std::string_view text) {
  const std::string code = withoutBlanks(text);
  DecodedCode decoded;
  decoded.fault = prefixFault(code);
  if (decoded.fault != CodeFault::kNone) return decoded;
  const std::string_view body = std::string_view(code).substr(kPrefix.size());
  if (code.size() > kMaxCodeLength) {
    decoded.fault = CodeFault::kTooLong;
  } else if (isCut(body)) {
    decoded.fault = CodeFault::kCut;
  } else {
    const std::size_t separator = kPrefix.size() + body.rfind(kSeparator);
    const std::string_view whole = code;
    decoded =
        readChecked(whole.substr(0, separator), whole.substr(separator + 1));
  }
  return decoded;
}

std::string describeCodeFault(CodeFault fault) {
  switch (fault) {
    case CodeFault::kNone:
      return "";
    case CodeFault::kNotACode:
      return "this is not a creature code";
    case CodeFault::kNewerVersion:
      return "the code is from a newer version of the game than this one";
    case CodeFault::kTooLong:
      return "the code is too long: a code has at most " +
             std::to_string(kMaxCodeLength) + " characters, blanks aside";
    case CodeFault::kCut:
      return "the code was cut short: the check at its end is missing";
    case CodeFault::kMistyped:
      return "the code was mistyped: its check does not match";
  }
  return "the code cannot be read";
}
