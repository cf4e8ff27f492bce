#include "list_picker.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>

namespace {

// A minus and a few digits: no number typed overflows an int.
constexpr std::size_t kMaxTypedDigits = 4;

}  // namespace

ListPicker::ListPicker(std::string title, std::vector<ListEntry> entries,
                       int highlighted)
    : title_(std::move(title)),
      entries_(std::move(entries)),
      highlighted_(entries_.empty()
                       ? 0
                       : std::clamp(highlighted, 0,
                                    static_cast<int>(entries_.size()) - 1)) {}

const ListEntry* ListPicker::highlightedEntry() const {
  return entries_.empty() ? nullptr : &entries_[highlighted_];
}

ListPicker::Result ListPicker::onKey(const Key& key) {
  switch (key.kind) {
    case KeyKind::kEscape:
      return Result::kCancelled;
    case KeyKind::kEnter:
      return onEnter();
    case KeyKind::kBackspace:
      if (!typed_.empty()) typed_.pop_back();  // digits and minus: ASCII
      followTyped();
      return Result::kNone;
    case KeyKind::kCharacter:
      onTyped(key.character);
      return Result::kNone;
    default:
      move(key.kind);
      return Result::kNone;
  }
}

ListPicker::Result ListPicker::onEnter() {
  if (typed_.empty()) {
    if (entries_.empty()) return Result::kNone;
    picked_ = entries_[highlighted_].number;
    return Result::kPicked;
  }
  // A lone minus is no number on any list.
  const bool lone = typed_ == "-";
  const int number = lone ? INT_MIN : std::atoi(typed_.c_str());
  typed_.clear();
  const auto found =
      std::find_if(entries_.begin(), entries_.end(),
                   [number](const ListEntry& e) { return e.number == number; });
  if (found == entries_.end()) {
    note_ = lone ? "Type a number from the list"
                 : std::to_string(number) + " is not on the list";
    return Result::kNone;
  }
  picked_ = number;
  return Result::kPicked;
}

void ListPicker::onTyped(wchar_t typed) {
  const bool digit = typed >= '0' && typed <= '9';
  const bool minus = typed == '-' && typed_.empty();
  if ((digit || minus) && typed_.size() < kMaxTypedDigits) {
    typed_ += static_cast<char>(typed);
    note_.clear();
    followTyped();
  } else {
    note_ = "Type a number from the list, or choose with the arrows";
  }
}

void ListPicker::followTyped() {
  if (typed_.empty() || typed_ == "-") return;
  const int number = std::atoi(typed_.c_str());
  for (std::size_t at = 0; at < entries_.size(); ++at) {
    if (entries_[at].number == number) {
      highlighted_ = static_cast<int>(at);
      return;
    }
  }
}

void ListPicker::move(KeyKind kind) {
  const int count = static_cast<int>(entries_.size());
  if (count == 0) return;
  typed_.clear();
  switch (kind) {
    case KeyKind::kUp:
      highlighted_ = std::max(highlighted_ - 1, 0);
      break;
    case KeyKind::kDown:
      highlighted_ = std::min(highlighted_ + 1, count - 1);
      break;
    case KeyKind::kPageUp:
    case KeyKind::kHome:
      highlighted_ = 0;
      break;
    case KeyKind::kPageDown:
    case KeyKind::kEnd:
      highlighted_ = count - 1;
      break;
    default:
      break;
  }
}

int ListPicker::firstShown(int rows) const {
  const int count = static_cast<int>(entries_.size());
  return std::clamp(highlighted_ - rows / 2, 0, std::max(count - rows, 0));
}
