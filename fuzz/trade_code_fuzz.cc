// Fuzzes creature codes both ways. Any bytes short enough for a code come
// back whole from their code, wrapped or not; and any text that is accepted
// as a code is the one spelling of its record (the record's own code, blanks
// and line ends aside), so that a code can never stand for two creatures.
// A text that is refused always says why, and carries no record.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_util.h"
#include "trade_code.h"

namespace {

constexpr std::string_view kBlanks = " \t\r\n";

std::string withoutBlanks(const std::string& text) {
  std::string kept;
  for (const char c : text) {
    if (kBlanks.find(c) == std::string_view::npos) kept += c;
  }
  return kept;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  if (const std::optional<std::string> code = encodeCode(input)) {
    fuzz::require(code->size() <= kMaxCodeLength, "code within its length");
    const DecodedCode back = decodeCode(*code);
    fuzz::require(back.fault == CodeFault::kNone && back.record == input,
                  "record comes back whole");
    const DecodedCode mailed =
        decodeCode(wrapped(*code, 1 + size % 80, "\r\n"));
    fuzz::require(mailed.fault == CodeFault::kNone && mailed.record == input,
                  "record comes back whole from a wrapped code");
  }
  const DecodedCode decoded = decodeCode(input);
  if (decoded.fault == CodeFault::kNone) {
    const std::optional<std::string> again = encodeCode(decoded.record);
    fuzz::require(again && withoutBlanks(input) == *again,
                  "an accepted code is its record's own code");
  } else {
    fuzz::require(decoded.record.empty(), "a refused code holds no record");
  }
  return 0;
}
