// Creature codes: every record comes back byte for byte, and every changed,
// cut or foreign code is refused.

#include "trade_code.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TradeCode, RecordsComeBackWhole) {
  // Lengths 0 to 3 cover every ending of the base64 text, 256 every byte.
  for (const std::size_t size : {0, 1, 2, 3, 256, 372}) {
    std::string record;
    for (std::size_t i = 0; i < size; ++i) record += static_cast<char>(i * 7);
    SCOPED_TRACE(record.size());
    const std::optional<std::string> code = encodeCode(record);
    ASSERT_TRUE(code);
    EXPECT_LE(code->size(), kMaxCodeLength);
    EXPECT_EQ(std::string::npos,
              code->find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLM"
                                      "NOPQRSTUVWXYZ0123456789-_."));
    EXPECT_EQ(record, decodeCode(*code));
    EXPECT_EQ(record, decodeCode(" " + *code + "\n"));  // as read from a file
  }
  EXPECT_FALSE(encodeCode(std::string(373, 'x')));
}

TEST(TradeCode, ChangedCutAndForeignCodesAreRefused) {
  const std::string code = *encodeCode("Name: Pip\nAge: 3\n");
  for (std::size_t at = 0; at < code.size(); ++at) {
    for (const char other : {'A', 'b', '9', '.', '_'}) {
      if (code[at] == other) continue;
      std::string changed = code;
      changed[at] = other;
      EXPECT_FALSE(decodeCode(changed)) << changed;
    }
    EXPECT_FALSE(decodeCode(code.substr(0, at))) << at;
    EXPECT_FALSE(decodeCode(code.substr(at + 1))) << at;
  }
  const std::string foreign[] = {"mirl2" + code.substr(4),
                                 code + "0",
                                 "mirl1.Tg.00000000",
                                 "mirl1." + code.substr(code.rfind('.')),
                                 "mirl1 " + code.substr(5),
                                 "",
                                 std::string(kMaxCodeLength + 1, 'A')};
  for (const std::string& other : foreign) {
    EXPECT_FALSE(decodeCode(other)) << other;
  }
}

}  // namespace
