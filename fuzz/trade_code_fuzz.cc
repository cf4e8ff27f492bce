// Fuzzes creature codes both ways. Any bytes short enough for a code come
// back whole from their code; and any text that is accepted as a code is the
// one spelling of its record (the record's own code, blanks around it
// aside), so that a code can never stand for two creatures.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz_util.h"
#include "trade_code.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  if (const std::optional<std::string> code = encodeCode(input)) {
    fuzz::require(code->size() <= kMaxCodeLength, "code within its length");
    fuzz::require(decodeCode(*code) == input, "record comes back whole");
  }
  if (const std::optional<std::string> record = decodeCode(input)) {
    const std::optional<std::string> again = encodeCode(*record);
    fuzz::require(again && input.find(*again) != std::string::npos,
                  "an accepted code is its record's own code");
  }
  return 0;
}
