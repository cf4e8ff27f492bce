#include "trade_code.h"

#include <cstdint>

namespace {

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

std::string checkOf(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string digits(kCheckDigits, '0');
  std::uint32_t crc = crc32(text);
  for (std::size_t i = kCheckDigits; i-- > 0; crc >>= 4) {
    digits[i] = kHex[crc & 0xfU];
  }
  return digits;
}

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

}  // namespace

std::optional<std::string> encodeCode(std::string_view record) {
  std::string code = std::string(kPrefix) + toBase64(record);
  code += kSeparator + checkOf(code);
  if (code.size() > kMaxCodeLength) return std::nullopt;
  return code;
}

std::optional<std::string> decodeCode(std::string_view code) {
  const std::size_t first = code.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return std::nullopt;
  code = code.substr(first, code.find_last_not_of(kBlanks) + 1 - first);
  const std::size_t separator = code.rfind(kSeparator);
  if (code.size() > kMaxCodeLength ||
      code.substr(0, kPrefix.size()) != kPrefix ||
      separator == std::string_view::npos || separator < kPrefix.size()) {
    return std::nullopt;
  }
  const std::string_view signedPart = code.substr(0, separator);
  if (code.substr(separator + 1) != checkOf(signedPart)) return std::nullopt;
  return fromBase64(signedPart.substr(kPrefix.size()));
}
