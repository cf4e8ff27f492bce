#include "safe_text.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace {

constexpr unsigned kFirstPrintable = 0x20;
constexpr unsigned kDelete = 0x7F;
constexpr unsigned kFirstC1Control = 0x80;
constexpr unsigned kLastC1Control = 0x9F;
constexpr unsigned kFirstSurrogate = 0xD800;
constexpr unsigned kLastSurrogate = 0xDFFF;
constexpr unsigned kLastCodePoint = 0x10FFFF;
constexpr unsigned kContinuationMask = 0xC0;
constexpr unsigned kContinuationTag = 0x80;
constexpr unsigned kContinuationBits = 6;
constexpr unsigned kLowSixBits = 0x3F;

// How a lead byte starts a sequence: its length, the bits of the code point
// it carries, and the smallest code point that needs that many bytes (a
// smaller one is an overlong form).
struct Lead {
  std::size_t length;
  unsigned bits;
  unsigned least;
};

// The sequence that `byte` leads; length 0 when it leads none (a
// continuation byte, or a byte that never appears in UTF-8).
Lead leadOf(unsigned byte) {
  if (byte < 0x80) return {1, byte, 0};
  if ((byte & 0xE0) == 0xC0) return {2, byte & 0x1F, 0x80};
  if ((byte & 0xF0) == 0xE0) return {3, byte & 0x0F, 0x800};
  if ((byte & 0xF8) == 0xF0) return {4, byte & 0x07, 0x10000};
  return {0, 0, 0};
}

// Characters that print nothing yet change how the text around them is
// shown: the bidirectional marks, embeddings, overrides and isolates, which
// can make a name read backwards or spill its direction onto what follows,
// and the line and paragraph separators, which break a line.
struct Range {
  unsigned first;
  unsigned last;
};
constexpr Range kInvisibleFormats[] = {
    {0x061C, 0x061C},  // Arabic letter mark
    {0x200E, 0x200F},  // left-to-right and right-to-left marks
    {0x2028, 0x2029},  // line and paragraph separators
    {0x202A, 0x202E},  // embeddings, pop and overrides
    {0x2066, 0x2069},  // isolates and pop
};

bool isControl(unsigned codePoint) {
  if (codePoint < kFirstPrintable || codePoint == kDelete ||
      (codePoint >= kFirstC1Control && codePoint <= kLastC1Control)) {
    return true;
  }
  return std::any_of(std::begin(kInvisibleFormats), std::end(kInvisibleFormats),
                     [codePoint](Range range) {
                       return codePoint >= range.first &&
                              codePoint <= range.last;
                     });
}

// One character decoded: its length in bytes (0 when the bytes there are
// not valid UTF-8) and its code point.
struct Decoded {
  std::size_t length;
  unsigned codePoint;
};

Decoded decodeAt(std::string_view text, std::size_t at) {
  const Lead lead = leadOf(static_cast<unsigned char>(text[at]));
  if (lead.length == 0 || lead.length > text.size() - at) return {0, 0};
  unsigned codePoint = lead.bits;
  for (std::size_t n = 1; n < lead.length; ++n) {
    const auto byte = static_cast<unsigned char>(text[at + n]);
    if ((byte & kContinuationMask) != kContinuationTag) return {0, 0};
    codePoint = (codePoint << kContinuationBits) | (byte & kLowSixBits);
  }
  const bool valid =
      codePoint >= lead.least && codePoint <= kLastCodePoint &&
      (codePoint < kFirstSurrogate || codePoint > kLastSurrogate);
  return valid ? Decoded{lead.length, codePoint} : Decoded{0, 0};
}

}  // namespace

bool isSafeText(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const Decoded character = decodeAt(text, at);
    if (character.length == 0 || isControl(character.codePoint)) return false;
    at += character.length;
  }
  return true;
}

// A control character that is valid UTF-8 is one character, so all its bytes
// give one stand-in; each byte that is not valid UTF-8 gives one of its own,
// and the byte after it is tried afresh as the start of a character.
std::string safeText(std::string_view text) {
  std::string safe;
  safe.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const Decoded character = decodeAt(text, at);
    if (character.length == 0) {
      safe += kUnsafeStandIn;
      ++at;
      continue;
    }
    if (isControl(character.codePoint)) {
      safe += kUnsafeStandIn;
    } else {
      safe.append(text.substr(at, character.length));
    }
    at += character.length;
  }
  return safe;
}

bool makeSafe(std::string& text) {
  if (isSafeText(text)) return false;
  text = safeText(text);
  return true;
}
