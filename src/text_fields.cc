#include "text_fields.h"

#include <limits>

namespace {

bool isBlank(char byte) {
  switch (byte) {
    case ' ':
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
      return true;
    default:
      return false;
  }
}

bool isDigit(char byte) { return byte >= '0' && byte <= '9'; }

}  // namespace

bool TextFields::skipBlanks() {
  if (failed_) return false;
  while (at_ < text_.size() && isBlank(text_[at_])) ++at_;
  if (at_ < text_.size()) return true;
  reachedEnd_ = true;
  failed_ = true;
  return false;
}

bool TextFields::moreFields() {
  if (failed_ || reachedEnd_) return false;
  while (at_ < text_.size() && isBlank(text_[at_])) ++at_;
  reachedEnd_ = at_ == text_.size();
  return !reachedEnd_;
}

TextFields& TextFields::operator>>(std::string& word) {
  if (!skipBlanks()) return *this;
  const std::size_t start = at_;
  while (at_ < text_.size() && !isBlank(text_[at_])) ++at_;
  reachedEnd_ = reachedEnd_ || at_ == text_.size();
  word.assign(text_.data() + start, at_ - start);
  return *this;
}

TextFields& TextFields::operator>>(int& number) {
  if (!skipBlanks()) return *this;
  const bool negative = text_[at_] == '-';
  if (negative || text_[at_] == '+') ++at_;
  // Gathered as a negative number, whose range holds every int.
  constexpr long long kLowest = std::numeric_limits<int>::min();
  long long value = 0;
  bool digits = false;
  bool tooLarge = false;
  for (; at_ < text_.size() && isDigit(text_[at_]); ++at_) {
    digits = true;
    if (!tooLarge) value = value * 10 - (text_[at_] - '0');
    tooLarge = tooLarge || value < kLowest;
  }
  reachedEnd_ = reachedEnd_ || at_ == text_.size();
  if (!negative) value = -value;
  if (!digits || tooLarge || value < kLowest ||
      value > std::numeric_limits<int>::max()) {
    failed_ = true;
    return *this;
  }
  number = static_cast<int>(value);
  return *this;
}
