#include "key.h"

#include <utility>

namespace {

constexpr std::pair<std::string_view, KeyKind> kNamedKeys[] = {
    {"Enter", KeyKind::kEnter},
    {"Esc", KeyKind::kEscape},
    {"Backspace", KeyKind::kBackspace},
    {"Up", KeyKind::kUp},
    {"Down", KeyKind::kDown},
    {"Left", KeyKind::kLeft},
    {"Right", KeyKind::kRight},
    {"PageUp", KeyKind::kPageUp},
    {"PageDown", KeyKind::kPageDown},
    {"Home", KeyKind::kHome},
    {"End", KeyKind::kEnd},
    {"Redraw", KeyKind::kRedraw},
    {"Resize", KeyKind::kResize},
};

// The first character of UTF-8 `text`; a byte that starts no character
// stands for itself.
wchar_t firstCharacter(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  // The lead byte's marks: how many bytes follow it, and its own bits.
  struct Lead {
    unsigned mask, marks, bits;
    int more;
  };
  constexpr Lead kLeads[] = {
      {0xE0, 0xC0, 0x1F, 1}, {0xF0, 0xE0, 0x0F, 2}, {0xF8, 0xF0, 0x07, 3}};
  int more = 0;
  wchar_t value = lead;
  for (const Lead& kind : kLeads) {
    if ((lead & kind.mask) != kind.marks) continue;
    more = kind.more;
    value = static_cast<wchar_t>(lead & kind.bits);
  }
  if (static_cast<std::size_t>(more) >= text.size()) return lead;
  for (int at = 1; at <= more; ++at) {
    value = (value << 6) | (static_cast<unsigned char>(text[at]) & 0x3F);
  }
  return value;
}

}  // namespace

Key keyNamed(std::string_view word) {
  if (word.empty()) return Key::named(KeyKind::kOther);
  for (const auto& [name, kind] : kNamedKeys) {
    if (word == name) return Key::named(kind);
  }
  return Key::typed(firstCharacter(word));
}
