#include "text_field.h"

#include <array>
#include <climits>
#include <cwchar>
#include <cwctype>

#include "actions.h"

namespace {

// Far past any code's length, and any paste a player makes.
constexpr std::size_t kMaxCodeBytes = 4096;
// The printable ASCII that a code is made of.
constexpr wchar_t kFirstCodeCharacter = 0x21;
constexpr wchar_t kLastCodeCharacter = 0x7E;

}  // namespace

std::string utf8Of(wchar_t character) {
  std::array<char, MB_LEN_MAX> bytes{};
  std::mbstate_t state{};
  const std::size_t length = std::wcrtomb(bytes.data(), character, &state);
  if (length == static_cast<std::size_t>(-1)) return "";
  return std::string(bytes.data(), length);
}

void eraseLastCharacter(std::string& text) {
  while (!text.empty()) {
    const auto byte = static_cast<unsigned char>(text.back());
    text.pop_back();
    if ((byte & 0xC0) != 0x80) return;  // not a continuation byte
  }
}

TextField::Result TextField::onKey(const Key& key) {
  switch (key.kind) {
    case KeyKind::kEscape:
      return Result::kCancelled;
    case KeyKind::kEnter:
      return Result::kSubmitted;
    case KeyKind::kBackspace:
      eraseLastCharacter(text_);
      note_.clear();
      return Result::kNone;
    case KeyKind::kCharacter:
      if (filter_ == FieldFilter::kName) {
        typeName(key.character);
      } else {
        typeCode(key.character);
      }
      return Result::kNone;
    default:
      return Result::kNone;
  }
}

void TextField::typeName(wchar_t typed) {
  const std::string bytes = utf8Of(typed);
  const std::string longer = text_ + bytes;
  const NameRefusal refusal = nameRefusal(longer);
  if (bytes.empty() || std::iswspace(typed) != 0 ||
      refusal == NameRefusal::kUnsafe) {
    note_ = "A name is one word, without blanks or control characters";
  } else if (refusal == NameRefusal::kTooLong) {
    note_ = "A name holds at most " + std::to_string(kMaxNameBytes) + " bytes";
  } else {
    text_ = longer;
    note_.clear();
  }
}

void TextField::typeCode(wchar_t typed) {
  // Blanks and line ends in a pasted code are passed over.
  if (std::iswspace(typed) != 0) return;
  if (typed < kFirstCodeCharacter || typed > kLastCodeCharacter ||
      text_.size() >= kMaxCodeBytes) {
    note_ = "That cannot be part of a code";
    return;
  }
  text_ += static_cast<char>(typed);
}
